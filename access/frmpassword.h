#pragma once

#include <QDialog>
#include <memory>

class QLineEdit;
class QPushButton;
class SealKey;

// "Password Verification" at start-up: the only window until the master password is given. Shown without
// waiting (show(), never exec()); accepted() means the right password was given and the window has closed,
// cancelled() that the user gave up (C&ancel, Esc or the close box), after which the program ends.
// Given the path of a sealed database, the password is checked by opening that file, and the key it gave
// is handed on with takeKey().
class frmPassword : public QDialog {
    Q_OBJECT
public:
    explicit frmPassword(QWidget* parent = nullptr, QString sealedPath = {});
    ~frmPassword() override;

    std::unique_ptr<SealKey> takeKey();

    void reject() override;

signals:
    void cancelled();

private:
    void cmdOk_Click();
    void cmdIForgot_Click();

    bool sealedPasswordOpens(QString& typed);

    QString m_sealedPath;
    std::unique_ptr<SealKey> m_key;
    QLineEdit* txtPassword = nullptr;
    QPushButton* cmdOk = nullptr;
    QPushButton* cmdCancel = nullptr;
    QPushButton* cmdIForgot = nullptr;
};
