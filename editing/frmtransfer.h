#pragma once

#include "store/csvtransfer.h"

#include <QDialog>
#include <functional>

class EntryStore;
class QCheckBox;
class QComboBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class QStandardItemModel;
class QTableView;

// File > Export...: the layout, then the file; before writing, the user is told that the file will hold
// every password in clear. The file is written owner-only and replaced only once complete.
class frmExport : public QDialog {
    Q_OBJECT
public:
    explicit frmExport(const EntryStore& store, QWidget* parent = nullptr);

private:
    void exportFile();

    const EntryStore& m_store;
    QComboBox* cboLayout = nullptr;
};

// File > Import...: the chosen file's first rows as they would be added, the mapping of its columns, and
// every row that cannot be added as it is. All or nothing: "Import" adds every row, then saves once
// through `save`; with any problem left nothing can be added.
class frmImport : public QDialog {
    Q_OBJECT
public:
    frmImport(EntryStore& store, QByteArray bytes, std::function<bool()> save, QWidget* parent = nullptr);

    const CsvImport& import() const { return m_import; }

private:
    void reread();
    void importRows();

    EntryStore& m_store;
    QByteArray m_bytes;
    std::function<bool()> m_save;
    CsvImport m_import;
    QComboBox* cboLayout = nullptr;
    QComboBox* cboCategory = nullptr;
    QCheckBox* chkCutLong = nullptr;
    QLabel* lblMapping = nullptr;
    QTableView* lstPreview = nullptr;
    QStandardItemModel* m_preview = nullptr;
    QPlainTextEdit* txtProblems = nullptr;
    QPushButton* cmdImport = nullptr;
};
