#include "store/entrysearch.h"
#include "store/entrystore.h"

#include <QAbstractItemModelTester>
#include <QTest>

namespace {
Entry entry(const QString& site, const QString& user, const QString& url, const QString& notes)
{
    return Entry{site, user, QStringLiteral("Bank-Secret"), url, notes, true};
}
} // namespace

class TestEntrySearch : public QObject {
    Q_OBJECT
private slots:
    void matching_data();
    void matching();
    void filtersWithoutCopying();
};

void TestEntrySearch::matching_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("matches");
    // The entry: site "Café Royal", user "anna.berg", address "https://royal.example/login", notes "table 4".
    QTest::newRow("empty matches all") << "  " << true;
    QTest::newRow("case ignored, accents too") << "CAFÉ" << true;
    QTest::newRow("address") << "example/LOGIN" << true;
    QTest::newRow("never the password") << "secret" << false;
    QTest::newRow("every word must match, in any field") << "anna  royal\t4" << true;
    QTest::newRow("one word missing") << "anna zebra" << false;
    QTest::newRow("s: narrows to the site") << "s:anna" << false;
    QTest::newRow("url: narrows to the address") << "url:table" << false;
    QTest::newRow("n: narrows to the notes") << "n:royal" << false;
    QTest::newRow("a prefix holds for the words after it") << "u: anna berg" << true;
    QTest::newRow("... so a later site word misses") << "u:anna royal" << false;
    QTest::newRow("the next prefix takes over") << "U:anna s:royal URL:https n:4" << true;
}

void TestEntrySearch::matching()
{
    QFETCH(QString, text);
    const Entry e = entry(QStringLiteral("Café Royal"), QStringLiteral("anna.berg"),
                          QStringLiteral("https://royal.example/login"), QStringLiteral("table 4"));
    QTEST(SearchQuery(text).matches(e), "matches");
}

void TestEntrySearch::filtersWithoutCopying()
{
    EntryStore store;
    EntrySearchModel shown(store.list(WebPages));
    QAbstractItemModelTester tester(&shown);
    for (const char* site : {"Bank one", "Mail", "bank two"})
        store.addEntry(entry(QLatin1String(site), {}, {}, {}), WebPages);
    shown.setQuery(SearchQuery(QStringLiteral("bank")));

    // Changes to the list show through the search: a new match appears, a removed one goes.
    store.addEntry(entry(QStringLiteral("BANK three"), {}, {}, {}), WebPages);
    store.addEntry(entry(QStringLiteral("Forum"), {}, {}, {}), WebPages);
    QCOMPARE(shown.rowCount(), 3);
    QCOMPARE(shown.index(2, 0).data().toString(), QStringLiteral("BANK three"));
    store.deleteEntry(WebPages, 0);
    QCOMPARE(shown.rowCount(), 2);
    QCOMPARE(shown.sourceRow(1), 2);

    shown.setQuery(SearchQuery());
    QCOMPARE(shown.rowCount(), 4);
}

QTEST_GUILESS_MAIN(TestEntrySearch)
#include "tst_entrysearch.moc"
