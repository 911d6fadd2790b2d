#include "store/cipher.h"
#include "store/cp1252.h"
#include "store/databasefile.h"
#include "store/entrystore.h"
#include "tests/support/testhome.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>
#include <csignal>
#include <cstring>
#include <optional>
#include <sys/resource.h>

using namespace DatabaseLayout;

namespace {

Entry fields(const QString& site, const QString& user = {}, const QString& pass = {}, const QString& url = {},
             const QString& notes = {})
{
    return Entry{site, user, pass, url, notes, true};
}

QByteArray padded(const QByteArray& bytes)
{
    return bytes + QByteArray(kFieldSize - bytes.size(), ' ');
}

const QByteArray kCategoryBytes[kCategoryCount] = {
    QByteArray::fromHex("0000000000000000"), QByteArray::fromHex("000000000000F03F"),
    QByteArray::fromHex("0000000000000040"), QByteArray::fromHex("0000000000000840"),
    QByteArray::fromHex("0000000000001040"), QByteArray::fromHex("0000000000001440")};

// A record built by hand from the layout: four plain fields, the sensitive one as given, the category bytes.
QByteArray record(const QByteArray& site, const QByteArray& enciphered, const QByteArray& category)
{
    return padded(site) + padded("u") + padded(enciphered) + padded("") + padded("") + category;
}

// While it lives, files may not grow past limit bytes in this process: writes beyond fail as on a full disk.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t limit)
    {
        getrlimit(RLIMIT_FSIZE, &m_saved);
        std::signal(SIGXFSZ, SIG_IGN);
        rlimit small = m_saved;
        small.rlim_cur = limit;
        setrlimit(RLIMIT_FSIZE, &small);
    }
    ~FileSizeLimit() { setrlimit(RLIMIT_FSIZE, &m_saved); }

private:
    rlimit m_saved{};
};

const QString kTooLarge = QString::fromLocal8Bit(strerror(EFBIG));

void load(EntryStore& store, DatabaseFile& db)
{
    store.setContents(db.read().lists);
}

} // namespace

class TestDatabaseFile : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        QVERIFY(m_dir.isValid());
        m_path = m_dir.filePath(QStringLiteral("anna.adr"));
        QFile::remove(m_path);
    }
    void workedExampleRecord();
    void categoryBytes();
    void roundTripThroughFile();
    void loadsByCategoryInFileOrder();
    void maskedStoreSavesClearValues();
    void emptyStoreGivesEmptyFile();
    void keepsEncipheredLeadingSpace();
    void valuesTheFileCannotKeep_data();
    void valuesTheFileCannotKeep();
    void skipsUnknownCategories();
    void incompleteFileNeedsConsentAndKeepsCopy_data();
    void incompleteFileNeedsConsentAndKeepsCopy();
    void failedSaveKeepsOldFile();
    void lockFile_data();
    void lockFile();
    void filesAreOwnerOnly();

private:
    QTemporaryDir m_dir;
    QString m_path;
};

void TestDatabaseFile::workedExampleRecord()
{
    const QByteArray expected = QByteArray("Locker") + QByteArray(44, ' ') + "anna" + QByteArray(46, ' ') +
                                QByteArray(150, ' ') + QByteArray::fromHex("0000000000001440");
    QCOMPARE(encodeRecord(fields("Locker", "anna"), Misc), expected);
    QCOMPARE(expected.size(), kRecordSize);
}

void TestDatabaseFile::categoryBytes()
{
    for (int c = 0; c < kCategoryCount; ++c)
        QCOMPARE(encodeRecord(fields("x"), c).mid(kCategoryOffset), kCategoryBytes[c]);
}

void TestDatabaseFile::roundTripThroughFile()
{
    EntryStore store;
    const QString sixty = QString(60, QChar(u'é'));
    store.addEntry(fields("Bank €", "anna", "pässwörd€", "https://bank.example", sixty), WebPages);
    store.addEntry(fields("Locker", "anna"), Misc);
    DatabaseFile db(m_path);
    QVERIFY(db.save(store, nullptr));

    const QByteArray bytes = readFile(m_path);
    QCOMPARE(bytes.size(), 2 * kRecordSize);
    // The sensitive field is stored enciphered, in the code page, padded.
    QCOMPARE(bytes.mid(100, 9), encryptBytes(Cp1252::fromUnicode(QStringLiteral("pässwörd€")), kProgramKey));
    QVERIFY(!bytes.mid(100, 50).contains("ss"));
    QCOMPARE(bytes.mid(200, 50), QByteArray(50, '\xe9')); // 60 characters cut to their first 50

    EntryStore reloaded;
    DatabaseFile again(m_path);
    load(reloaded, again);
    const Entry& e = reloaded.list(WebPages).entry(0);
    QCOMPARE(e.site(), QStringLiteral("Bank €"));
    QCOMPARE(e.pass(), QStringLiteral("pässwörd€"));
    QCOMPARE(e.notes(), sixty.left(50));
    QCOMPARE(reloaded.list(Misc).entry(0).user(), QStringLiteral("anna"));
}

