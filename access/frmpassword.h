#pragma once

#include <QDialog>

class QLineEdit;
class QPushButton;

// "Password Verification" at start-up: the only window until the master password is given. Shown without
// waiting (show(), never exec()); accepted() means the right password was given and the window has closed,
// cancelled() that the user gave up (C&ancel, Esc or the close box), after which the program ends.
class frmPassword : public QDialog {
    Q_OBJECT
public:
    explicit frmPassword(QWidget* parent = nullptr);

    void reject() override;

signals:
    void cancelled();

private:
    void cmdOk_Click();
    void cmdIForgot_Click();

    QLineEdit* txtPassword = nullptr;
    QPushButton* cmdOk = nullptr;
    QPushButton* cmdCancel = nullptr;
    QPushButton* cmdIForgot = nullptr;
};
