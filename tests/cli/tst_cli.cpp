#include "reports/htmlreport.h"
#include "reports/reportfile.h"
#include "reports/textreport.h"
#include "settings/apppaths.h"
#include "settings/settingsstore.h"
#include "store/databasefile.h"
#include "store/entrystore.h"
#include "store/sealedfile.h"
#include "tests/support/quickseal.h"
#include "tests/support/testhome.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QLockFile>
#include <QProcess>
#include <QRegularExpression>
#include <QtTest>
#include <sys/resource.h>

namespace {

struct Result {
    int status = -1;
    QString out;
    QString err;
    QByteArray bytes; // standard output as written
};

// Standard input is input, then its end (never a terminal).
Result runCli(const QStringList& arguments, const QByteArray& input = {})
{
    QProcess process;
    process.start(QStringLiteral(KEYVANE_CLI_PATH), arguments);
    process.write(input);
    process.closeWriteChannel();
    Result result;
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit) return result;
    result.status = process.exitCode();
    result.bytes = process.readAllStandardOutput();
    result.out = QString::fromUtf8(result.bytes);
    result.err = QString::fromUtf8(process.readAllStandardError());
    return result;
}

Result runOn(const QString& db, const QStringList& arguments, const QByteArray& input = {})
{
    return runCli(QStringList{QStringLiteral("--db"), db} + arguments, input);
}

// Two web pages and an application, in file order; field 5 of the second holds a TAB.
QByteArray sampleDatabase()
{
    return encodeRecord(Entry{"Mail", "anna", "s3cret", "https://mail.example", "home"}, 0) +
           encodeRecord(Entry{"Shop", "anna.b", "pä55", "https://shop.example", "two\tparts"}, 0) +
           encodeRecord(Entry{"Editor", "", "licence", "C:\\edit.exe", ""}, 2);
}

QStringList folderListing(const QString& path)
{
    return QDir(path).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
}

} // namespace

class TestCli : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();
    void roundTrip();
    void listing_data();
    void listing();
    void refusals_data();
    void refusals();
    void damagedFile();
    void lockedDatabase();
    void mergeOther();
    void fullStore();
    void defaultPath_data();
    void defaultPath();
    void help();
    void generate_data();
    void generate();
    void entropy();
    void csvRoundTrip();
    void csvBadRow();
    void masterPassword_data();
    void masterPassword();
    void encryptDecrypt();
    void terminalPrompt();
    void outputBytes_data();
    void outputBytes();
    void coreDumpsOff();

private:
    std::unique_ptr<TestHome> m_home;
    QString m_db; // holds sampleDatabase() at the start of each test
};

void TestCli::initTestCase()
{
    // No run of the program here reaches a display: copy's real clipboard is driven in tests/e2e.
    qunsetenv("DISPLAY");
    qunsetenv("WAYLAND_DISPLAY");
}

void TestCli::init()
{
    m_home = std::make_unique<TestHome>();
    m_db = m_home->file(QStringLiteral("keyvane.adr"));
    QVERIFY(writeFile(m_db, sampleDatabase()));
}

void TestCli::cleanup()
{
    m_home.reset();
}

