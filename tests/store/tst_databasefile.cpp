#include "store/cipher.h"
#include "store/cp1252.h"
#include "store/databasefile.h"
#include "store/entrystore.h"
#include "tests/support/testhome.h"

#include <QDir>
#include <QFile>
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

} // namespace

class TestDatabaseFile : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        m_path = m_dir.filePath(QStringLiteral("anna.adr"));
        QFile::remove(m_path);
        m_store = std::make_unique<EntryStore>();
        m_db = std::make_unique<DatabaseFile>(m_path);
    }
    void workedExampleRecord();
    void roundTripThroughFile();
    void valuesTheFileCannotKeep_data();
    void valuesTheFileCannotKeep();
    void loadsInFileOrderSkippingUnknownCategories();
    void incompleteFileNeedsConsentAndKeepsCopy_data();
    void incompleteFileNeedsConsentAndKeepsCopy();
    void failedSaveKeepsOldFile();
    void lockFile_data();
    void lockFile();
    void filesAreOwnerOnly();

private:
    QTemporaryDir m_dir;
    QString m_path;
    std::unique_ptr<EntryStore> m_store; // fresh for each test, as is the file at m_path, not yet read
    std::unique_ptr<DatabaseFile> m_db;
};

void TestDatabaseFile::workedExampleRecord()
{
    const QByteArray expected = QByteArray("Locker") + QByteArray(44, ' ') + "anna" + QByteArray(46, ' ') +
                                QByteArray(150, ' ') + QByteArray::fromHex("0000000000001440");
    QCOMPARE(encodeRecord(fields("Locker", "anna"), Misc), expected);
    for (int c = 0; c < kCategoryCount; ++c)
        QCOMPARE(encodeRecord(fields("x"), c).mid(kCategoryOffset), kCategoryBytes[c]);
}

// Saved from a store that shows its passwords masked, then read back.
void TestDatabaseFile::roundTripThroughFile()
{
    m_store->setSensitiveHidden(true);
    m_store->showPasswords(false);
    const QString sixty = QString(60, QChar(u'é'));
    // Clear 'Ñ' (209) under key letter 'O' (79) enciphers to a space: it must not be taken for padding.
    m_store->addEntry(fields("Bank €", "anna", "Ñässwörd€", "https://bank.example", sixty), WebPages);
    m_store->addEntry(fields("Locker", "anna"), Misc);
    QVERIFY(m_db->save(*m_store, nullptr));

    const QByteArray bytes = readFile(m_path);
    QCOMPARE(bytes.size(), 2 * kRecordSize);
    // The sensitive field is stored enciphered from its clear value, in the code page, padded.
    QCOMPARE(bytes.mid(100, 9), encryptBytes(Cp1252::fromUnicode(QStringLiteral("Ñässwörd€")), kProgramKey));
    QCOMPARE(bytes.at(100), ' ');
    QCOMPARE(bytes.mid(200, 50), QByteArray(50, '\xe9')); // 60 characters cut to their first 50

    EntryStore reloaded;
    reloaded.setContents(DatabaseFile(m_path).read().lists);
    const Entry& e = reloaded.list(WebPages).entry(0);
    QCOMPARE(e.pass(), QStringLiteral("Ñässwörd€"));
    QCOMPARE(e.notes(), sixty.left(50));
    QCOMPARE(reloaded.list(Misc).entry(0).user(), QStringLiteral("anna"));
}

