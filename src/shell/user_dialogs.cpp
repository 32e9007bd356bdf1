// The platform's own dialogs.
#include "shell/user_dialogs.h"

#include <QMessageBox>

void QtUserDialogs::ShowError(QWidget* parent, const QString& text) {
    QMessageBox::critical(parent, QStringLiteral("tileSmith"), text);
}