void TestCli::roundTrip()
{
    // A database that add makes.
    QVERIFY(QFile::remove(m_db));
    const QString sixty = QString(45, u'n') + QStringLiteral("12345ABCDEFGHIJ"); // 60 characters

    Result r = runOn(m_db, {"add", "--category", "2", "Editor", "", "licence", "C:\\edit.exe", ""});
    QCOMPARE(r.status, 0);
    QVERIFY(ownerOnly(m_db)); // the file holds secrets
    r = runOn(m_db, {"add", "--category", "0", "  Café  ", " anna ", "p€ss é", "https://e.example", sixty});
    QCOMPARE(r.status, 0);
    QVERIFY2(r.out.contains("entry 1 of category 0"), qPrintable(r.out));
    QVERIFY2(r.err.contains("field 5 is longer than 50"), qPrintable(r.err));
    // A field may begin with "--" after a lone "--".
    r = runOn(m_db, {"add", "--category", "0", "--", "--dash", "u", "p", "", "ok"});
    QCOMPARE(r.status, 0);
    QVERIFY2(r.out.contains("entry 2 of category 0"), qPrintable(r.out));

    QCOMPARE(readFile(m_db).size(), 3 * DatabaseLayout::kRecordSize);
    QCOMPARE(readFile(m_db).left(6), QByteArray("Caf\xE9  ")); // one Windows-1252 byte per character

    r = runOn(m_db, {"list", "--show"});
    QCOMPARE(r.status, 0);
    QCOMPARE(r.out, QStringLiteral("0\tCafé\tanna\tp€ss é\thttps://e.example\t%1\n"
                                   "0\t--dash\tu\tp\t\tok\n"
                                   "2\tEditor\t\tlicence\tC:\\edit.exe\t\n")
                        .arg(sixty.left(50)));
    QCOMPARE(r.err, QString());

    r = runOn(m_db, {"remove", "--category", "0", "--index", "1"});
    QCOMPARE(r.status, 0);
    r = runOn(m_db, {"remove", "--index=1", "--category=2"});
    QCOMPARE(r.status, 0);
    QCOMPARE(runCli({"list", "--show", "--db", m_db}).out, QStringLiteral("0\t--dash\tu\tp\t\tok\n"));
    QCOMPARE(readFile(m_db).size(), DatabaseLayout::kRecordSize);
}

void TestCli::listing_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("expected");

    const QString mail = QStringLiteral("0\tMail\tanna\t%1\thttps://mail.example\thome\n");
    const QString shop = QStringLiteral("0\tShop\tanna.b\t%1\thttps://shop.example\ttwo\\tparts\n");
    const QString editor = QStringLiteral("2\tEditor\t\t%1\tC:\\edit.exe\t\n");
    const QString mask = QStringLiteral("******");
    QTest::newRow("masked") << QStringList{"list"} << mail.arg(mask) + shop.arg(mask) + editor.arg(mask);
    QTest::newRow("shown") << QStringList{"list", "--show"}
                           << mail.arg("s3cret") + shop.arg("pä55") + editor.arg("licence");
    QTest::newRow("one category") << QStringList{"list", "--category", "2", "--show"}
                                  << editor.arg("licence");
    QTest::newRow("empty category") << QStringList{"list", "--category=5"} << QString();
    QTest::newRow("search, prefix, shown")
        << QStringList{"search", "u:anna", "--show"} << mail.arg("s3cret") + shop.arg("pä55");
    QTest::newRow("search, one category")
        << QStringList{"search", "--category", "2", "e"} << editor.arg(mask);
    // Numbered within the category from 1, as remove takes them; never the password.
    QTest::newRow("health") << QStringList{"health"}
                            << "0\t1\tMail\tanna\tshorter than 8, weak\n"
                               "0\t2\tShop\tanna.b\tshorter than 8, weak\n"
                               "2\t1\tEditor\t\tshorter than 8, weak\n";
}

void TestCli::listing()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, expected);
    const QStringList before = folderListing(m_home->path());

    const Result r = runOn(m_db, arguments);
    QCOMPARE(r.status, 0);
    QCOMPARE(r.out, expected);
    QCOMPARE(readFile(m_db), sampleDatabase());
    QCOMPARE(folderListing(m_home->path()), before);
}

