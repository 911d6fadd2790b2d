#include "reports/color.h"
#include "reports/frmhtmlpreview.h"
#include "reports/frmreports.h"
#include "reports/htmlreport.h"
#include "reports/textreport.h"
#include "store/entrystore.h"
#include "tests/reports/reportexamples.h"
#include "tests/support/fakedesktop.h"
#include "tests/support/testhome.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QStatusBar>
#include <QTabWidget>
#include <QTableView>
#include <QTest>
#include <memory>

using ReportExamples::entry;

namespace {

const QString kSelectOne = QStringLiteral("At least one table must be selected.");

QString runTool(const QString& tool, const QStringList& args)
{
    QProcess process;
    process.start(tool, args);
    if (!process.waitForFinished(30000)) return {};
    return QString::fromUtf8(process.readAllStandardOutput());
}

} // namespace

class FrmReportsTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void checkBoxesOnlyForNonEmptyCategories();
    void everyButtonNeedsASelection_data();
    void everyButtonNeedsASelection();
    void saveCancelledThenWorkedExample_data();
    void saveCancelledThenWorkedExample();
    void failedSaveIsReported();
    void viewTextWritesTemporaryFileUntilClose_data();
    void viewTextWritesTemporaryFileUntilClose();
    void previewShowsReportTable();
    void printsDocumentToPdf_data();
    void printsDocumentToPdf();
    void pageBreaksNeverCutALine();
    void noPrinterIsSaid();
    void hoverHints();

private:
    frmReports& makeDialog(int initialTab = frmReports::TextTab);
    QCheckBox* box(const char* name, int index);
    QPushButton* button(const char* name);
    QStringList dataFiles() const;
    QString printToPdf(const char* name);

    std::unique_ptr<TestHome> m_home;
    FakeDesktop* m_fake = nullptr;
    std::unique_ptr<EntryStore> m_store;
    std::unique_ptr<frmReports> m_dialog;
    QStringList m_statuses;
};

void FrmReportsTest::init()
{
    m_home = std::make_unique<TestHome>();
    m_fake = &FakeDesktop::install();
    m_store = std::make_unique<EntryStore>();
    m_statuses.clear();
}

void FrmReportsTest::cleanup()
{
    m_dialog.reset();
    m_store.reset();
    m_home.reset();
}

frmReports& FrmReportsTest::makeDialog(int initialTab)
{
    m_dialog = std::make_unique<frmReports>(*m_store, initialTab,
                                            [this](const QString& text) { m_statuses << text; });
    return *m_dialog;
}

QCheckBox* FrmReportsTest::box(const char* name, int index)
{
    auto* found = m_dialog->findChild<QCheckBox*>(QString::fromLatin1(name) + QLatin1Char('_') +
                                                  QString::number(index));
    Q_ASSERT(found);
    return found;
}

QPushButton* FrmReportsTest::button(const char* name)
{
    auto* found = m_dialog->findChild<QPushButton*>(QString::fromLatin1(name));
    Q_ASSERT(found);
    return found;
}

QStringList FrmReportsTest::dataFiles() const
{
    return QDir(m_home->path()).entryList(QDir::Files);
}

void FrmReportsTest::checkBoxesOnlyForNonEmptyCategories()
{
    m_store->addEntry(entry("a", "b", "c", "d", "e"), WebPages);
    m_store->addEntry(entry("a", "b", "c", "d", "e"), Misc);
    makeDialog();
    for (int c = 0; c < kCategoryCount; ++c) {
        const bool filled = c == WebPages || c == Misc;
        QCOMPARE(box("chkTables", c)->isEnabled(), filled);
        QCOMPARE(box("chkTables2", c)->isEnabled(), filled);
        QVERIFY(!box("chkTables", c)->isChecked());
        QVERIFY(!box("chkTables2", c)->isChecked());
    }
}

void FrmReportsTest::everyButtonNeedsASelection_data()
{
    QTest::addColumn<bool>("withEntries");
    QTest::newRow("all lists empty") << false;
    QTest::newRow("nothing ticked") << true;
}

