#include "store/databasefile.h"
#include "store/databasemerge.h"
#include "store/entrystore.h"
#include "tests/support/quickseal.h"
#include "tests/support/testhome.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <fcntl.h>
#include <sys/stat.h>

namespace {

// "0:A 0:B 3:C.x": category, then field 1; what follows a dot goes into field 5, so "A" and "A.x" are one
// entry before and after an edit.
EntryLists lists(const QString& text)
{
    EntryLists result;
    for (const QString& item : text.split(u' ', Qt::SkipEmptyParts)) {
        const QStringList parts = item.mid(2).split(u'.');
        result[item.left(1).toInt()].append(
            Entry{parts.at(0), QStringLiteral("user"), QStringLiteral("pw"), {}, parts.value(1), true});
    }
    return result;
}

QString text(const EntryLists& lists)
{
    QStringList items;
    for (int c = 0; c < kCategoryCount; ++c)
        for (const Entry& e : lists[c])
            items << QStringLiteral("%1:%2").arg(c).arg(e.notes().isEmpty() ? e.site().toString()
                                                                            : e.site().toString() + u'.' +
                                                                                  e.notes().toString());
    return items.join(u' ');
}

QByteArray records(const QStringList& sites, int category = 0)
{
    QByteArray bytes;
    for (const QString& site : sites)
        bytes += encodeRecord(Entry{site, QStringLiteral("user"), {}, {}, {}, false}, category);
    return bytes;
}

// Writes as another copy would: renamed over the database as sync engines do, or written in place; either
// way with the old modification time, as a sync engine sets the other computer's.
void writeAsOtherCopy(const QString& path, const QByteArray& bytes, bool inPlace)
{
    struct stat before;
    QCOMPARE(::stat(QFile::encodeName(path).constData(), &before), 0);
    const QString target = inPlace ? path : path + QStringLiteral(".syncing");
    QVERIFY(writeFile(target, bytes));
    const struct timespec times[2] = {before.st_atim, before.st_mtim};
    QCOMPARE(::utimensat(AT_FDCWD, QFile::encodeName(target).constData(), times, 0), 0);
    if (!inPlace)
        QCOMPARE(::rename(QFile::encodeName(target).constData(), QFile::encodeName(path).constData()), 0);
}

} // namespace

class TestDatabaseMerge : public QObject {
    Q_OBJECT
private slots:
    void mergeChanges_data();
    void mergeChanges();
    void mergeMissing_data();
    void mergeMissing();
    void limit();
    void checkBeforeSave_data();
    void checkBeforeSave();
    void theirsNotWholeIsKeptAside_data();
    void theirsNotWholeIsKeptAside();
    void conflictCopiesBeside_data();
    void conflictCopiesBeside();

private:
    QTemporaryDir m_dir;
};

void TestDatabaseMerge::mergeChanges_data()
{
    QTest::addColumn<QString>("base");
    QTest::addColumn<QString>("mine");
    QTest::addColumn<QString>("theirs");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<int>("added");
    QTest::addColumn<int>("removed");

    QTest::newRow("added by me, at the end of the category") << "0:A 1:B"
                                                             << "0:X 0:A 1:B"
                                                             << "0:A 1:B 1:C"
                                                             << "0:A 0:X 1:B 1:C" << 1 << 0;
    QTest::newRow("removed by them") << "0:A 0:B"
                                     << "0:A 0:B"
                                     << "0:B"
                                     << "0:B" << 0 << 1;
    QTest::newRow("removed by me, added by them (the story)") << "0:A 0:B"
                                                              << "0:B"
                                                              << "0:A 0:B 5:FromOtherPC"
                                                              << "0:B 5:FromOtherPC" << 1 << 0;
    QTest::newRow("edited on both sides keeps both") << "0:A"
                                                     << "0:A.mine"
                                                     << "0:A.theirs"
                                                     << "0:A.theirs 0:A.mine" << 1 << 0;
    QTest::newRow("one of two duplicates removed by me") << "0:A 0:A 0:B"
                                                         << "0:A 0:B"
                                                         << "0:A 0:A 0:B 0:C"
                                                         << "0:A 0:B 0:C" << 1 << 0;
    QTest::newRow("an entry in another category is another entry") << "0:A"
                                                                   << "0:A 1:A"
                                                                   << "0:A 0:B"
                                                                   << "0:A 0:B 1:A" << 1 << 0;
}

void TestDatabaseMerge::mergeChanges()
{
    QFETCH(QString, base);
    QFETCH(QString, mine);
    QFETCH(QString, theirs);
    const MergeResult result = ::mergeChanges(lists(base), lists(mine), lists(theirs));
    QTEST(text(result.lists), "expected");
    QTEST(result.added, "added");
    QTEST(result.removed, "removed");
}

void TestDatabaseMerge::mergeMissing_data()
{
    QTest::addColumn<QString>("mine");
    QTest::addColumn<QString>("other");
    QTest::addColumn<QString>("expected");

    QTest::newRow("new entries at the end of their category") << "0:A 1:B"
                                                              << "0:C 1:B 0:A"
                                                              << "0:A 0:C 1:B";
    QTest::newRow("held twice there, once here: added once") << "0:A"
                                                             << "0:A 0:A"
                                                             << "0:A 0:A";
    QTest::newRow("an edit is another entry") << "0:A"
                                              << "0:A.x"
                                              << "0:A 0:A.x";
}

void TestDatabaseMerge::mergeMissing()
{
    QFETCH(QString, mine);
    QFETCH(QString, other);
    QFETCH(QString, expected);
    const MergeResult result = ::mergeMissing(lists(mine), lists(other));
    QCOMPARE(text(result.lists), expected);
    QCOMPARE(result.added, int(expected.count(u':') - mine.count(u':')));
}

