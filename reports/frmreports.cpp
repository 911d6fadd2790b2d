#include "reports/frmreports.h"

#include "platform/desktopservices.h"
#include "reports/color.h"
#include "reports/frmhtmlpreview.h"
#include "reports/htmlreport.h"
#include "reports/reportfile.h"
#include "reports/reportprinter.h"
#include "reports/textreport.h"
#include "resources/icons.h"
#include "settings/apppaths.h"
#include "store/entrystore.h"

#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QFileInfo>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPrinter>
#include <QPushButton>
#include <QStatusBar>
#include <QTabBar>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {

const QString kSelectOne = QStringLiteral("At least one table must be selected.");
const QString kGenerating = QStringLiteral("Generating report...");
const QString kSelectFile = QStringLiteral("Select a file.");
const QString kHideSensitive = QStringLiteral("Hide Sensitive Information");
const QString kTablesToPrint = QStringLiteral("Tables to print");
const QString kPrintOptions = QStringLiteral("Print Options");
const QString kHtmlFilter = QStringLiteral("HTML Files (*.html);;HTM Files (*.htm)");
const QString kTextFilter = QStringLiteral("Text Files (*.txt);;All Files (*.*)");

QString indexed(const char* name, int index)
{
    return QString::fromLatin1(name) + QLatin1Char('_') + QString::number(index);
}

QPushButton* makeButton(QWidget* parent, const char* name, const QString& caption)
{
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(QString::fromLatin1(name));
    return button;
}

QCheckBox* makeCheckBox(QWidget* parent, const QString& name, const QString& caption)
{
    auto* box = new QCheckBox(caption, parent);
    box->setObjectName(name);
    return box;
}

QGroupBox* tablesFrame(QWidget* parent, const char* name, const char* boxName,
                       std::array<QCheckBox*, kCategoryCount>& boxes, const EntryStore& store)
{
    auto* frame = new QGroupBox(kTablesToPrint, parent);
    frame->setObjectName(QString::fromLatin1(name));
    auto* layout = new QVBoxLayout(frame);
    for (int c = 0; c < kCategoryCount; ++c) {
        boxes[c] = makeCheckBox(frame, indexed(boxName, c), Reports::reportCategoryCaption(c));
        // An empty category cannot be reported: its box stays disabled and unticked.
        boxes[c]->setEnabled(store.list(c).count() > 0);
        layout->addWidget(boxes[c]);
    }
    layout->addStretch();
    return frame;
}

std::array<bool, kCategoryCount> ticked(const std::array<QCheckBox*, kCategoryCount>& boxes)
{
    std::array<bool, kCategoryCount> result{};
    for (int c = 0; c < kCategoryCount; ++c)
        result[c] = boxes[c]->isEnabled() && boxes[c]->isChecked();
    return result;
}

// A tab: the tables and the options side by side, the buttons in a row under them.
void layOutTab(QWidget* page, QGroupBox* tables, QGroupBox* options,
               std::initializer_list<QPushButton*> buttons)
{
    auto* frames = new QHBoxLayout;
    frames->addWidget(tables, 1);
    frames->addWidget(options, 1);
    auto* row = new QHBoxLayout;
    row->addStretch();
    for (QPushButton* button : buttons)
        row->addWidget(button);
    auto* layout = new QVBoxLayout(page);
    layout->addLayout(frames, 1);
    layout->addLayout(row);
}

} // namespace