void TestCli::refusals_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<bool>("fileExists");
    QTest::addColumn<QString>("message");
    const auto row = [](const char* name, const QStringList& arguments, const QString& message,
                        bool fileExists = true) {
        QTest::newRow(name) << arguments << fileExists << message;
    };

    const QStringList five{"a", "b", "c", "d", "e"};
    row("no command", {}, "no command");
    row("unknown command", {"frob"}, "unknown command");
    row("search without words", {"search"}, "search needs at least WORDS...");
    row("unknown global option", {"--force", "list"}, "unknown option --force");
    // Every number is read by one rule: digits only, nothing around them, within the option's range.
    const QString category = QStringLiteral("--category must be a whole number from 0 to 5");
    row("category 6", {"list", "--category", "6"}, category);
    row("separator without words", {"generate", "--separator", "+"}, "--separator needs --words");
    row("symbols with words", {"generate", "--words", "5", "--symbols"},
        "--symbols is for passwords of characters");
    row("every kind in 2 characters", {"generate", "--every-kind", "--length", "2"},
        "2 characters cannot hold one of each of 3 kinds.");
    row("export without --csv", {"export"}, "export needs --csv");
    row("export, unknown layout", {"export", "--csv", "--layout", "excel"},
        "--layout must be one of keyvane");
    row("index plus", {"remove", "--category", "0", "--index=+1"}, "--index must be");
    // A doubled option is refused for every command, not resolved by the last one.
    row("doubled index", {"remove", "--category", "0", "--index", "2", "--index", "1"},
        "--index is given more than once");
    row("doubled db", {"list", "--db", "other.adr"}, "--db is given");
    row("generate with a field", {"generate", "12"}, "takes no fields");
    row("report without kind", {"report", "--categories", "0"}, "choose --html or --text");
    row("report without categories", {"report", "--html"}, "report needs --categories");
    row("report to an empty name", {"report", "--html", "--categories", "0", "-o", ""},
        "-o needs a file name");
    row("add without category", QStringList{"add"} + five, "needs --category");
    row("add four fields", {"add", "--category", "0", "a", "b", "c", "d"}, "exactly 5 fields, not 4");
    // An unknown word may be a mistyped password: it is not repeated.
    row("secret-looking option", QStringList{"add", "--category", "0", "--Pa$$w0rd=x"} + five,
        "(a word beginning with -)");
    row("field with one dash", {"add", "--category", "0", "a", "b", "-Pa$$w0rd", "d", "e"},
        "a field that begins with - goes after a lone --");
    row("secret-looking command", {"Pa$$w0rd"}, "(a word that is no command)");
    row("add a field the file cannot keep", {"add", "--category", "0", "a", "b", "hasło€Ω", "d", "e"},
        "field 3 holds characters that cannot be kept: \"ł\", \"Ω\"");
    row("add a field 3 whose last character the file would lose",
        {"add", "--category", "0", "x", "u", "abcÊ", "", ""}, "cannot end in \"Ê\"");
    row("index 0", {"remove", "--category", "0", "--index", "0"}, "number from 1");
    row("index past the end", {"remove", "--category", "0", "--index", "3"}, "category 0 has 2 entries");
    row("copy without a display", {"copy", "--category", "0", "--index", "2", "--seconds", "1"},
        "there is no display");
    row("copy an empty field", {"copy", "--category", "2", "--index", "1", "--field", "2", "--seconds", "1"},
        "field 2 of that entry is empty");
    row("remove from a missing file", {"remove", "--category", "0", "--index", "1"}, "there is no database",
        false);
    row("add with bad fields to a missing file", {"add", "--category", "0", "a"}, "exactly 5 fields", false);
}

void TestCli::refusals()
{
    QFETCH(QStringList, arguments);
    QFETCH(bool, fileExists);
    QFETCH(QString, message);
    if (!fileExists) QVERIFY(QFile::remove(m_db));
    const QStringList before = folderListing(m_home->path());

    const Result r = runOn(m_db, arguments);
    QCOMPARE(r.status, 1);
    QCOMPARE(r.out, QString());
    QVERIFY2(r.err.startsWith("keyvane-cli: ") && r.err.endsWith('\n') && r.err.count('\n') == 1,
             qPrintable(r.err));
    QVERIFY2(r.err.contains(message), qPrintable(r.err));
    QVERIFY(!r.err.contains("Pa$$w0rd"));
    QCOMPARE(folderListing(m_home->path()), before); // nothing created: no database, lock or copy
    if (fileExists) QCOMPARE(readFile(m_db), sampleDatabase());
}

// What could be read of a damaged file is listed, but never written back or merged elsewhere; the kinds of
// damage are the decoder's tests.
void TestCli::damagedFile()
{
    const QByteArray bytes = sampleDatabase() + QByteArray(100, 'x');
    const QString problem = QStringLiteral("incomplete last record of 100 byte(s)");
    QVERIFY(writeFile(m_db, bytes));
    const QStringList before = folderListing(m_home->path());

    Result r = runOn(m_db, {"list"});
    QCOMPARE(r.status, 2);
    QCOMPARE(r.out.count('\n'), 3); // the three whole records still list
    QVERIFY(r.out.startsWith("0\tMail\t"));
    QVERIFY2(r.err.contains(problem), qPrintable(r.err));

    r = runOn(m_db, {"add", "--category", "1", "a", "b", "c", "d", "e"});
    QCOMPARE(r.status, 1);
    QVERIFY2(r.err.contains(problem), qPrintable(r.err));
    r = runOn(m_db, {"remove", "--category", "0", "--index", "1"});
    QCOMPARE(r.status, 1);
    QCOMPARE(readFile(m_db), bytes);
    QCOMPARE(folderListing(m_home->path()), before); // and no backup copy either

    // Nor is what could be read of it merged into another database.
    const QString other = m_home->file(QStringLiteral("other.adr"));
    QVERIFY(writeFile(other, sampleDatabase()));
    r = runOn(other, {"merge", m_db});
    QCOMPARE(r.status, 1);
    QVERIFY2(r.err.contains(problem), qPrintable(r.err));
    QCOMPARE(readFile(other), sampleDatabase());
}

