#include "reports/reportcommand.h"
#include "store/databasefile.h"
#include "store/entrystore.h"
#include "tests/reports/reportexamples.h"
#include "tests/support/testhome.h"

#include <QBuffer>
#include <QFile>
#include <QTest>

using ReportExamples::entry;
using Reports::ReportRequest;

namespace {

struct Run {
    bool done = false;
    QByteArray out;
    QString error;
};

ReportRequest request(bool html, const QString& categories, bool mask = false)
{
    ReportRequest request;
    request.html = html;
    request.categories = categories;
    request.mask = mask;
    return request;
}

// The report of the store's database file.
Run run(const EntryStore& store, const ReportRequest& request)
{
    const QTemporaryDir folder;
    const QString database = folder.filePath(QStringLiteral("report.adr"));
    Run result;
    if (!writeFile(database, encodeDatabase(store))) return result;
    QBuffer out(&result.out);
    out.open(QIODevice::WriteOnly);
    DatabaseContents read;
    DatabaseFile file(database);
    result.done = Reports::writeRequestedReport(file, request, out, &read, &result.error);
    return result;
}

} // namespace

class ReportCommandTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void writesFileOwnerOnly();
    void categoriesByNameInCategoryOrder();
    void colourAndClearText();
    void errors_data();
    void errors();

private:
    EntryStore* m_store = nullptr;
};

void ReportCommandTest::init()
{
    delete m_store;
    m_store = new EntryStore(this);
    m_store->addEntry(ReportExamples::editorEntry(), Applications);
    m_store->addEntry(ReportExamples::bankEntry(), Misc);
    m_store->addEntry(entry("site", "u", "pw", "http://a", "n"), WebPages);
}

void ReportCommandTest::writesFileOwnerOnly()
{
    TestHome home;
    const QString path = home.file(QStringLiteral("out.html"));
    ReportRequest toFile = request(true, QStringLiteral("Applications"), true);
    toFile.outputFile = path;
    const Run r = run(*m_store, toFile);
    QVERIFY(r.done);
    QVERIFY(r.out.isEmpty());
    QCOMPARE(readFile(path), ReportExamples::htmlExampleFile());
    QVERIFY(ownerOnly(path));
}

void ReportCommandTest::categoriesByNameInCategoryOrder()
{
    // Named in reverse and in every accepted form: the sections still come in category order.
    const Run byName = run(*m_store, request(false, QStringLiteral("MISC, Web Sites")));
    const Run byNumber = run(*m_store, request(false, QStringLiteral("0,5")));
    QVERIFY(byName.done);
    QCOMPARE(byName.out, byNumber.out);
    QVERIFY(byName.out.startsWith("\r\nWeb Sites\r\n"));
    QVERIFY(byName.out.indexOf("\r\nMisc\r\n") > byName.out.indexOf("\r\nWeb Sites\r\n"));
}

void ReportCommandTest::colourAndClearText()
{
    ReportRequest red = request(true, QStringLiteral("0"));
    red.color = QStringLiteral("Red");
    const Run r = run(*m_store, red);
    QVERIFY(r.done);
    QVERIFY(r.out.startsWith("<br><h2><font color=#FF0000><b>Web Pages</b></h2></font>"));
    QVERIFY(r.out.contains("<td width=20%>pw</td>\r\n"));
}

void ReportCommandTest::errors_data()
{
    QTest::addColumn<bool>("html");
    QTest::addColumn<QString>("categories");
    QTest::addColumn<QString>("color"); // empty: none given
    QTest::addColumn<QString>("output");
    QTest::addColumn<QString>("message");
    const auto row = [](const char* name, bool html, const char* categories, const char* color,
                        const char* output, const char* message) {
        QTest::newRow(name) << html << categories << color << output << message;
    };
    row("empty item", true, "0,,5", "", "", "empty category");
    row("unknown name", false, "0,Bogus", "", "", "unknown category \"Bogus\"");
    row("number out of range", false, "6", "", "", "unknown category \"6\"");
    row("category without entries", false, "wallet", "", "", "category \"Wallet\" has no entries");
    row("unknown colour", true, "0", "pink", "", "unknown colour \"pink\"");
    row("colour on text", false, "0", "red", "", "HTML report only");
    row("unwritable output", true, "0", "", "/nonexistent/dir/r.html",
        "cannot write \"/nonexistent/dir/r.html\"");
}

void ReportCommandTest::errors()
{
    QFETCH(bool, html);
    QFETCH(QString, categories);
    QFETCH(QString, color);
    QFETCH(QString, output);
    QFETCH(QString, message);
    ReportRequest bad = request(html, categories);
    if (!color.isEmpty()) bad.color = color;
    bad.outputFile = output;
    const Run r = run(*m_store, bad);
    QVERIFY(!r.done);
    QVERIFY(r.out.isEmpty()); // nothing half-written to standard output
    QVERIFY2(r.error.contains(message) && !r.error.contains(QLatin1Char('\n')), qPrintable(r.error));
}

QTEST_GUILESS_MAIN(ReportCommandTest)
#include "tst_reportcommand.moc"