void TestDatabaseFile::loadsByCategoryInFileOrder()
{
    QVERIFY(writeFile(m_path, record("two-a", "", kCategoryBytes[2]) + record("zero", "", kCategoryBytes[0]) +
                                  record("two-b", "", kCategoryBytes[2])));
    EntryStore store;
    DatabaseFile db(m_path);
    load(store, db);
    QCOMPARE(store.list(0).count(), 1);
    QCOMPARE(store.list(2).entry(0).site(), QStringLiteral("two-a"));
    QCOMPARE(store.list(2).entry(1).site(), QStringLiteral("two-b"));
    QVERIFY(db.save(store, nullptr));
    QCOMPARE(readFile(m_path).left(4), QByteArray("zero"));
}

void TestDatabaseFile::maskedStoreSavesClearValues()
{
    EntryStore store;
    store.setSensitiveHidden(true);
    store.showPasswords(false);
    store.addEntry(fields("site", "u", "hunter2"), WebPages);
    DatabaseFile db(m_path);
    QVERIFY(db.save(store, nullptr));
    QCOMPARE(readFile(m_path).mid(100, 7), encryptBytes("hunter2", kProgramKey));
}

void TestDatabaseFile::emptyStoreGivesEmptyFile()
{
    QVERIFY(writeFile(m_path, record("old", "", kCategoryBytes[1])));
    EntryStore store;
    DatabaseFile db(m_path);
    load(store, db);
    store.deleteEntry(1, 0);
    QVERIFY(db.save(store, nullptr));
    QVERIFY(QFile::exists(m_path));
    QCOMPARE(QFileInfo(m_path).size(), 0);
}

void TestDatabaseFile::keepsEncipheredLeadingSpace()
{
    // Clear 'Ñ' (209) under key letter 'O' (79) enciphers to a space: it must not be taken for padding.
    EntryStore store;
    store.addEntry(fields("x", "", QStringLiteral("Ñab")), Wallet);
    DatabaseFile db(m_path);
    QVERIFY(db.save(store, nullptr));
    QCOMPARE(readFile(m_path).at(100), ' ');
    EntryStore reloaded;
    DatabaseFile again(m_path);
    load(reloaded, again);
    QCOMPARE(reloaded.list(Wallet).entry(0).pass(), QStringLiteral("Ñab"));

    // At the end such a character cannot be told from padding: it is refused before it reaches the file.
    QVERIFY(!sensitiveFieldProblem(QStringLiteral("abcÊ"), QStringLiteral("Password")).isEmpty());
    QVERIFY(sensitiveFieldProblem(QStringLiteral("abcÊd"), QStringLiteral("Password")).isEmpty());
    QVERIFY(sensitiveFieldProblem(QStringLiteral("Ñab"), QStringLiteral("Password")).isEmpty());
    QVERIFY(sensitiveFieldProblem(QString(), QStringLiteral("Password")).isEmpty());
}

void TestDatabaseFile::valuesTheFileCannotKeep_data()
{
    QTest::addColumn<QString>("site");
    QTest::addColumn<QString>("pass");
    QTest::addColumn<QString>("problem"); // empty: stored as it is
    QTest::newRow("code page, '?' and its unused codes") << "€Šž‰ÿ ?\u0081\u009d"
                                                         << ""
                                                         << "";
    QTest::newRow("each character named once, in order")
        << ""
        << "hasło€Ωł"
        << "The f3 holds characters that cannot be kept: \"ł\", \"Ω\". Remove them, or use others.";
    QTest::newRow("Cyrillic would read back as \"??????\"")
        << "пароль"
        << ""
        << "The f1 holds characters that cannot be kept: \"п\", \"а\", \"р\", \"о\", \"л\", \"ь\".";
    QTest::newRow("a character outside the basic plane")
        << "a😀"
        << ""
        << "The f1 holds characters that cannot be kept: \"😀\".";
    QTest::newRow("only what the file keeps counts") << QString(50, u'x') + "Ω"
                                                     << ""
                                                     << "";
    QTest::newRow("then the padding check") << ""
                                            << "abcÊ"
                                            << "The f3 cannot end in \"Ê\"";
}

void TestDatabaseFile::valuesTheFileCannotKeep()
{
    QFETCH(QString, site);
    QFETCH(QString, pass);
    QFETCH(QString, problem);
    const QString found = entryProblem(fields(site, "u", pass), {"f1", "f2", "f3", "f4", "f5"});
    QVERIFY2(problem.isEmpty() ? found.isEmpty() : found.startsWith(problem), qPrintable(found));
}

void TestDatabaseFile::skipsUnknownCategories()
{
    QByteArray nan = QByteArray::fromHex("000000000000F87F");
    QVERIFY(writeFile(m_path, record("a", "", kCategoryBytes[5]) +
                                  record("bad", "", QByteArray::fromHex("0000000000001840")) +
                                  record("nan", "", nan) + record("b", "", kCategoryBytes[5])));
    DatabaseFile db(m_path);
    const DatabaseContents contents = db.read();
    QCOMPARE(contents.lists[5].size(), 2); // the load goes on past the bad records
    QCOMPARE(contents.badCategoryRecords, 2);
    QVERIFY(!contents.loadedWhole());
    QVERIFY(contents.problems().contains(QStringLiteral("2 record(s) with an unknown category")));
}