void TestCli::mergeOther()
{
    const QString other = m_home->file(QStringLiteral("mine.sync-conflict-20261206-101010-ABCDEFG.adr"));
    const QByteArray shop =
        encodeRecord(Entry{"Shop", "anna.b", "pä55", "https://shop.example", "two\tparts"}, 0);
    const QByteArray otherBytes = encodeRecord(Entry{"New", "", "", "", ""}, 5) + shop + shop +
                                  encodeRecord(Entry{"Mail", "anna", "changed", "", ""}, 0);
    QVERIFY(writeFile(other, otherBytes));

    const Result r = runOn(m_db, {"merge", other});
    QCOMPARE(r.status, 0);
    QCOMPARE(r.out, QStringLiteral("Added 3 entries from %1.\n").arg(other));
    QCOMPARE(runOn(m_db, {"list"}).out.count(u'\n'), 6); // which ones, and where, is the merge core's test
    QCOMPARE(readFile(other), otherBytes);
}

void TestCli::lockedDatabase()
{
    {
        QLockFile appLock(m_db + QStringLiteral(".lock"));
        QVERIFY(appLock.tryLock(0));

        Result r = runOn(m_db, {"add", "--category", "1", "a", "b", "c", "d", "e"});
        QCOMPARE(r.status, 1);
        QVERIFY2(r.err.contains("in use"), qPrintable(r.err));
        QCOMPARE(runOn(m_db, {"remove", "--category", "0", "--index", "1"}).status, 1);
        QCOMPARE(readFile(m_db), sampleDatabase());
        // Reading needs no lock: the app replaces the file whole when it saves.
        r = runOn(m_db, {"list"});
        QCOMPARE(r.status, 0);
        QCOMPARE(r.out.count('\n'), 3);
    }
    QCOMPARE(runOn(m_db, {"add", "--category", "1", "a", "b", "c", "d", "e"}).status, 0);
    QCOMPARE(readFile(m_db).size(), 4 * DatabaseLayout::kRecordSize);
    QVERIFY(!QFile::exists(m_db + QStringLiteral(".lock")));
    // An empty lock file, left by a crash before the process id was written, holds nothing.
    QVERIFY(writeFile(m_db + QStringLiteral(".lock"), QByteArray()));
    QCOMPARE(runOn(m_db, {"add", "--category", "1", "a", "b", "c", "d", "e"}).status, 0);
    QCOMPARE(readFile(m_db).size(), 5 * DatabaseLayout::kRecordSize);
}

void TestCli::fullStore()
{
    const QByteArray full =
        encodeRecord(Entry{"Site", "user", "pass", "url", "notes"}, 5).repeated(EntryStore::kMaxEntries);
    QVERIFY(writeFile(m_db, full));

    const Result r = runOn(m_db, {"add", "--category", "0", "a", "b", "c", "d", "e"});
    QCOMPARE(r.status, 1);
    QCOMPARE(r.err, QStringLiteral("keyvane-cli: %1\n").arg(EntryStore::kFullMessage));
    QVERIFY(readFile(m_db) == full);
}

void TestCli::defaultPath_data()
{
    QTest::addColumn<QString>("diffDb"); // stored DiffDB, empty for none
    QTest::addColumn<bool>("perUser");

    QTest::newRow("no settings") << QString() << true;
    QTest::newRow("DiffDB 1") << "1" << true;
    QTest::newRow("DiffDB 0") << "0" << false;
}