void FrmReportsTest::everyButtonNeedsASelection()
{
    QFETCH(bool, withEntries);
    if (withEntries)
        for (int c = 0; c < kCategoryCount; ++c)
            m_store->addEntry(entry("a", "b", "c", "d", "e"), c);
    makeDialog();
    m_dialog->chkPrintPasswords->setChecked(true); // options alone are no selection
    m_fake->fileAnswers << m_home->file(QStringLiteral("never.txt"));
    const char* buttons[] = {"cmdPreview", "cmdSaveReportAs", "cmdViewTXT", "cmdSaveText", "cmdPrintText"};
    for (const char* name : buttons)
        QTest::mouseClick(button(name), Qt::LeftButton);
    QCOMPARE(m_fake->messages, QStringList(std::size(buttons), kSelectOne));
    QVERIFY(m_fake->questions.isEmpty()); // no save dialog
    QVERIFY(m_fake->opened.isEmpty());
    QVERIFY(m_statuses.isEmpty());
    QVERIFY(m_dialog->preview() == nullptr);
    QCOMPARE(dataFiles(), QStringList());
}

void FrmReportsTest::saveCancelledThenWorkedExample_data()
{
    QTest::addColumn<bool>("html");
    QTest::newRow("html") << true;
    QTest::newRow("text") << false;
}

void FrmReportsTest::saveCancelledThenWorkedExample()
{
    QFETCH(bool, html);
    m_store->addEntry(ReportExamples::editorEntry(), Applications);
    m_store->addEntry(ReportExamples::bankEntry(), Misc);
    makeDialog();
    box(html ? "chkTables" : "chkTables2", html ? Applications : Misc)->setChecked(true);
    (html ? m_dialog->chkPrintPasswords : m_dialog->chkPrintPasswords2)->setChecked(true);
    QPushButton* save = button(html ? "cmdSaveReportAs" : "cmdSaveText");
    QTest::mouseClick(save, Qt::LeftButton); // no answer queued: the user cancels
    QCOMPARE(m_fake->questions, QStringList{QStringLiteral("Save As")});
    QCOMPARE(m_statuses, (QStringList{QStringLiteral("Select a file."), QString()}));
    QCOMPARE(dataFiles(), QStringList());

    // Saved at the second try, as "report": the worked example exactly, nothing left over from the first,
    // under the name with the report's extension.
    const QString path = m_home->file(html ? QStringLiteral("report.html") : QStringLiteral("report.txt"));
    m_fake->fileAnswers << m_home->file(QStringLiteral("report"));
    QTest::mouseClick(save, Qt::LeftButton);
    QCOMPARE(readFile(path), html ? ReportExamples::htmlExampleFile() : ReportExamples::textExampleFile());
    QVERIFY(!QFile::exists(m_home->file(QStringLiteral("report"))));
    QCOMPARE(m_fake->questions.size(), 2); // no question for a new file
    QVERIFY(ownerOnly(path));
    QVERIFY((html ? m_dialog->htmlBuffer() : m_dialog->textBuffer()).isEmpty()); // no copy kept in memory
    QVERIFY(m_fake->messages.isEmpty());

    // The file dialog did not ask about the name with the extension: replacing it is asked here.
    QFile::resize(path, 1);
    m_fake->fileAnswers << m_home->file(QStringLiteral("report"));
    m_fake->yesNoAnswers << false;
    QTest::mouseClick(save, Qt::LeftButton);
    QCOMPARE(m_fake->questions.last(), path + QStringLiteral(" already exists.\nDo you want to replace it?"));
    QCOMPARE(QFileInfo(path).size(), 1);
}

void FrmReportsTest::failedSaveIsReported()
{
    m_store->addEntry(entry("a", "b", "c", "d", "e"), Wallet);
    makeDialog();
    box("chkTables2", Wallet)->setChecked(true);
    m_fake->fileAnswers << m_home->file(QStringLiteral("missing-folder/r.txt"));
    QTest::mouseClick(button("cmdSaveText"), Qt::LeftButton);
    QCOMPARE(m_fake->messages.size(), 1);
    QVERIFY2(m_fake->messages[0].startsWith(QStringLiteral("The report could not be saved to ")),
             qPrintable(m_fake->messages[0]));
    QVERIFY(m_dialog->textBuffer().isEmpty());
    QCOMPARE(m_dialog->statusText(), QString());
}

