#pragma once

#include <QDialog>

class EntryStore;
class FieldEdit;
class QGridLayout;
class QLabel;
class QLineEdit;
class QPushButton;

// "Properties": one entry of one category, to look at, edit or delete. Save puts the edited entry back
// at its own position; Delete Entry removes it. Both close the dialog, and nothing else touches the store.
class frmProperties : public QDialog {
    Q_OBJECT
public:
    // The entry at row (0-based) of category's list. The settings "AllowEdit" and "AllowDelete" are read
    // here, at opening, as every opening starts afresh.
    frmProperties(EntryStore& store, int category, int row, QWidget* parent = nullptr);

    int category() const { return m_category; }
    int row() const { return m_row; }

public slots:
    // A generated password replaces the password box's text; the dialog stays open for saving.
    void UpdateGeneratedPassword(const QString& GeneratedPassword);

private:
    void layoutFor(int category);
    void save();
    void deleteEntry();

    EntryStore& m_store;
    int m_category;
    int m_row;
    QGridLayout* m_grid = nullptr;

    QLabel* lblEntry = nullptr;
    QLabel* lblSite = nullptr;
    QLabel* lblUser = nullptr;
    QLabel* lblPassword = nullptr;
    QLabel* lblUrl = nullptr;
    QLabel* lblNotes = nullptr;
    QLineEdit* txtEntry = nullptr;
    FieldEdit* txtSite = nullptr;
    FieldEdit* txtUserName = nullptr;
    FieldEdit* txtPassword = nullptr;
    FieldEdit* txtURL = nullptr;
    FieldEdit* txtNotes = nullptr;
    QPushButton* cmdBrowse = nullptr;
    QPushButton* cmdGenerate = nullptr;
    QPushButton* cmdDelete = nullptr;
    QPushButton* cmdSave = nullptr;
    QPushButton* cmdCancel = nullptr;
};