void TestCli::defaultPath()
{
    QFETCH(QString, diffDb);
    QFETCH(bool, perUser);
    if (!diffDb.isEmpty()) QVERIFY(SettingsStore().write(SettingKey::DiffDB, diffDb));
    const QString login = AppPaths::loginName();
    const QString expected = m_home->file(perUser && !login.isEmpty() ? login + QStringLiteral(".adr")
                                                                      : QStringLiteral("default.adr"));
    const QString other =
        m_home->file(perUser ? QStringLiteral("default.adr") : login + QStringLiteral(".adr"));

    QCOMPARE(runCli({"list"}).status, 1); // not there yet, and listing does not create it
    QVERIFY(!QFile::exists(expected));
    QCOMPARE(runCli({"add", "--category", "5", "Locker", "anna", "", "", ""}).status, 0);
    QCOMPARE(readFile(expected).size(), DatabaseLayout::kRecordSize);
    QVERIFY(!QFile::exists(other));
    QCOMPARE(runCli({"list"}).out, QStringLiteral("5\tLocker\tanna\t******\t\t\n"));
}

void TestCli::help()
{
    Result r = runCli({"--help"});
    QCOMPARE(r.status, 0);
    for (const char* command : {"list", "add", "remove", "generate", "report"})
        QVERIFY2(r.out.contains(QStringLiteral("\n  %1 ").arg(command)), command);
    // Each command's help comes from its declared options, and asks for nothing else.
    r = runCli({"remove", "--help"});
    QCOMPARE(r.status, 0);
    QVERIFY2(r.out.startsWith("Usage: keyvane-cli [--db FILE] remove --category N --index I\n"),
             qPrintable(r.out));
    QVERIFY2(r.out.contains("\n  --index I "), qPrintable(r.out));
}

// Field bytes that a line-based or code-page-blind writer would get wrong: TAB, CR, LF and 0x80 to 0x9F.
namespace Awkward {
// What those 32 bytes are in Windows-1252, the five undefined codes kept as the C1 controls.
QByteArray highUtf8()
{
    const char16_t points[] = {0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                               0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
                               0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                               0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};
    return QString::fromUtf16(points, std::size(points)).toUtf8();
}
// A web page, whose field 4 is a link, and a remote system, whose field 4 is not. The writer stores the
// characters of 0x80-0x9F as those bytes.
QByteArray database(bool outOfOrder)
{
    const Entry web = Entry{"Tab\there", "cr\rlf\n", "p\u20AC\u0178w", "https://a.example/\u2026",
                            QString::fromUtf8(highUtf8())};
    const QByteArray first = encodeRecord(web, 0);
    const QByteArray second = encodeRecord(Entry{"host\r\n", "\t", "", "Linux", "end"}, 4);
    return outOfOrder ? second + first : first + second;
}
// The report file the app's own builder makes of that database, of categories 0 and 4.
QByteArray appReport(bool html, bool mask)
{
    QByteArray bytes = database(false);
    QBuffer file(&bytes);
    file.open(QIODevice::ReadOnly);
    EntryStore store;
    store.setContents(decodeDatabase(file).lists);
    Reports::ReportOptions options;
    options.categories[WebPages] = options.categories[RemoteSystems] = true;
    options.hideSensitive = mask;
    return Reports::reportFileBytes(html ? Reports::htmlReport(store, options)
                                         : Reports::textReport(store, options));
}
} // namespace Awkward

void TestCli::outputBytes_data()
{
    using namespace Awkward;
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QByteArray>("expected");
    QTest::addColumn<bool>("outOfOrder"); // the file's records not in category order

    const QByteArray webLine =
        "0\tTab\\there\tcr\\rlf\\n\t%1\thttps://a.example/\u2026\t" + highUtf8() + "\n";
    const QByteArray remoteLine = "4\thost\\r\\n\t\\t\t%1\tLinux\tend\n";
    QTest::newRow("list, masked") << QStringList{"list"}
                                  << QByteArray(webLine).replace("%1", "******") +
                                         QByteArray(remoteLine).replace("%1", "******")
                                  << false;
    const QByteArray shown = QByteArray(webLine).replace("%1", QByteArray("p\u20AC\u0178w")) +
                             QByteArray(remoteLine).replace("%1", "");
    QTest::newRow("list --show, out of order") << QStringList{"list", "--show"} << shown << true;

    // The command line streams the layout the app builds with, records read in category order.
    QTest::newRow("report --html, out of order")
        << QStringList{"report", "--html", "--categories", "0,4"} << appReport(true, false) << true;
    QTest::newRow("report --text --mask") << QStringList{"report", "--text", "--mask", "--categories", "0,4"}
                                          << appReport(false, true) << false;
}