void FrmReportsTest::viewTextWritesTemporaryFileUntilClose_data()
{
    QTest::addColumn<bool>("escape");
    QTest::newRow("Close") << false;
    // Another user of a shared data folder planted a link under the file's name: it is not followed.
    QTest::newRow("Esc, over a planted link") << true;
}

void FrmReportsTest::viewTextWritesTemporaryFileUntilClose()
{
    QFETCH(bool, escape);
    m_store->addEntry(ReportExamples::bankEntry(), Misc);
    makeDialog();
    m_dialog->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_dialog.get()));
    box("chkTables2", Misc)->setChecked(true);
    m_dialog->chkPrintPasswords2->setChecked(true);
    const QString path = frmReports::viewFilePath();
    QCOMPARE(QFileInfo(path).dir().absolutePath(), QDir(m_home->path()).absolutePath());
    const QString elsewhere = m_home->file(QStringLiteral("elsewhere.txt"));
    if (escape) QVERIFY(QFile::link(elsewhere, path));

    QTest::mouseClick(button("cmdViewTXT"), Qt::LeftButton);
    QVERIFY(!QFileInfo(path).isSymLink() && !QFile::exists(elsewhere));
    QCOMPARE(m_fake->opened, QStringList{path});
    QCOMPARE(readFile(path), ReportExamples::textExampleFile());
    QVERIFY(ownerOnly(path));
    QVERIFY(m_dialog->textBuffer().isEmpty());

    // Viewing again overwrites the file with the current choices; a viewer that cannot start is said.
    m_fake->openerWorks = false;
    m_dialog->chkPrintPasswords2->setChecked(false);
    QTest::mouseClick(button("cmdViewTXT"), Qt::LeftButton);
    QVERIFY(readFile(path).contains("\tpin 1234\r\n"));
    QCOMPARE(m_fake->messages,
             QStringList{QStringLiteral("No program could be found to show %1.").arg(path)});

    if (escape)
        QTest::keyClick(m_dialog.get(), Qt::Key_Escape);
    else
        QTest::mouseClick(button("cmdCancel_1"), Qt::LeftButton);
    QVERIFY(!m_dialog->isVisible());
    QCOMPARE(m_dialog->result(), int(QDialog::Rejected));
    QVERIFY(!QFile::exists(path));
}