frmReports::frmReports(EntryStore& store, int initialTab, std::function<void(const QString&)> setStatus,
                       QWidget* parent)
    : QDialog(parent), m_store(store), m_setStatus(std::move(setStatus))
{
    setObjectName(QStringLiteral("frmReports"));
    setWindowTitle(QStringLiteral("Reports"));
    setWindowIcon(keyvaneIcon(QStringLiteral("Reports")));
    setModal(true);

    SSTab1 = new QTabWidget(this);
    SSTab1->setObjectName(QStringLiteral("SSTab1"));
    auto* htmlPage = new QWidget(SSTab1);
    auto* textPage = new QWidget(SSTab1);
    buildHtmlTab(htmlPage);
    buildTextTab(textPage);
    SSTab1->addTab(htmlPage, QStringLiteral("HTML Tables"));
    SSTab1->addTab(textPage, QStringLiteral("Text-Formatted"));
    SSTab1->setCurrentIndex(initialTab == HtmlTab ? HtmlTab : TextTab);

    StatusBar1 = new QStatusBar(this);
    StatusBar1->setObjectName(QStringLiteral("StatusBar1"));
    StatusBar1->setSizeGripEnabled(false);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 8, 8, 0);
    layout->addWidget(SSTab1);
    layout->addWidget(StatusBar1);
    setMinimumSize(minimumSizeHint().expandedTo(QSize(460, 330)));
    resize(minimumSize());

    for (QPushButton* close : cmdCancel) {
        connect(close, &QPushButton::clicked, this, &QDialog::reject);
        addHint(close, QStringLiteral("Close this dialog box."));
    }
    connect(cmdPreview, &QPushButton::clicked, this, &frmReports::cmdPreview_Click);
    connect(cmdSaveReportAs, &QPushButton::clicked, this, &frmReports::cmdSaveReportAs_Click);
    connect(cmdViewTXT, &QPushButton::clicked, this, &frmReports::cmdViewTXT_Click);
    connect(cmdSaveText, &QPushButton::clicked, this, &frmReports::cmdSaveText_Click);
    connect(cmdPrintText, &QPushButton::clicked, this, &frmReports::cmdPrintText_Click);

    addHint(cmdPreview, QStringLiteral("Preview the HTML report."));
    addHint(cmdSaveReportAs, QStringLiteral("Save the HTML report to a local web page."));
    addHint(cmdSaveText, QStringLiteral("Save this report to a file."));
    addHint(cmdPrintText, QStringLiteral("Print the Text-Formatted report."));
    // Moving over these surfaces clears the hint; moving over anything else on them changes nothing.
    addHint(this, QString());
    addHint(Frame3, QString());
    addHint(Frame4, QString());
    // The tab control's own surface is its tab bar, its pages and what holds them.
    const QList<QWidget*> tabSurface{SSTab1, SSTab1->tabBar(), htmlPage, textPage, htmlPage->parentWidget()};
    for (QWidget* part : tabSurface)
        addHint(part, QString(), tabSurface);
}

frmReports::~frmReports()
{
    removeTemporaryFiles();
}

void frmReports::buildHtmlTab(QWidget* page)
{
    Frame2 = tablesFrame(page, "Frame2", "chkTables", chkTables, m_store);

    Frame1 = new QGroupBox(kPrintOptions, page);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    chkPrintPasswords = makeCheckBox(Frame1, QStringLiteral("chkPrintPasswords"), kHideSensitive);
    Label1 = new QLabel(QStringLiteral("Title Color"), Frame1);
    Label1->setObjectName(QStringLiteral("Label1"));
    Color2 = new Color(Frame1);
    Color2->setObjectName(QStringLiteral("Color2"));
    Label1->setBuddy(Color2);
    auto* colorRow = new QHBoxLayout;
    colorRow->addWidget(Label1);
    colorRow->addWidget(Color2, 1);
    auto* options = new QVBoxLayout(Frame1);
    options->addWidget(chkPrintPasswords);
    options->addLayout(colorRow);
    options->addStretch();

    cmdPreview = makeButton(page, "cmdPreview", QStringLiteral("View Report"));
    cmdSaveReportAs = makeButton(page, "cmdSaveReportAs", QStringLiteral("Save Report As..."));
    cmdCancel[0] = makeButton(page, "cmdCancel_0", QStringLiteral("Close"));

    layOutTab(page, Frame2, Frame1, {cmdPreview, cmdSaveReportAs, cmdCancel[0]});
}