void TestCli::outputBytes()
{
    QFETCH(QStringList, arguments);
    QFETCH(QByteArray, expected);
    QFETCH(bool, outOfOrder);
    QVERIFY(writeFile(m_db, Awkward::database(outOfOrder)));
    const Result r = runOn(m_db, arguments);
    QCOMPARE(r.status, 0);
    QCOMPARE(r.bytes, expected);
}

void TestCli::generate_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("count");
    QTest::addColumn<QString>("line");
    const auto row = [](const char* name, const QStringList& arguments, int count, const char* line) {
        QTest::newRow(name) << arguments << count << QString::fromLatin1(line);
    };

    row("defaults: one mixed password of six", {}, 1, "[0-9A-NP-Za-np-z]{6}");
    row("digits, several, distinct", {"--type", "1", "--length", "12", "--count", "20"}, 20, "[0-9]{12}");
    row("lower letters, name=value", {"--case=2", "--type=2", "--length=100"}, 1, "[a-np-z]{100}");
    row("symbols without look-alikes", {"--symbols", "--no-lookalike", "--length", "30", "--count", "20"}, 20,
        "(?!.*[lIO01|])[!-~]{30}");
    row("every kind, excluded characters",
        {"--every-kind", "--exclude", "abc", "--length", "3", "--count", "20"}, 20,
        "(?=.*[0-9])(?=.*[A-Z])(?=.*[d-z])[0-9A-Zd-z]{3}");
    row("passphrases", {"--words", "4", "--separator", "_", "--count", "5"}, 5, "[a-z-]+(_[a-z-]+){3}");
}

void TestCli::generate()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, count);
    QFETCH(QString, line);

    const Result r = runCli(QStringList{"generate"} + arguments);
    QCOMPARE(r.status, 0);
    QCOMPARE(r.err, QString());
    const QStringList lines = r.out.chopped(1).split(QLatin1Char('\n'));
    QCOMPARE(lines.size(), count);
    const QRegularExpression shape(QStringLiteral("^%1$").arg(line));
    for (const QString& password : lines)
        QVERIFY2(shape.match(password).hasMatch(), qPrintable(password));
    QCOMPARE( // each line a fresh draw, not one password repeated
        QSet<QString>(lines.cbegin(), lines.cend()).size(), count);
}

void TestCli::masterPassword_data()
{
    QTest::addColumn<bool>("sealed"); // else plain, with RequirePW=1 and "right" as PW
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QByteArray>("input");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("listed"); // in list --show afterwards, when the command succeeded
    const auto row = [](const char* name, bool sealed, const QStringList& arguments, const QByteArray& input,
                        int status, const QString& listed) {
        QTest::newRow(name) << sealed << arguments << input << status << listed;
    };

    const QStringList list{"list", "--show"};
    const QStringList add{"add", "--category", "1", "X", "y", "-", "z", ""};
    const QStringList report{"report", "--text", "--categories", "0"};
    row("sealed, right", true, list, "right\n", 0, "s3cret");
    row("sealed, wrong", true, {"list"}, "wrong\n", 1, "");
    row("sealed, no input", true, {"list"}, "", 1, "");
    row("sealed, add - after it", true, add, "right\nnew pass\n", 0, "1\tX\ty\tnew pass\tz\t\n");
    row("sealed, masked report", true, report + QStringList{"--mask"}, "right\n", 0, "Mail");
    row("required, masked list", false, {"list"}, "", 0, "");
    row("required, shown list", false, list, "right\n", 0, "s3cret");
    row("required, wrong", false, list, "wrong\n", 1, "");
    row("required, report", false, report, "", 1, "");
    row("required, add wrong", false, add, "wrong\nx\n", 1, "");
    row("required, remove", false, {"remove", "--category", "0", "--index", "1"}, "right\n", 0, "Shop");
    row("required, health", false, {"health"}, "", 0, "");
    row("required, search shown", false, {"search", "anna", "--show"}, "wrong\n", 1, "");
    row("required, export", false, {"export", "--csv"}, "", 1, "");
}