void TestDatabaseFile::incompleteFileNeedsConsentAndKeepsCopy_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("loaded");
    const QByteArray one = record("a", "", kCategoryBytes[0]);
    QTest::newRow("partial last record") << one + one.left(200) << 1;
    QTest::newRow("short tail") << one + QByteArray(3, 'x') << 1;
    QByteArray many;
    many.reserve(qsizetype(EntryStore::kMaxEntries + 2) * kRecordSize);
    for (int i = 0; i < EntryStore::kMaxEntries + 2; ++i)
        many += one;
    QTest::newRow("beyond the limit") << many << EntryStore::kMaxEntries;
}

void TestDatabaseFile::incompleteFileNeedsConsentAndKeepsCopy()
{
    QFETCH(QByteArray, bytes);
    QFETCH(int, loaded);
    QVERIFY(writeFile(m_path, bytes));
    EntryStore store;
    DatabaseFile db(m_path);
    const DatabaseContents contents = db.read();
    QCOMPARE(contents.recordsLoaded, loaded);
    QVERIFY(!contents.loadedWhole());
    store.setContents(contents.lists);

    QString error;
    QVERIFY(db.needsOverwriteConsent());
    QVERIFY(!db.save(store, &error));
    QVERIFY(!error.isEmpty());
    QCOMPARE(readFile(m_path), bytes);

    db.allowOverwrite();
    QVERIFY(db.save(store, &error));
    QCOMPARE(readFile(db.backupPath()), bytes);
    QCOMPARE(readFile(m_path).size(), qsizetype(loaded) * kRecordSize);
    QVERIFY(QFile::remove(db.backupPath()));
}

void TestDatabaseFile::failedSaveKeepsOldFile()
{
    const QByteArray old = record("old", "", kCategoryBytes[3]);
    QVERIFY(writeFile(m_path, old));
    EntryStore store;
    DatabaseFile db(m_path);
    load(store, db);
    for (int i = 0; i < 10; ++i)
        store.addEntry(fields("new"), Wallet);

    QString error;
    bool saved_ok = true;
    {
        const FileSizeLimit limit(1024); // the write fails half way
        saved_ok = db.save(store, &error);
    }

    QVERIFY(!saved_ok);
    QVERIFY2(error.contains(kTooLarge), qPrintable(error)); // the system's reason, as for a full disk
    QCOMPARE(readFile(m_path), old);
    QCOMPARE(QDir(m_dir.path()).entryList({QStringLiteral("anna.adr.*")}, QDir::Files), QStringList());
}

void TestDatabaseFile::lockFile_data()
{
    QTest::addColumn<QByteArray>("left"); // the lock file found, or "live" for one held by a running Keyvane
    QTest::addColumn<int>("sizeLimit");   // bytes a file may grow to, or -1
    QTest::addColumn<QString>("refusal"); // empty: the lock is taken
    QTest::newRow("held by a live Keyvane")
        << QByteArray("live") << -1 << "is in use by another Keyvane (process";
    // A crash between creating the file and writing the process id into it leaves it empty.
    QTest::newRow("empty: held by no one") << QByteArray() << -1 << "";
    QTest::newRow("no process id: held by no one") << QByteArray("\nhost\n") << -1 << "";
    QTest::newRow("full disk") << QByteArray("none") << 0 << kTooLarge;
}

void TestDatabaseFile::lockFile()
{
    QFETCH(QByteArray, left);
    QFETCH(int, sizeLimit);
    QFETCH(QString, refusal);
    const QString lockPath = m_path + QStringLiteral(".lock");
    auto live = std::make_unique<DatabaseFile>(m_path);
    if (left == "live")
        QVERIFY(live->lock(nullptr));
    else if (left != "none")
        QVERIFY(writeFile(lockPath, left));

    DatabaseFile db(m_path);
    QString error;
    bool locked = false;
    {
        std::optional<FileSizeLimit> limit;
        if (sizeLimit >= 0) limit.emplace(rlim_t(sizeLimit));
        locked = db.lock(&error);
    }
    QCOMPARE(locked, refusal.isEmpty());
    QVERIFY2(error.contains(refusal), qPrintable(error));
    QVERIFY(!error.contains(QStringLiteral("not writable")));
    if (locked) return;
    live.reset(); // a lock released is free to take
    QFile::remove(lockPath);
    QVERIFY(db.lock(&error));
}

void TestDatabaseFile::filesAreOwnerOnly()
{
    DatabaseFile db(m_path);
    db.read(); // creates the missing file
    QVERIFY(ownerOnly(m_path));
    QFile::setPermissions(m_path, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadOther);
    EntryStore store;
    store.addEntry(fields("x"), 0);
    QVERIFY(db.save(store, nullptr));
    QVERIFY(ownerOnly(m_path));
}

QTEST_GUILESS_MAIN(TestDatabaseFile)
#include "tst_databasefile.moc"
