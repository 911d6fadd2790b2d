#include "reports/frmhtmlpreview.h"

#include "platform/desktopservices.h"
#include "reports/reporttablemodel.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QTableView>
#include <QVBoxLayout>

frmHTMLPreview::frmHTMLPreview(const EntryStore& store, const Reports::ReportOptions& options,
                               QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("frmHTMLPreview"));
    setWindowTitle(QStringLiteral("HTML Tables Report Preview"));
    setSizeGripEnabled(true);

    m_model = new ReportTableModel(store, options, this);
    WebBrowser1 = new QTableView(this);
    WebBrowser1->setObjectName(QStringLiteral("WebBrowser1"));
    WebBrowser1->setModel(m_model);
    WebBrowser1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    WebBrowser1->setSelectionMode(QAbstractItemView::SingleSelection);
    WebBrowser1->setWordWrap(false);
    WebBrowser1->setMouseTracking(true); // the hand over a link
    WebBrowser1->horizontalHeader()->hide();
    WebBrowser1->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch); // five columns of 20%
    // Fixed row heights: the view never measures the rows, whatever their number.
    QHeaderView* rows = WebBrowser1->verticalHeader();
    rows->hide();
    rows->setSectionResizeMode(QHeaderView::Fixed);
    const int lineHeight = WebBrowser1->fontMetrics().height();
    rows->setDefaultSectionSize(lineHeight + 6);
    for (const int row : m_model->titleRows()) {
        WebBrowser1->setSpan(row, 0, 1, kFieldCount);
        rows->resizeSection(row, lineHeight * 3); // a line break, then the larger heading
    }
    connect(WebBrowser1, &QTableView::clicked, this, &frmHTMLPreview::openLink);
    connect(WebBrowser1, &QTableView::entered, this, [this](const QModelIndex& index) {
        WebBrowser1->viewport()->setCursor(m_model->linkAt(index).isEmpty() ? Qt::ArrowCursor
                                                                            : Qt::PointingHandCursor);
    });
    WebBrowser1->installEventFilter(this);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(WebBrowser1);
    resize(760, 520);
}

bool frmHTMLPreview::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == WebBrowser1 && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if ((key == Qt::Key_Return || key == Qt::Key_Enter) &&
            !m_model->linkAt(WebBrowser1->currentIndex()).isEmpty()) {
            openLink(WebBrowser1->currentIndex());
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void frmHTMLPreview::openLink(const QModelIndex& index)
{
    // The entry's own text: as a URL, "C:\edit.exe" or a bare host name would be mangled.
    const QString target = m_model->linkAt(index);
    if (!target.isEmpty()) desktop().openWithShell(target);
}