void FrmReportsTest::previewShowsReportTable()
{
    m_store->addEntry(ReportExamples::editorEntry(), Applications);
    m_store->addEntry(entry("Caf\xc3\xa9 \xe2\x82\xac", "<i>joe</i>", "pw", "x", "y"), Applications);
    m_store->addEntry(entry("Visa", "Joe", "4111", "C:\\card.exe", "z"), Wallet);
    makeDialog(frmReports::HtmlTab);
    m_dialog->show();
    box("chkTables", Applications)->setChecked(true);
    box("chkTables", Wallet)->setChecked(true);
    m_dialog->chkPrintPasswords->setChecked(true);
    m_dialog->Color2->ImageCombo1->setCurrentIndex(3);
    QTest::mouseClick(button("cmdPreview"), Qt::LeftButton);
    QCOMPARE(m_statuses, (QStringList{QStringLiteral("Generating report..."), QString()}));
    QVERIFY(dataFiles().isEmpty()); // nothing in clear on disk

    frmHTMLPreview* preview = m_dialog->preview();
    QVERIFY(preview && preview->isModal());
    QVERIFY(QTest::qWaitForWindowExposed(preview));
    QCOMPARE(preview->windowTitle(), QStringLiteral("HTML Tables Report Preview"));
    QTableView* page = preview->WebBrowser1;
    const QAbstractItemModel* model = page->model();
    QStringList shown;
    for (int row = 0; row < model->rowCount(); ++row) {
        QStringList cells;
        for (int column = 0; column < model->columnCount(); ++column)
            cells << model->index(row, column).data().toString();
        shown << cells.join(u'|');
    }
    // The report's rows in its order; the entries' text as they hold it, markup included.
    QCOMPARE(shown,
             (QStringList{"Applications||||", "Application|User Name|Password|Filename|Notes",
                          "Editor|joe|******|C:\\edit.exe|none",
                          QString::fromUtf8("Caf\xc3\xa9 \xe2\x82\xac|<i>joe</i>|******|x|y"), "Wallet||||",
                          "Credit Card Type|Name on Card|Card Number|Expiration Date|Notes",
                          "Visa|Joe|******|C:\\card.exe|z"}));
    QCOMPARE(model->index(4, 0).data(Qt::ForegroundRole).value<QColor>(),
             QColor(Qt::red)); // the colour chosen

    // Only field 4 of the first three categories is a link; it opens as written, by click or Enter.
    const auto click = [page, model](int row, int column) {
        QTest::mouseClick(page->viewport(), Qt::LeftButton, {},
                          page->visualRect(model->index(row, column)).center());
    };
    click(2, 3);
    click(2, 0);
    click(6, 3);
    page->setCurrentIndex(model->index(3, 3));
    QTest::keyClick(page, Qt::Key_Return);
    QCOMPARE(m_fake->opened, (QStringList{"C:\\edit.exe", "x"}));

    QTest::keyClick(page, Qt::Key_Escape);
    QTRY_VERIFY(m_dialog->preview() == nullptr);
    QVERIFY(m_dialog->isVisible()); // Esc closed the preview only

    // Closing the dialog takes an open preview with it.
    QTest::mouseClick(button("cmdPreview"), Qt::LeftButton);
    QVERIFY(m_dialog->preview());
    m_dialog->reject();
    QTRY_VERIFY(m_dialog->preview() == nullptr);
}

QString FrmReportsTest::printToPdf(const char* name)
{
    const QString pdf = m_home->file(QLatin1String(name));
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(pdf);
    m_dialog->setPrinter(&printer);
    QTest::mouseClick(button("cmdPrintText"), Qt::LeftButton);
    m_dialog->setPrinter(nullptr);
    return pdf;
}

void FrmReportsTest::printsDocumentToPdf_data()
{
    QTest::addColumn<bool>("bold");
    QTest::addColumn<bool>("mask");
    QTest::newRow("bold titles, masked") << true << true;
    QTest::newRow("plain titles, clear") << false << false;
}

void FrmReportsTest::printsDocumentToPdf()
{
    QFETCH(bool, bold);
    QFETCH(bool, mask);
    const QString pdftotext = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
    if (pdftotext.isEmpty()) QSKIP("pdftotext (poppler-utils) is not installed");
    m_store->addEntry(ReportExamples::bankEntry(), Misc);
    m_store->addEntry(entry("home", "anna", "pw-web", "http://h", "n"), WebPages);
    makeDialog();
    box("chkTables2", Misc)->setChecked(true);
    box("chkTables2", WebPages)->setChecked(true);
    m_dialog->chkBoldTitles->setChecked(bold);
    m_dialog->chkPrintPasswords2->setChecked(mask);
    const QString pdf = printToPdf("print.pdf");
    QVERIFY2(m_fake->messages.isEmpty(), qPrintable(m_fake->messages.join('\n')));
    QCOMPARE(m_statuses, (QStringList{QStringLiteral("Generating report..."), QString()}));

    // The lines themselves are the report core's; here they must reach the paper in order.
    const QString text =
        runTool(pdftotext, {QStringLiteral("-layout"), pdf, QStringLiteral("-")}).simplified();
    const QString password = mask ? QStringLiteral("*****") : QStringLiteral("pw-web");
    QVERIFY2(text.startsWith(QStringLiteral("Keyvane version 1.0 ") + QString(54, '*') +
                             QStringLiteral(" Web Sites Site Name home User Name anna Password ") + password +
                             QStringLiteral(" Site URL http://h Notes n Misc Description Bank")),
             qPrintable(text));
    const QString pdfinfo = QStandardPaths::findExecutable(QStringLiteral("pdfinfo"));
    if (!pdfinfo.isEmpty())
        QVERIFY(runTool(pdfinfo, {pdf}).contains(QRegularExpression(QStringLiteral("Title:\\s+Keyvane\\n"))));
    const QString pdffonts = QStandardPaths::findExecutable(QStringLiteral("pdffonts"));
    if (!pdffonts.isEmpty()) QCOMPARE(runTool(pdffonts, {pdf}).contains(QStringLiteral("Bold")), bold);
}

