#pragma once

#include <QDialog>

class DatabaseFile;
class QCheckBox;
class QLineEdit;
class QPushButton;

// "Supply Password": sets the master password, reminder question and answer for the first time. Modal over
// the settings dialog (open()). C&ancel also emits cancelled(), upon which the settings dialog drops the
// password requirement again; Esc and the close box only close the window. Given the open database, it
// offers to seal it with the new password (unticked at first).
class frmSupplyPW : public QDialog {
    Q_OBJECT
public:
    explicit frmSupplyPW(QWidget* parent = nullptr, DatabaseFile* database = nullptr);

signals:
    void cancelled();

private:
    void cmdOk_Click();

    QLineEdit* txtPassword = nullptr;
    QLineEdit* txtPassword2 = nullptr;
    QLineEdit* txtQuestion = nullptr;
    QLineEdit* txtAnswer = nullptr;
    DatabaseFile* m_database = nullptr;
    QCheckBox* chkEncryptDB = nullptr;
    QPushButton* cmdOk = nullptr;
    QPushButton* cmdCancel = nullptr;
};