void frmReports::buildTextTab(QWidget* page)
{
    Frame4 = tablesFrame(page, "Frame4", "chkTables2", chkTables2, m_store);

    Frame3 = new QGroupBox(kPrintOptions, page);
    Frame3->setObjectName(QStringLiteral("Frame3"));
    // One row read as one phrase: "Print Titles in Bold Print", with "Bold" set in bold.
    chkBoldTitles = makeCheckBox(Frame3, QStringLiteral("chkBoldTitles"), QStringLiteral("Print Titles in"));
    Label2 = new QLabel(QStringLiteral("Bold"), Frame3);
    Label2->setObjectName(QStringLiteral("Label2"));
    QFont boldFont = Label2->font();
    boldFont.setBold(true);
    Label2->setFont(boldFont);
    Label3 = new QLabel(QStringLiteral("Print"), Frame3);
    Label3->setObjectName(QStringLiteral("Label3"));
    auto* boldRow = new QHBoxLayout;
    boldRow->setSpacing(0); // the check box already leaves a space after its text
    boldRow->addWidget(chkBoldTitles);
    boldRow->addWidget(Label2);
    boldRow->addSpacing(Label3->fontMetrics().horizontalAdvance(QLatin1Char(' ')));
    boldRow->addWidget(Label3);
    boldRow->addStretch();
    chkPrintPasswords2 = makeCheckBox(Frame3, QStringLiteral("chkPrintPasswords2"), kHideSensitive);
    auto* options = new QVBoxLayout(Frame3);
    options->addLayout(boldRow);
    options->addWidget(chkPrintPasswords2);
    options->addStretch();

    cmdViewTXT = makeButton(page, "cmdViewTXT", QStringLiteral("View Report"));
    cmdSaveText = makeButton(page, "cmdSaveText", QStringLiteral("Save Report As..."));
    cmdPrintText = makeButton(page, "cmdPrintText", QStringLiteral("Print Report"));
    cmdCancel[1] = makeButton(page, "cmdCancel_1", QStringLiteral("Close"));

    layOutTab(page, Frame4, Frame3, {cmdViewTXT, cmdSaveText, cmdPrintText, cmdCancel[1]});
}

QString frmReports::viewFilePath()
{
    return AppPaths::dataFile(QStringLiteral("tmp_rep.txt"));
}

QString frmReports::statusText() const
{
    return StatusBar1->currentMessage();
}

Reports::ReportOptions frmReports::htmlOptions() const
{
    Reports::ReportOptions options;
    options.categories = ticked(chkTables);
    options.hideSensitive = chkPrintPasswords->isChecked();
    options.titleColor = Color2->GetColor();
    return options;
}

Reports::ReportOptions frmReports::textOptions() const
{
    Reports::ReportOptions options;
    options.categories = ticked(chkTables2);
    options.hideSensitive = chkPrintPasswords2->isChecked();
    options.boldTitles = chkBoldTitles->isChecked();
    return options;
}

void frmReports::addHint(QWidget* widget, const QString& hint, QList<QWidget*> surface)
{
    widget->setMouseTracking(true);
    widget->installEventFilter(this);
    m_hints.insert(widget, Hint{hint, std::move(surface)});
}

bool frmReports::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseMove || event->type() == QEvent::Enter) {
        const auto hint = m_hints.constFind(watched);
        if (hint != m_hints.constEnd()) {
            auto* widget = static_cast<QWidget*>(watched);
            // A move that a child ignored propagates up to here; only the control itself (or its own
            // parts) sets the text.
            QWidget* under = nullptr;
            if (event->type() == QEvent::MouseMove)
                under = widget->childAt(static_cast<QMouseEvent*>(event)->position().toPoint());
            else
                under = widget->childAt(widget->mapFromGlobal(QCursor::pos()));
            bool own = under == nullptr || hint->surface.contains(under);
            // A push button's label is drawn by the button itself; any child of it still counts as it.
            if (!own && qobject_cast<QPushButton*>(widget)) own = true;
            if (own && (event->type() == QEvent::MouseMove || qobject_cast<QPushButton*>(widget)))
                setStatusText(hint->text);
        }
    }
    return QDialog::eventFilter(watched, event);
}

void frmReports::setStatusText(const QString& text)
{
    if (text.isEmpty())
        StatusBar1->clearMessage();
    else
        StatusBar1->showMessage(text);
    if (m_setStatus) m_setStatus(text);
}

bool frmReports::selectionCheck(const std::array<QCheckBox*, kCategoryCount>& boxes)
{
    for (const QCheckBox* box : boxes)
        if (box->isEnabled() && box->isChecked()) return true;
    desktop().message(this, kSelectOne);
    return false;
}

QString frmReports::askSaveFileName(const QString& filter, const QString& extension)
{
    QString name = desktop().saveFileName(this, QStringLiteral("Save As"), m_lastFileName, filter);
    // A name without an extension gets the report's, so that the file opens as what it is. The dialog
    // asked about replacing the name typed, not this one.
    if (!name.isEmpty() && QFileInfo(name).suffix().isEmpty()) {
        name += u'.' + extension;
        if (QFileInfo::exists(name) &&
            !desktop().askYesNo(this,
                                QStringLiteral("%1 already exists.\nDo you want to replace it?").arg(name),
                                DesktopServices::Icon::Warning))
            return {};
    }
    if (!name.isEmpty()) m_lastFileName = name;
    return name;
}

