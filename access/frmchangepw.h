#pragma once

#include <QDialog>

class DatabaseFile;
class QLineEdit;
class QPushButton;

// "Cange Password": replaces the master password (and its reminder) once the old one is given. Modal over
// the settings dialog (open()); every box starts empty. While the given database is sealed, the change
// re-seals it under the new password.
class frmChangePW : public QDialog {
    Q_OBJECT
public:
    explicit frmChangePW(QWidget* parent = nullptr, DatabaseFile* database = nullptr);

private:
    void cmdOk_Click();

    QLineEdit* txtOld = nullptr;
    QLineEdit* txtNew = nullptr;
    QLineEdit* txtNew2 = nullptr;
    QLineEdit* txtQuestion = nullptr;
    QLineEdit* txtAnswer = nullptr;
    QPushButton* cmdOk = nullptr;
    QPushButton* cmdCancel = nullptr;
    DatabaseFile* m_database = nullptr;
};
