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
    void addAtPositionAndDuplicates();
    void maskingDerivesFromClearValue();
    void deleteAndReinsert();
    void refusesEntryBeyondLimit();
    void setFieldKeepsTheOthers_data();
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
    QCOMPARE(e.user(), QStringLiteral("anna"));
    QCOMPARE(e.pass(), QStringLiteral("in ner"));
    QCOMPARE(e.url(), QStringLiteral("\tx")); // only spaces are trimmed
    QCOMPARE(e.notes(), QString());
    QVERIFY(e.bold);
    QVERIFY(store.databaseChanged());
    QCOMPARE(changed.count(), 1);
    QCOMPARE(store.addEntry(fields("second"), Misc), std::optional<int>(2));
    store.list(Misc).setBoldFont(QStringLiteral("bold font"));
    QCOMPARE(store.list(Misc).data(store.list(Misc).index(1, 0), Qt::FontRole), QVariant("bold font"));
}

void TestEntryStore::addAtPositionAndDuplicates()
{
    EntryStore store;
    store.addEntry(fields("a"), WebPages);
    store.addEntry(fields("a"), WebPages);
    QCOMPARE(store.addEntry(fields("first"), WebPages, 1), std::optional<int>(1));
    QCOMPARE(store.list(WebPages).count(), 3);
    QCOMPARE(store.list(WebPages).entry(0).site(), QStringLiteral("first"));
    QCOMPARE(store.list(WebPages).entry(2).site(), QStringLiteral("a"));
}

void TestEntryStore::maskingDerivesFromClearValue()
{
    EntryStore store;
    QAbstractItemModelTester tester(&store.list(WebPages));
    store.addEntry(fields("shown", "u", "secret1"), WebPages);
    store.setSensitiveHidden(true);
    store.showPasswords(false);
    store.addEntry(fields("added while hidden", "u", "secret2"), WebPages);
    const EntryModel& list = store.list(WebPages);
    for (int row = 0; row < 2; ++row) {
        QCOMPARE(list.data(list.index(row, 2)).toString(), QStringLiteral("******"));
        QCOMPARE(list.data(list.index(row, 1)).toString(), QStringLiteral("u"));
    }
    QCOMPARE(list.entry(1).pass(), QStringLiteral("secret2"));
    store.showPasswords(true);
    QCOMPARE(list.data(list.index(0, 2)).toString(), QStringLiteral("secret1"));
    QCOMPARE(list.data(list.index(1, 2)).toString(), QStringLiteral("secret2"));
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
    store.setDatabaseChanged(false);
    store.deleteEntry(Wallet, 5); // nothing there: nothing changes
    QVERIFY(!store.databaseChanged());
}

void TestEntryStore::refusesEntryBeyondLimit()
{
    EntryStore store;
    std::array<QVector<Entry>, kCategoryCount> lists;
    lists[Misc] = QVector<Entry>(EntryStore::kMaxEntries - 1, fields("x"));
    store.setContents(lists);
    QVERIFY(store.addEntry(fields("last"), WebPages).has_value());
    QCOMPARE(store.totalCount(), EntryStore::kMaxEntries);
    QVERIFY(!store.addEntry(fields("one too many"), WebPages).has_value());
    QCOMPARE(store.totalCount(), EntryStore::kMaxEntries);
}

void TestEntryStore::setFieldKeepsTheOthers_data()
{
    QTest::addColumn<int>("field");
    QTest::addColumn<QString>("value");
    for (int n = 1; n <= kFieldCount; ++n) {
        QTest::addRow("field %d longer", n) << n << QStringLiteral("a much longer value");
        QTest::addRow("field %d emptied", n) << n << QString();
    }
}

void TestEntryStore::setFieldKeepsTheOthers()
{
    QFETCH(int, field);
    QFETCH(QString, value);
    QStringList values{"site", "user", "pass", "url", "notes"};
    Entry e = fields(values[0], values[1], values[2], values[3], values[4]);
    e.setField(field, value);
    values[field - 1] = value;
    for (int n = 1; n <= kFieldCount; ++n)
        QCOMPARE(e.field(n), values[n - 1]);
}

QTEST_GUILESS_MAIN(TestEntryStore)
#include "tst_entrystore.moc"
