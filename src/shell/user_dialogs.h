// Message boxes and file dialogs behind a small interface, so that tests can answer them
// without a person.
#pragma once

#include <QString>

class QWidget;

class UserDialogs {
public:
    virtual ~UserDialogs() = default;
    // A modal message box with an OK button.
    virtual void ShowError(QWidget* parent, const QString& text) = 0;
};

// The real dialogs.
class QtUserDialogs : public UserDialogs {
public:
    void ShowError(QWidget* parent, const QString& text) override;
};
