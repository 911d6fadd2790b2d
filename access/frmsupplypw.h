#pragma once

#include <QDialog>

class QLineEdit;
class QPushButton;

// "Supply Password": sets the master password, reminder question and answer for the first time. Modal over
// the settings dialog (open()). C&ancel also emits cancelled(), upon which the settings dialog drops the
// password requirement again; Esc and the close box only close the window.
class frmSupplyPW : public QDialog {
    Q_OBJECT
public:
    explicit frmSupplyPW(QWidget* parent = nullptr);

signals:
    void cancelled();

private:
    void cmdOk_Click();

    QLineEdit* txtPassword = nullptr;
    QLineEdit* txtPassword2 = nullptr;
    QLineEdit* txtQuestion = nullptr;
    QLineEdit* txtAnswer = nullptr;
    QPushButton* cmdOk = nullptr;
    QPushButton* cmdCancel = nullptr;
};
