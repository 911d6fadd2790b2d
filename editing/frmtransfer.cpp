#include "editing/frmtransfer.h"

#include "platform/desktopservices.h"
#include "platform/named.h"
#include "store/atomicfile.h"
#include "store/databasefile.h"
#include "store/entrymodel.h"
#include "store/entrystore.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFormLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStandardItemModel>
#include <QTableView>
#include <QVBoxLayout>

namespace {

constexpr int kPreviewRows = 10;
const QString kLayoutCaptions[] = {QStringLiteral("Keyvane"), QStringLiteral("KeePassXC"),
                                   QStringLiteral("Bitwarden"), QStringLiteral("Chrome")};

QString countOf(int entries)
{
    return entries == 1 ? QStringLiteral("1 entry") : QStringLiteral("%1 entries").arg(entries);
}

} // namespace

frmExport::frmExport(const EntryStore& store, QWidget* parent) : QDialog(parent), m_store(store)
{
    setObjectName(QStringLiteral("frmExport"));
    setWindowTitle(QStringLiteral("Export"));
    cboLayout = named(new QComboBox(this), "cboLayout");
    for (const QString& caption : kLayoutCaptions)
        cboLayout->addItem(caption);
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Layout of the CSV file:"), cboLayout);
    auto* note = new QLabel(QStringLiteral("The file will hold every entry, passwords in clear text."), this);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Cancel, this);
    auto* cmdExport =
        named(buttons->addButton(QStringLiteral("Export..."), QDialogButtonBox::AcceptRole), "cmdExport");
    cmdExport->setDefault(true);
    auto* page = new QVBoxLayout(this);
    page->addLayout(form);
    page->addWidget(note);
    page->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &frmExport::exportFile);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

void frmExport::exportFile()
{
    const auto layout = static_cast<CsvLayout>(cboLayout->currentIndex());
    const QString path = desktop().saveFileName(this, QStringLiteral("Export"), QDir::homePath(),
                                                QStringLiteral("CSV files (*.csv);;All files (*)"));
    if (path.isEmpty()) return;
    const QString warning =
        QStringLiteral("%1 will hold every password in clear text: anyone who can read the file can read "
                       "them. Keep it safe and delete it when it has served.\n\nWrite the file?")
            .arg(QDir::toNativeSeparators(path));
    if (!desktop().askYesNo(this, warning, DesktopServices::Icon::Warning)) return;
    QString error;
    if (!writeFileAtomically(path, exportCsv(m_store, layout), kOwnerOnly, &error)) {
        desktop().message(this, error, DesktopServices::Icon::Critical);
        return;
    }
    desktop().message(this, countOf(m_store.totalCount()) + QStringLiteral(" exported."));
    accept();
}

frmImport::frmImport(EntryStore& store, QByteArray bytes, std::function<bool()> save, QWidget* parent)
    : QDialog(parent), m_store(store), m_bytes(std::move(bytes)), m_save(std::move(save))
{
    setObjectName(QStringLiteral("frmImport"));
    setWindowTitle(QStringLiteral("Import"));
    cboLayout = named(new QComboBox(this), "cboLayout");
    cboLayout->addItem(QStringLiteral("Recognised from the header row"));
    for (const QString& caption : kLayoutCaptions)
        cboLayout->addItem(caption);
    cboCategory = named(new QComboBox(this), "cboCategory");
    for (int c = 0; c < kCategoryCount; ++c)
        cboCategory->addItem(tabCaption(c));
    cboCategory->setCurrentIndex(Misc);
    chkCutLong = named(
        new QCheckBox(QStringLiteral("Cut fields longer than %1 characters").arg(DatabaseLayout::kFieldSize),
                      this),
        "chkCutLong");
    lblMapping = named(new QLabel(this), "lblMapping");
    lblMapping->setWordWrap(true);
    m_preview = new QStandardItemModel(this);
    lstPreview = named(new QTableView(this), "lstPreview");
    lstPreview->setModel(m_preview);
    lstPreview->setEditTriggers(QAbstractItemView::NoEditTriggers);
    lstPreview->verticalHeader()->hide();
    txtProblems = named(new QPlainTextEdit(this), "txtProblems");
    txtProblems->setReadOnly(true);
    txtProblems->setMaximumHeight(110);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Cancel, this);
    cmdImport =
        named(buttons->addButton(QStringLiteral("Import"), QDialogButtonBox::AcceptRole), "cmdImport");

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Layout:"), cboLayout);
    form->addRow(QStringLiteral("Other groups go to:"), cboCategory);
    auto* page = new QVBoxLayout(this);
    page->addLayout(form);
    page->addWidget(chkCutLong);
    page->addWidget(lblMapping);
    page->addWidget(lstPreview, 1);
    page->addWidget(txtProblems);
    page->addWidget(buttons);
    resize(720, 460);

    connect(cboLayout, &QComboBox::currentIndexChanged, this, &frmImport::reread);
    connect(cboCategory, &QComboBox::currentIndexChanged, this, &frmImport::reread);
    connect(chkCutLong, &QCheckBox::toggled, this, &frmImport::reread);
    connect(buttons, &QDialogButtonBox::accepted, this, &frmImport::importRows);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    reread();
}

void frmImport::reread()
{
    CsvImportOptions options;
    if (cboLayout->currentIndex() > 0) options.layout = static_cast<CsvLayout>(cboLayout->currentIndex() - 1);
    options.defaultCategory = cboCategory->currentIndex();
    options.cutLongFields = chkCutLong->isChecked();
    options.room = EntryStore::kMaxEntries - m_store.totalCount();
    m_import = readCsvImport(m_bytes, options);

    m_preview->clear();
    m_preview->setHorizontalHeaderLabels({QStringLiteral("Line"), QStringLiteral("Category"),
                                          QStringLiteral("Field 1"), QStringLiteral("Field 2"),
                                          QStringLiteral("Field 3"), QStringLiteral("Field 4"),
                                          QStringLiteral("Field 5")});
    for (int i = 0; i < std::min<int>(kPreviewRows, int(m_import.entries.size())); ++i) {
        const Entry& e = m_import.entries.at(i);
        QList<QStandardItem*> row{new QStandardItem(QString::number(m_import.lines.at(i))),
                                  new QStandardItem(tabCaption(m_import.categories.at(i)))};
        for (int f = 1; f <= kFieldCount; ++f)
            row << new QStandardItem(f == 3 && m_store.sensitiveHidden() ? EntryModel::kMask
                                                                         : e.field(f).toString());
        m_preview->appendRow(row);
    }

    if (!m_import.error.isEmpty()) {
        lblMapping->setText(m_import.error);
        txtProblems->clear();
    } else {
        lblMapping->setText(
            QStringLiteral("%1\n%2 to add.").arg(m_import.mapping, countOf(int(m_import.entries.size()))));
        QStringList problems = m_import.problems;
        if (!problems.isEmpty())
            problems.prepend(QStringLiteral("Nothing can be added until these rows are mended%1:")
                                 .arg(m_import.longFields && !chkCutLong->isChecked()
                                          ? QStringLiteral(" (or long fields cut)")
                                          : QString()));
        txtProblems->setPlainText(problems.join(QLatin1Char('\n')));
    }
    cmdImport->setEnabled(m_import.ok() && !m_import.entries.isEmpty());
}

void frmImport::importRows()
{
    if (!m_import.ok()) return;
    const int added = addImport(m_store, m_import);
    // A save that fails has said why; the entries stay, unsaved, as after any other edit.
    if (!m_save || m_save()) desktop().message(this, countOf(added) + QStringLiteral(" imported."));
    accept();
}