void frmReports::cmdPreview_Click()
{
    if (!selectionCheck(chkTables)) return;
    setStatusText(kGenerating);
    // The preview reads the entries from the store as it draws them: no report text, and no file holding
    // them in clear.
    auto* preview = new frmHTMLPreview(m_store, htmlOptions(), this);
    preview->setAttribute(Qt::WA_DeleteOnClose);
    m_preview = preview;
    setStatusText(QString());
    preview->open();
}

void frmReports::cmdSaveReportAs_Click()
{
    if (!selectionCheck(chkTables)) return;
    const Reports::ReportOptions options = htmlOptions();
    for (int c = 0; c < kCategoryCount; ++c)
        if (options.categories[c])
            Reports::GenerateHTML(m_htmlBuffer, m_store, c, options.hideSensitive, options.titleColor);
    setStatusText(kSelectFile);
    const QString name = askSaveFileName(kHtmlFilter, QStringLiteral("html"));
    QString error;
    const bool written = !name.isEmpty() && Reports::writeReportFile(name, m_htmlBuffer, &error);
    setStatusText(QString());
    m_htmlBuffer.clear();
    if (!name.isEmpty() && !written)
        desktop().message(this, QStringLiteral("The report could not be saved to %1: %2").arg(name, error),
                          DesktopServices::Icon::Warning);
}

void frmReports::cmdViewTXT_Click()
{
    if (!selectionCheck(chkTables2)) return;
    const Reports::ReportOptions options = textOptions();
    for (int c = 0; c < kCategoryCount; ++c)
        if (options.categories[c]) Reports::SaveTXT(m_textBuffer, m_store, c, options.hideSensitive);
    const QString path = viewFilePath();
    QString error;
    const bool written = Reports::writeTemporaryReport(path, m_textBuffer, &error);
    m_textBuffer.clear();
    if (!written) {
        desktop().message(this, QStringLiteral("The report could not be written to %1: %2").arg(path, error),
                          DesktopServices::Icon::Warning);
        return;
    }
    if (!desktop().openWithShell(path))
        desktop().message(this, QStringLiteral("No program could be found to show %1.").arg(path),
                          DesktopServices::Icon::Warning);
}

void frmReports::cmdSaveText_Click()
{
    if (!selectionCheck(chkTables2)) return;
    const Reports::ReportOptions options = textOptions();
    for (int c = 0; c < kCategoryCount; ++c)
        if (options.categories[c]) Reports::SaveTXT(m_textBuffer, m_store, c, options.hideSensitive);
    setStatusText(kSelectFile);
    const QString name = askSaveFileName(kTextFilter, QStringLiteral("txt"));
    QString error;
    const bool written = !name.isEmpty() && Reports::writeReportFile(name, m_textBuffer, &error);
    m_textBuffer.clear();
    setStatusText(QString());
    if (!name.isEmpty() && !written)
        desktop().message(this, QStringLiteral("The report could not be saved to %1: %2").arg(name, error),
                          DesktopServices::Icon::Warning);
}

void frmReports::cmdPrintText_Click()
{
    if (!selectionCheck(chkTables2)) return;
    if (!m_printer && !desktop().printerAvailable()) {
        desktop().message(this,
                          QStringLiteral("No printer is available. Set up a printer, then print the report "
                                         "again."),
                          DesktopServices::Icon::Warning);
        return;
    }
    setStatusText(kGenerating);
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const QVector<Reports::PrintedLine> lines = Reports::printedDocument(m_store, textOptions());
    QString error;
    bool printed = false;
    if (m_printer) {
        printed = Reports::printDocument(*m_printer, lines, &error);
    } else {
        QPrinter printer(QPrinter::HighResolution); // the default printer
        printed = Reports::printDocument(printer, lines, &error);
    }
    QApplication::restoreOverrideCursor();
    setStatusText(QString());
    if (!printed)
        desktop().message(this, QStringLiteral("The report could not be printed. ") + error,
                          DesktopServices::Icon::Warning);
}

void frmReports::removeTemporaryFiles()
{
    // The file may be missing or still held by a viewer; neither matters here.
    QFile::remove(viewFilePath());
}

void frmReports::done(int result)
{
    if (m_preview) m_preview->close();
    removeTemporaryFiles();
    QDialog::done(result);
}
