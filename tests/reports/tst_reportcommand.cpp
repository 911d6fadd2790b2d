#include "reports/reportcommand.h"
#include "store/entrystore.h"
#include "tests/reports/reportexamples.h"
#include "tests/support/testhome.h"

#include <QBuffer>
#include <QFile>
#include <QTest>
#include <QTextStream>

using ReportExamples::entry;

namespace {

struct Run {
    int status = -1;
    QByteArray out;
    QString err;
};

Run run(const EntryStore& store, const QStringList& args)
{
    Run result;
    QBuffer out(&result.out);
    out.open(QIODevice::WriteOnly);
    QTextStream err(&result.err);
    result.status = Reports::runReportCommand(store, args, out, err);
    err.flush();
    return result;
}

} // namespace

class ReportCommandTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void workedExamplesToStandardOutput_data();
    void workedExamplesToStandardOutput();
    void writesFileOwnerOnly();
    void categoriesByNameInCategoryOrder();
    void colourAndClearText();
    void windows1252BytesUnchanged();
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

void ReportCommandTest::workedExamplesToStandardOutput_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("html") << QStringList{"--html", "--categories", "2", "--mask"}
                          << ReportExamples::htmlExampleFile();
    QTest::newRow("text") << QStringList{"--text", "--mask", "--categories", "5"}
                          << ReportExamples::textExampleFile();
    QTest::newRow("leading report word") << QStringList{"report", "--text", "--mask", "--categories", "misc"}
                                         << ReportExamples::textExampleFile();
}

void ReportCommandTest::workedExamplesToStandardOutput()
{
    QFETCH(QStringList, args);
    QFETCH(QByteArray, bytes);
    const Run r = run(*m_store, args);
    QCOMPARE(r.err, QString());
    QCOMPARE(r.status, 0);
    QCOMPARE(r.out, bytes);
}

void ReportCommandTest::writesFileOwnerOnly()
{
    TestHome home;
    const QString path = home.file(QStringLiteral("out.html"));
    const Run r = run(*m_store, {"--html", "--categories", "Applications", "--mask", "-o", path});
    QCOMPARE(r.status, 0);
    QVERIFY(r.out.isEmpty());
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), ReportExamples::htmlExampleFile());
    QVERIFY(!(file.permissions() & (QFileDevice::ReadGroup | QFileDevice::ReadOther)));
}

void ReportCommandTest::categoriesByNameInCategoryOrder()
{
    // Named in reverse and in every accepted form: the sections still come in category order.
    const Run byName = run(*m_store, {"--text", "--categories", "MISC, Web Sites"});
    const Run byNumber = run(*m_store, {"--text", "--categories", "0,5"});
    QCOMPARE(byName.status, 0);
    QCOMPARE(byName.out, byNumber.out);
    QVERIFY(byName.out.startsWith("\r\nWeb Sites\r\n"));
    QVERIFY(byName.out.indexOf("\r\nMisc\r\n") > byName.out.indexOf("\r\nWeb Sites\r\n"));
}

void ReportCommandTest::colourAndClearText()
{
    const Run r = run(*m_store, {"--html", "--categories", "0", "--color", "Red"});
    QCOMPARE(r.status, 0);
    QVERIFY(r.out.startsWith("<br><h2><font color=#FF0000><b>Web Pages</b></h2></font>"));
    QVERIFY(r.out.contains("<td width=20%>pw</td>\r\n"));
}

void ReportCommandTest::windows1252BytesUnchanged()
{
    m_store->addEntry(entry("Caf\xc3\xa9", "\xe2\x82\xac", "x", "y", "z"), Wallet);
    const Run r = run(*m_store, {"--text", "--categories", "3"});
    QCOMPARE(r.status, 0);
    QVERIFY(r.out.contains("\tCaf\xe9\r\n"));
    QVERIFY(r.out.contains("\t\x80\r\n"));
}

void ReportCommandTest::errors_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QString>("message");
    QTest::newRow("no kind") << QStringList{"--categories", "0"} << "choose --html or --text";
    QTest::newRow("both kinds") << QStringList{"--html", "--text", "--categories", "0"} << "choose one of";
    QTest::newRow("no categories") << QStringList{"--html"} << "--categories is required";
    QTest::newRow("categories without value") << QStringList{"--html", "--categories"} << "needs a value";
    QTest::newRow("empty list") << QStringList{"--html", "--categories", ""} << "empty category";
    QTest::newRow("empty item") << QStringList{"--html", "--categories", "0,,5"} << "empty category";
    QTest::newRow("unknown name") << QStringList{"--text", "--categories", "0,Bogus"}
                                  << "unknown category \"Bogus\"";
    QTest::newRow("number out of range")
        << QStringList{"--text", "--categories", "6"} << "unknown category \"6\"";
    QTest::newRow("category without entries")
        << QStringList{"--text", "--categories", "wallet"} << "category \"Wallet\" has no entries";
    QTest::newRow("unknown colour") << QStringList{"--html", "--categories", "0", "--color", "pink"}
                                    << "unknown colour \"pink\"";
    QTest::newRow("colour on text") << QStringList{"--text", "--categories", "0", "--color", "red"}
                                    << "HTML report only";
    QTest::newRow("unknown option") << QStringList{"--html", "--categories", "0", "--bold"}
                                    << "unknown argument \"--bold\"";
    QTest::newRow("empty output name")
        << QStringList{"--html", "--categories", "0", "-o", ""} << "-o needs a file";
    QTest::newRow("unwritable output")
        << QStringList{"--html", "--categories", "0", "-o", "/nonexistent/dir/r.html"}
        << "cannot write \"/nonexistent/dir/r.html\"";
}

void ReportCommandTest::errors()
{
    QFETCH(QStringList, args);
    QFETCH(QString, message);
    const Run r = run(*m_store, args);
    QCOMPARE(r.status, 1);
    QVERIFY(r.out.isEmpty()); // nothing half-written to standard output
    QVERIFY2(r.err.contains(message), qPrintable(r.err));
    QVERIFY2(r.err.endsWith(QLatin1Char('\n')) && r.err.count(QLatin1Char('\n')) == 1, qPrintable(r.err));
}

QTEST_GUILESS_MAIN(ReportCommandTest)
#include "tst_reportcommand.moc"