void TestDatabaseFile::valuesTheFileCannotKeep_data()
{
    QTest::addColumn<QString>("site");
    QTest::addColumn<QString>("pass");
    QTest::addColumn<QString>("problem"); // empty: stored as it is
    // A field 3 that enciphers to a space before its end keeps it.
    QTest::newRow("code page, '?', its unused codes") << "€Šž‰ÿ ?\u0081\u009d"
                                                      << "ÑabÊd"
                                                      << "";
    QTest::newRow("each character named once, in order")
        << ""
        << "hasło€Ωł"
        << "The f3 holds characters that cannot be kept: \"ł\", \"Ω\". Remove them, or use others.";
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

// Records come into their lists in file order; one of no known category is skipped and counted, and the
// load goes on past it. A save writes the lists in category order.
void TestDatabaseFile::loadsInFileOrderSkippingUnknownCategories()
{
    QVERIFY(writeFile(m_path, record("two-a", "", kCategoryBytes[2]) +
                                  record("bad", "", QByteArray::fromHex("0000000000001840")) +
                                  record("zero", "", kCategoryBytes[0]) +
                                  record("nan", "", QByteArray::fromHex("000000000000F87F")) +
                                  record("two-b", "", kCategoryBytes[2])));
    const DatabaseContents contents = m_db->read();
    QCOMPARE(contents.badCategoryRecords, 2);
    QVERIFY(contents.problems().contains(QStringLiteral("2 record(s) with an unknown category")));
    m_store->setContents(contents.lists);
    QCOMPARE(m_store->list(0).count(), 1);
    QCOMPARE(m_store->list(2).entry(0).site(), QStringLiteral("two-a"));
    QCOMPARE(m_store->list(2).entry(1).site(), QStringLiteral("two-b"));
    QCOMPARE(encodeDatabase(*m_store).left(4), QByteArray("zero"));
}

void TestDatabaseFile::incompleteFileNeedsConsentAndKeepsCopy_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("loaded");
    const QByteArray one = record("a", "", kCategoryBytes[0]);
    QTest::newRow("partial last record") << one + one.left(200) << 1;
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
    const DatabaseContents contents = m_db->read();
    QCOMPARE(contents.recordsLoaded, loaded);
    m_store->setContents(contents.lists);

    QVERIFY(m_db->needsOverwriteConsent());
    QVERIFY(!m_db->save(*m_store, nullptr));
    QCOMPARE(readFile(m_path), bytes);

    m_db->allowOverwrite();
    QVERIFY(m_db->save(*m_store, nullptr));
    QCOMPARE(readFile(m_db->backupPath()), bytes);
    QCOMPARE(readFile(m_path).size(), qsizetype(loaded) * kRecordSize);
    QVERIFY(QFile::remove(m_db->backupPath()));
}

void TestDatabaseFile::failedSaveKeepsOldFile()
{
    const QByteArray old = record("old", "", kCategoryBytes[3]);
    QVERIFY(writeFile(m_path, old));
    m_store->setContents(m_db->read().lists);
    for (int i = 0; i < 10; ++i)
        m_store->addEntry(fields("new"), Wallet);

    QString error;
    bool saved_ok = true;
    {
        const FileSizeLimit limit(1024); // the write fails half way
        saved_ok = m_db->save(*m_store, &error);
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
    QTest::newRow("full disk") << QByteArray("none") << 0 << kTooLarge;
}

void TestDatabaseFile::lockFile()
{
    QFETCH(QByteArray, left);
    QFETCH(int, sizeLimit);
    QFETCH(QString, refusal);
    const QString lockPath = m_path + QStringLiteral(".lock");
    DatabaseFile live(m_path);
    if (left == "live")
        QVERIFY(live.lock(nullptr));
    else if (left != "none")
        QVERIFY(writeFile(lockPath, left));

    QString error;
    bool locked = false;
    {
        std::optional<FileSizeLimit> limit;
        if (sizeLimit >= 0) limit.emplace(rlim_t(sizeLimit));
        locked = m_db->lock(&error);
    }
    QCOMPARE(locked, refusal.isEmpty());
    QVERIFY2(error.contains(refusal), qPrintable(error));
    QFile::remove(lockPath);
}

// Created, rewritten and emptied, the file stays owner-only; an empty store leaves an empty file.
void TestDatabaseFile::filesAreOwnerOnly()
{
    m_db->read(); // creates the missing file
    QVERIFY(ownerOnly(m_path));
    m_store->addEntry(fields("x"), 0);
    QVERIFY(m_db->save(*m_store, nullptr));
    QFile::setPermissions(m_path, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadOther);
    m_store->deleteEntry(0, 0);
    QVERIFY(m_db->save(*m_store, nullptr));
    QCOMPARE(readFile(m_path), QByteArray());
    QVERIFY(ownerOnly(m_path));
}

QTEST_GUILESS_MAIN(TestDatabaseFile)
#include "tst_databasefile.moc"