// Theirs fills the store but for one place: of my two additions one fits, the other is counted, not lost
// silently.
void TestDatabaseMerge::limit()
{
    EntryLists theirs;
    for (int n = 0; n < EntryStore::kMaxEntries - 1; ++n)
        theirs[5].append(Entry{QString::number(n), {}, {}, {}, {}, false});
    const MergeResult result = ::mergeChanges({}, lists("0:X 4:Y"), theirs);
    QCOMPARE(result.lists[0].size(), 1);
    QCOMPARE(result.lists[4].size(), 0);
    QCOMPARE(result.overLimit, 1);
}

void TestDatabaseMerge::checkBeforeSave_data()
{
    QTest::addColumn<QByteArray>("loaded");
    QTest::addColumn<QByteArray>("theirs");
    QTest::addColumn<bool>("inPlace");
    QTest::addColumn<QString>("saved");

    // Mine: A deleted. "C" is B edited by the other copy, the same size.
    const QByteArray ab = records({"A", "B"});
    const QByteArray added = ab + records({"FromOtherPC"}, 5);
    QTest::newRow("renamed in, an entry added") << ab << added << false << "0:B 5:FromOtherPC";
    QTest::newRow("renamed in, same size and time") << ab << records({"A", "C"}) << false << "0:C";
    QTest::newRow("written in place, same size and time") << ab << records({"A", "C"}) << true << "0:C";
    QTest::newRow("deleted: nothing to merge") << ab << QByteArray() << false << "0:B";
    // Merged over a file that did not load whole, a whole copy is written without asking.
    QTest::newRow("renamed in over a damaged file") << ab + "cut" << added << false << "0:B 5:FromOtherPC";
}

void TestDatabaseMerge::checkBeforeSave()
{
    QFETCH(QByteArray, loaded);
    QFETCH(QByteArray, theirs);
    QFETCH(bool, inPlace);
    const QString path = m_dir.filePath(QStringLiteral("anna.adr"));
    QVERIFY(writeFile(path, loaded));
    DatabaseFile db(path);
    EntryStore store;
    store.setContents(db.read().lists);
    store.deleteEntry(0, 0);
    if (theirs.isNull())
        QVERIFY(QFile::remove(path));
    else
        writeAsOtherCopy(path, theirs, inPlace);

    const std::optional<DatabaseContents> changed = db.changedOnDisk();
    QCOMPARE(bool(changed), !theirs.isNull());
    if (changed) QCOMPARE(db.mergeChangesInto(store, *changed).overLimit, 0);
    QVERIFY(db.save(store, nullptr));
    QTEST(text(DatabaseFile(path).read().lists), "saved");
    QVERIFY(!db.changedOnDisk()); // what was saved is now what the file is compared with
}

// A theirs that did not load whole, or that this session's key does not open, is handed back for a
// question, and its bytes can be kept as they were.
void TestDatabaseMerge::theirsNotWholeIsKeptAside_data()
{
    QTest::addColumn<bool>("sealed");
    QTest::newRow("a cut-off record") << false;
    QTest::newRow("sealed with another password") << true;
}

void TestDatabaseMerge::theirsNotWholeIsKeptAside()
{
    QFETCH(bool, sealed);
    const auto key = [](QString password) { return SealKey::derive(password, quickParams()); };
    const QString path = m_dir.filePath(QStringLiteral("cut%1.adr").arg(sealed));
    DatabaseFile db(path);
    if (sealed) db.setKey(key(QStringLiteral("mine")));
    db.read();
    const QByteArray theirs = sealed ? SealedFile::seal(records({"A"}), *key(QStringLiteral("theirs")))
                                     : records({"A", "B"}) + "partial";
    writeAsOtherCopy(path, theirs, false);

    const std::optional<DatabaseContents> changed = db.changedOnDisk();
    QVERIFY(changed && !changed->loadedWhole());
    QString copy;
    QVERIFY(db.keepConflictCopy(&copy, nullptr));
    QVERIFY(copy.startsWith(path + QStringLiteral(".conflict-")));
    QCOMPARE(readFile(copy), theirs);
    QVERIFY(!db.changedOnDisk()); // kept aside: the file may now be written over
}

void TestDatabaseMerge::conflictCopiesBeside_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("found");
    QTest::newRow("sync-conflict") << "anna.sync-conflict-20261206-101010-ABCDEFG.adr" << true;
    QTest::newRow("conflicted copy") << "anna (Bob's conflicted copy 2026-12-06).adr" << true;
    QTest::newRow("kept by Keyvane") << "anna.adr.conflict-20261206-101010" << true;
    QTest::newRow("another user's copy") << "bob.sync-conflict-20261206-101010-ABCDEFG.adr" << false;
    QTest::newRow("a partial download") << "anna.adr.conflict-20261206-101010.tmp" << false;
}

void TestDatabaseMerge::conflictCopiesBeside()
{
    QFETCH(QString, name);
    QFETCH(bool, found);
    QTemporaryDir dir;
    for (const QString& file : {QStringLiteral("anna.adr"), name})
        QVERIFY(QFile(dir.filePath(file)).open(QIODevice::WriteOnly));
    QCOMPARE(::conflictCopiesBeside(dir.filePath(QStringLiteral("anna.adr"))),
             found ? QStringList{name} : QStringList());
}

QTEST_GUILESS_MAIN(TestDatabaseMerge)
#include "tst_databasemerge.moc"
