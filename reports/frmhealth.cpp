#include "reports/frmhealth.h"

#include "editing/frmproperties.h"
#include "store/entrystore.h"

#include <QAbstractTableModel>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

// The findings as rows: category, field 1, field 2, what is wrong.
class HealthModel : public QAbstractTableModel {
public:
    HealthModel(const EntryStore& store, QObject* parent) : QAbstractTableModel(parent), m_store(store) {}

    void setReport(const HealthReport* report)
    {
        beginResetModel();
        m_report = report;
        endResetModel();
    }
    int rowCount(const QModelIndex& parent = {}) const override
    {
        return parent.isValid() || !m_report ? 0 : int(m_report->findings.size());
    }
    int columnCount(const QModelIndex& parent = {}) const override { return parent.isValid() ? 0 : 4; }
    QVariant data(const QModelIndex& index, int role) const override
    {
        if (role != Qt::DisplayRole || !index.isValid()) return {};
        const HealthFinding& f = m_report->findings.at(index.row());
        switch (index.column()) {
        case 0:
            return tabCaption(f.category);
        case 1:
            return m_store.list(f.category).entry(f.row).site().toString();
        case 2:
            return m_store.list(f.category).entry(f.row).user().toString();
        default:
            return f.problemText();
        }
    }
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override
    {
        if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
        static const char* const kHeaders[] = {"Category", "Field 1", "Field 2", "Problem"};
        return QLatin1String(kHeaders[section]);
    }

private:
    const EntryStore& m_store;
    const HealthReport* m_report = nullptr;
};

frmHealth::frmHealth(EntryStore& store, QWidget* parent) : QDialog(parent), m_store(store)
{
    setObjectName(QStringLiteral("frmHealth"));
    setWindowTitle(QStringLiteral("Password Health"));
    m_model = new HealthModel(store, this);
    lstFindings = new QTableView(this);
    lstFindings->setObjectName(QStringLiteral("lstFindings"));
    lstFindings->setModel(m_model);
    lstFindings->setSelectionBehavior(QAbstractItemView::SelectRows);
    lstFindings->setSelectionMode(QAbstractItemView::SingleSelection);
    lstFindings->setEditTriggers(QAbstractItemView::NoEditTriggers);
    lstFindings->verticalHeader()->hide();
    lstFindings->horizontalHeader()->setStretchLastSection(true);
    lstFindings->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    lblSummary = new QLabel(this);
    lblSummary->setObjectName(QStringLiteral("lblSummary"));
    lblSummary->setWordWrap(true);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);

    auto* page = new QVBoxLayout(this);
    page->addWidget(new QLabel(QStringLiteral("Double-click an entry to open its properties."), this));
    page->addWidget(lstFindings, 1);
    page->addWidget(lblSummary);
    page->addWidget(buttons);
    resize(640, 420);

    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(lstFindings, &QTableView::doubleClicked, this,
            [this](const QModelIndex& index) { openEntry(index.row()); });
    check();
}

void frmHealth::check()
{
    m_model->setReport(nullptr);
    m_report = checkPasswordHealth(m_store);
    m_model->setReport(&m_report);
    lblSummary->setText(m_report.summary());
}

void frmHealth::openEntry(int findingRow)
{
    if (findingRow < 0 || findingRow >= m_report.findings.size()) return;
    const HealthFinding& f = m_report.findings.at(findingRow);
    auto* properties = new frmProperties(m_store, f.category, f.row, this);
    properties->setAttribute(Qt::WA_DeleteOnClose);
    // An edit or a delete changes what the list shows and where its rows point.
    connect(properties, &QDialog::finished, this, &frmHealth::check);
    properties->open();
}
