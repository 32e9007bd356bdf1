// SPDX-License-Identifier: GPL-3.0-or-later
// Toolbar keys are panels, not buttons: they act on the press itself, as drawing tools do.
#include "shell/tool_key.h"

#include <QEvent>
#include <QLabel>
#include <QMouseEvent>

namespace {
constexpr int kKeyTop = 4;
}

ToolKey::ToolKey(QWidget* parent, const QString& name, const QString& iconResource,
                 const QString& iconName, const QString& hint, int left, int width)
    : QFrame(parent) {
    setObjectName(name);
    setGeometry(left, kKeyTop, width, 32);
    setFrameStyle(QFrame::Box | QFrame::Plain);
    setLineWidth(1);
    setAutoFillBackground(true);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, Qt::white);
    setPalette(palette);
    setToolTip(hint); // the key's rim says the same as its icon
    if (!iconResource.isEmpty()) {
        icon_ = new QLabel(this);
        icon_->setObjectName(iconName);
        icon_->setPixmap(QPixmap(iconResource));
        icon_->setGeometry(4, 4, 22, 22);
        icon_->setToolTip(hint);
        icon_->installEventFilter(this);
    }
}

ToolKey* ToolKey::WithCaption(QWidget* parent, const QString& name, const QString& caption,
                              const QString& hint, int left, int width) {
    auto* key = new ToolKey(parent, name, {}, {}, hint, left, width);
    auto* label = new QLabel(caption, key);
    QFont font = label->font();
    font.setBold(true);
    label->setFont(font);
    label->setAlignment(Qt::AlignCenter);
    label->setGeometry(key->rect());
    label->setAttribute(Qt::WA_TransparentForMouseEvents);
    return key;
}

void ToolKey::SetPressed(bool pressed) {
    pressed_ = pressed;
    setFrameStyle(pressed ? (QFrame::Panel | QFrame::Sunken) : (QFrame::Box | QFrame::Plain));
    setLineWidth(pressed ? 2 : 1);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, pressed ? QColor(0xB8, 0xD0, 0xEC) : QColor(Qt::white));
    setPalette(palette);
}

void ToolKey::mousePressEvent(QMouseEvent*) {
    emit Pressed();
}

bool ToolKey::eventFilter(QObject* watched, QEvent* event) {
    if (watched == icon_ && event->type() == QEvent::MouseButtonPress) {
        emit Pressed();
        return true;
    }
    return QFrame::eventFilter(watched, event);
}
