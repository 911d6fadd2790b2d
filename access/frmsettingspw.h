#pragma once

#include <QDialog>

class QLineEdit;
class QPushButton;

// "Password Verification" before the settings dialog: accepted() once the settings password is given;
// rejected() (C&ancel, Esc, the close box) means the settings dialog is not to appear.
class frmSettingsPW : public QDialog {
    Q_OBJECT
public:
    explicit frmSettingsPW(QWidget* parent = nullptr);

private:
    void cmdOk_Click();

    QLineEdit* txtPassword = nullptr;
    QPushButton* cmdOk = nullptr;
    QPushButton* cmdCancel = nullptr;
};

// "Cange Settings Password": sets or replaces the settings password once the old one (empty while none is
// set) is given. accepted() after the new one is stored.
class frmChangeSettingsPW : public QDialog {
    Q_OBJECT
public:
    explicit frmChangeSettingsPW(QWidget* parent = nullptr);

private:
    void cmdOk_Click();

    QLineEdit* txtOld = nullptr;
    QLineEdit* txtNew = nullptr;
    QLineEdit* txtNew2 = nullptr;
    QPushButton* cmdOk = nullptr;
    QPushButton* cmdCancel = nullptr;
};