void TestCli::masterPassword()
{
    QFETCH(bool, sealed);
    QFETCH(QStringList, arguments);
    QFETCH(QByteArray, input);
    QFETCH(int, status);
    QFETCH(QString, listed);
    if (sealed)
        QVERIFY(sealQuickly(m_db, QStringLiteral("right")));
    else
        QVERIFY(SettingsStore().write(SettingKey::RequirePW, "1") &&
                SettingsStore().writeSecret(SettingKey::PW, "right"));
    const QByteArray before = readFile(m_db);

    const Result r = runOn(m_db, arguments, input);
    QCOMPARE(r.status, status);
    QCOMPARE(SealedFile::isSealed(readFile(m_db)), sealed); // a sealed file is saved sealed
    if (status != 0) {
        QCOMPARE(r.out, QString()); // nothing of the file is taken for records
        QCOMPARE(readFile(m_db), before);
        QCOMPARE(r.err.count(QLatin1Char('\n')), 1);
        return;
    }
    const Result after = runOn(m_db, {"list", "--show"}, "right\n");
    QVERIFY2(after.out.contains(listed), qPrintable(after.out));
}

void TestCli::encryptDecrypt()
{
    // The app's own database, so the settings follow: no PW while it is sealed, PW again once it is plain.
    const QString db =
        AppPaths::databasePath(SettingsStore().flag(SettingKey::DiffDB), AppPaths::loginName());
    QVERIFY(writeFile(db, sampleDatabase()));
    QCOMPARE(runOn(db, {"encrypt"}, "\n").status, 1);  // an empty password
    QCOMPARE(runOn(db, {"decrypt"}, "x\n").status, 1); // not sealed
    QVERIFY(SettingsStore().write(SettingKey::RequirePW, "1") &&
            SettingsStore().writeSecret(SettingKey::PW, "right"));
    QCOMPARE(runOn(db, {"encrypt"}, "wrong\n").status, 1);

    QCOMPARE(runOn(db, {"encrypt"}, "right\n").status, 0); // sealed with the master password
    const QByteArray sealedBytes = readFile(db);
    for (const char* text : {"Mail", "anna", "s3cret", "mail.example", "home", "licence"})
        QVERIFY2(!sealedBytes.contains(text), text);
    QVERIFY(!SettingsStore().contains(SettingKey::PW));
    QCOMPARE(runOn(db, {"encrypt"}, "right\n").status, 1); // sealed already
    QCOMPARE(runOn(db, {"decrypt"}, "wrong\n").status, 1);
    QCOMPARE(readFile(db), sealedBytes);

    QCOMPARE(runOn(db, {"decrypt"}, "right\n").status, 0);
    QCOMPARE(readFile(db), sampleDatabase());
    QCOMPARE(SettingsStore().readSecret(SettingKey::PW), QStringLiteral("right"));
}

void TestCli::terminalPrompt()
{
    if (QStandardPaths::findExecutable(QStringLiteral("script")).isEmpty())
        QSKIP("no script(1) for a terminal");
    QProcess terminal;
    terminal.start(
        QStringLiteral("script"),
        {"-qec",
         QStringLiteral("'%1' --db '%2' encrypt; echo status=$?; stty -a").arg(KEYVANE_CLI_PATH, m_db),
         "/dev/null"});
    QByteArray seen;
    // Each line typed only once its prompt shows, as a person types it.
    const auto typeAfter = [&](const QByteArray& prompt, const QByteArray& line) {
        while (!seen.contains(prompt) && terminal.waitForReadyRead(10000))
            seen += terminal.readAllStandardOutput();
        terminal.write(line + '\r');
    };
    typeAfter("password: ", "Tr0ub4dor");
    typeAfter("again: ", "Tr0ub4dor");
    QVERIFY(terminal.waitForFinished(60000));
    seen += terminal.readAllStandardOutput();
    QVERIFY2(!seen.contains("Tr0ub4do"), seen.constData()); // never echoed
    QVERIFY2(seen.contains("status=0"), seen.constData());
    QVERIFY2(QRegularExpression(QStringLiteral("\\secho\\s")).match(QString::fromUtf8(seen)).hasMatch(),
             seen.constData()); // and echoing again afterwards
    QVERIFY(SealedFile::isSealed(readFile(m_db)));
}

