#include "store/entrystore.h"

#include <QAbstractItemModelTester>
#include <QSignalSpy>
#include <QTest>

namespace {
Entry fields(const QString& site, const QString& user = {}, const QString& pass = {}, const QString& url = {},
             const QString& notes = {})
{
    return Entry{site, user, pass, url, notes, true};
}
} // namespace

class TestEntryStore : public QObject {
    Q_OBJECT
private slots:
    void addTrimsAppendsAndHandsBackPosition();
    void maskingDerivesFromClearValue();
    void deleteAndReinsert();
    void refusesEntryBeyondLimit();
    void setFieldKeepsTheOthers();
};

void TestEntryStore::addTrimsAppendsAndHandsBackPosition()
{
    EntryStore store;
    QAbstractItemModelTester tester(&store.list(Misc));
    QSignalSpy changed(&store, &EntryStore::databaseChangedChanged);
    const std::optional<int> at = store.addEntry(fields("  Locker ", " anna", " in ner ", "\tx ", " "), Misc);
    QCOMPARE(at, std::optional<int>(1));
    const Entry& e = store.list(Misc).entry(0);
    QCOMPARE(e.site(), QStringLiteral("Locker"));
    QCOMPARE(e.pass(), QStringLiteral("in ner"));
    QCOMPARE(e.url(), QStringLiteral("\tx")); // only spaces are trimmed
    QCOMPARE(e.notes(), QString());
    QVERIFY(e.bold);
    QVERIFY(store.databaseChanged());
    QCOMPARE(changed.count(), 1);
    // At a position, before the entry there; an equal entry is another entry.
    QCOMPARE(store.addEntry(fields("first"), Misc, 1), std::optional<int>(1));
    QCOMPARE(store.addEntry(fields("Locker"), Misc), std::optional<int>(3));
    QCOMPARE(store.list(Misc).entry(0).site(), QStringLiteral("first"));
}

void TestEntryStore::maskingDerivesFromClearValue()
{
    EntryStore store;
    QAbstractItemModelTester tester(&store.list(WebPages));
    store.setSensitiveHidden(true);
    store.showPasswords(false);
    store.addEntry(fields("added while hidden", "u", "secret"), WebPages);
    const EntryModel& list = store.list(WebPages);
    QCOMPARE(list.data(list.index(0, 2)).toString(), QStringLiteral("******"));
    QCOMPARE(list.data(list.index(0, 1)).toString(), QStringLiteral("u"));
    store.showPasswords(true);
    QCOMPARE(list.data(list.index(0, 2)).toString(), QStringLiteral("secret"));
}

void TestEntryStore::deleteAndReinsert()
{
    EntryStore store;
    store.addEntry(fields("one"), Wallet);
    store.addEntry(fields("two"), Wallet);
    store.setDatabaseChanged(false);
    store.reinsertEntry(Wallet, 0, fields(" edited ", "", "p"));
    QCOMPARE(store.list(Wallet).entry(0).site(), QStringLiteral("edited"));
    QVERIFY(!store.list(Wallet).entry(0).bold);
    QVERIFY(store.databaseChanged());
    store.setDatabaseChanged(false);
    store.deleteEntry(Wallet, 0);
    QCOMPARE(store.list(Wallet).count(), 1);
    QCOMPARE(store.list(Wallet).entry(0).site(), QStringLiteral("two"));
    QVERIFY(store.databaseChanged());
}

void TestEntryStore::refusesEntryBeyondLimit()
{
    EntryStore store;
    std::array<QVector<Entry>, kCategoryCount> lists;
    lists[Misc] = QVector<Entry>(EntryStore::kMaxEntries - 1, fields("x"));
    store.setContents(lists);
    QVERIFY(store.addEntry(fields("last"), WebPages).has_value());
    QVERIFY(!store.addEntry(fields("one too many"), WebPages).has_value());
    QCOMPARE(store.totalCount(), EntryStore::kMaxEntries);
}

// The fields share one string: a change to one moves those after it and keeps their text.
void TestEntryStore::setFieldKeepsTheOthers()
{
    Entry e = fields("site", "user", "pass", "url", "notes");
    e.setField(1, QString());
    e.setField(3, QStringLiteral("a much longer value"));
    e.setField(5, QStringLiteral("n"));
    const QStringList values{"", "user", "a much longer value", "url", "n"};
    for (int n = 1; n <= kFieldCount; ++n)
        QCOMPARE(e.field(n), values[n - 1]);
}

QTEST_GUILESS_MAIN(TestEntryStore)
#include "tst_entrystore.moc"