void FrmReportsTest::pageBreaksNeverCutALine()
{
    const QString pdftotext = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
    if (pdftotext.isEmpty()) QSKIP("pdftotext (poppler-utils) is not installed");
    // Notes too wide for the paper wrap onto a second row, which must stay on the same page.
    constexpr int kEntries = 90;
    for (int i = 0; i < kEntries; ++i) {
        const Entry e(QStringLiteral("site%1").arg(i, 3, 10, QLatin1Char('0')), QStringLiteral("user"),
                      QStringLiteral("pw"), QStringLiteral("url"),
                      QStringLiteral("N%1:").arg(i, 3, 10, QLatin1Char('0')) +
                          QString(110, QLatin1Char('x')) +
                          QStringLiteral(":END%1").arg(i, 3, 10, QLatin1Char('0')));
        m_store->addEntry(e, WebPages);
    }
    makeDialog();
    box("chkTables2", WebPages)->setChecked(true);
    const QStringList pages =
        runTool(pdftotext, {QStringLiteral("-layout"), printToPdf("long.pdf"), QStringLiteral("-")})
            .split(QLatin1Char('\f'), Qt::SkipEmptyParts);
    QVERIFY2(pages.size() > 3, qPrintable(QString::number(pages.size())));
    for (int i = 0; i < kEntries; ++i) {
        const QString start = QStringLiteral("N%1:").arg(i, 3, 10, QLatin1Char('0'));
        const QString end = QStringLiteral(":END%1").arg(i, 3, 10, QLatin1Char('0'));
        int found = 0;
        for (const QString& page : pages) {
            if (page.contains(start)) {
                ++found;
                QVERIFY2(page.contains(end), qPrintable(start + QStringLiteral(" is cut from its end")));
                QVERIFY(page.indexOf(end) > page.indexOf(start));
            }
        }
        QCOMPARE(found, 1);
    }
}

void FrmReportsTest::noPrinterIsSaid()
{
    m_store->addEntry(entry("a", "b", "c", "d", "e"), Misc);
    m_fake->printer = false;
    makeDialog();
    box("chkTables2", Misc)->setChecked(true);
    QTest::mouseClick(button("cmdPrintText"), Qt::LeftButton);
    QCOMPARE(m_fake->messages,
             QStringList{
                 QStringLiteral("No printer is available. Set up a printer, then print the report again.")});
    QCOMPARE(m_dialog->statusText(), QString());
}

void FrmReportsTest::hoverHints()
{
    m_store->addEntry(entry("a", "b", "c", "d", "e"), Misc);
    makeDialog(frmReports::HtmlTab);
    m_dialog->resize(m_dialog->sizeHint());
    m_dialog->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_dialog.get()));
    const auto hover = [this](QWidget* widget, QPoint at = {}) {
        QTest::mouseMove(widget, at.isNull() ? widget->rect().center() : at);
        QCoreApplication::processEvents();
        return m_dialog->statusText();
    };
    QCOMPARE(hover(button("cmdPreview")), QStringLiteral("Preview the HTML report."));
    QVERIFY(m_statuses.contains(QStringLiteral("Preview the HTML report."))); // mirrored to the main window
    QCOMPARE(hover(m_dialog->SSTab1->widget(0), QPoint(2, m_dialog->SSTab1->widget(0)->height() - 2)),
             QString()); // the tab's own area clears it
}

QTEST_MAIN(FrmReportsTest)
#include "tst_frmreports.moc"