void TestCli::coreDumpsOff()
{
    // Started with core dumps allowed, as a shell with "ulimit -c unlimited" would start it.
    rlimit hard{};
    getrlimit(RLIMIT_CORE, &hard);
    if (hard.rlim_max == 0) QSKIP("core dumps cannot be allowed here");
    QProcess process;
    process.setChildProcessModifier([] {
        rlimit allowed{};
        getrlimit(RLIMIT_CORE, &allowed);
        allowed.rlim_cur = allowed.rlim_max;
        setrlimit(RLIMIT_CORE, &allowed);
    });
    process.start(QStringLiteral(KEYVANE_CLI_PATH), {"--db", m_home->file(QStringLiteral("core.adr")), "add",
                                                     "--category", "0", "a", "b", "-", "", ""});
    QVERIFY(process.waitForStarted());
    // While it waits for the password on standard input, it holds it in memory: no core file may take it.
    const auto coreLimit = [&process] {
        QFile limits(QStringLiteral("/proc/%1/limits").arg(process.processId()));
        if (!limits.open(QIODevice::ReadOnly)) return QByteArray();
        for (const QByteArray& line : limits.readAll().split('\n'))
            if (line.startsWith("Max core file size")) return line.simplified().split(' ').value(4);
        return QByteArray();
    };
    QTRY_COMPARE(coreLimit(), QByteArray("0"));
    process.write("x\n");
    process.closeWriteChannel();
    QVERIFY(process.waitForFinished(60000));
    QCOMPARE(process.exitCode(), 0);
}

// The figures of each setting are the generator's; here the option reaches them and prints the line.
void TestCli::entropy()
{
    const Result r = runCli({"generate", "--entropy", "--words", "7"});
    QCOMPARE(r.status, 0);
    QCOMPARE(r.out.split(u'\n').value(1), QStringLiteral("90.5 bits")); // 7 * log2(7776)
}

// An export read back by import gives the same entries. Chrome's layout has no folders, so its entries all
// go to the category given; each layout's own round trip is the CSV core's test.
void TestCli::csvRoundTrip()
{
    const QString csv = m_home->file(QStringLiteral("out.csv"));

    const Result toFile = runOn(m_db, {"export", "--csv", "--layout", "chrome", "-o", csv});
    QCOMPARE(toFile.status, 0);
    QVERIFY(ownerOnly(csv));
    QCOMPARE(runOn(m_db, {"export", "--csv", "--layout", "chrome"}).bytes, readFile(csv));

    const QString copy = m_home->file(QStringLiteral("to.adr"));
    const Result imported = runOn(copy, {"import", "--csv", csv, "--category", "4"});
    QCOMPARE(imported.status, 0);
    QCOMPARE(imported.out, QStringLiteral("3 entries imported\n"));
    const QString expected =
        runOn(m_db, {"list", "--show"})
            .out.replace(QRegularExpression("^[0-5]\t", QRegularExpression::MultilineOption), "4\t");
    QCOMPARE(runOn(copy, {"list", "--show"}).out, expected);
}

// One bad row stops the import: every bad row is named by its line, and the database stays as it was.
void TestCli::csvBadRow()
{
    const QString csv = m_home->file(QStringLiteral("in.csv"));
    // Chrome's columns, with a BOM, semicolons and a line break inside quotes, which moves the later lines.
    QVERIFY(writeFile(csv, "\xEF\xBB\xBFname;url;username;password\r\n\"two\nlines\";u;anna;ok\r\nLong;u;" +
                               QByteArray(51, 'x') + ";p\r\nFine;u;v;w\r\nPolish;u;v;has\xC5\x82o\r\n"));

    const Result r = runOn(m_db, {"import", "--csv", csv});
    QCOMPARE(r.status, 1);
    QVERIFY2(r.err.contains("Line 4: username has 51 characters") && r.err.contains("Line 6: password holds"),
             qPrintable(r.err));
    QCOMPARE(readFile(m_db), sampleDatabase());
    QVERIFY(!QFile::exists(m_db + QStringLiteral(".lock")));
}

QTEST_GUILESS_MAIN(TestCli)
#include "tst_cli.moc"
