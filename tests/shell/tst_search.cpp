#include "editing/frmproperties.h"
#include "tests/shell/shellfixture.h"

#include <QLineEdit>
#include <QMenu>
#include <QTableView>
#include <QTest>
#include <QToolButton>

class TestSearch : public ShellFixture {
    Q_OBJECT
private slots:
    void init();
    void filtersEveryListAndCountsInCaptions();
    void commandsActOnTheRowShown_data();
    void commandsActOnTheRowShown();
    void keysIntoAndOutOfTheBox();

private:
    QLineEdit* searchBox() const { return window->findChild<QLineEdit*>(QStringLiteral("txtSearch")); }
};

void TestSearch::init()
{
    setUp();
    for (const char* site : {"Bank one", "Mail", "bank two", "Bank three"})
        add(WebPages, QLatin1String(site), {}, QStringLiteral("https://%1.example").arg(site));
    add(RemoteSystems, QStringLiteral("Shell"), {}, QStringLiteral("bank.example"));
    add(Misc, QStringLiteral("Notes"));
}

void TestSearch::filtersEveryListAndCountsInCaptions()
{
    tabs()->setCurrentIndex(Misc);
    QTest::keyClicks(searchBox(), QStringLiteral("SHE"));
    // The first tab with a match comes to the front; every caption counts.
    QCOMPARE(tabs()->currentIndex(), int(RemoteSystems));
    QStringList captions;
    for (int c = 0; c < kCategoryCount; ++c)
        captions << tabs()->tabText(c);
    QCOMPARE(captions, (QStringList{"Web Pages (0)", "Serial Numbers (0)", "Applications (0)", "Wallet (0)",
                                    "Remote Systems (1)", "Misc (0)"}));
    searchBox()->setText(QStringLiteral("bank"));
    QCOMPARE(tabs()->currentIndex(), int(WebPages));
    QCOMPARE(list(WebPages)->model()->rowCount(), 3);
    // No match anywhere: nothing to act on, and the commands say so by being off.
    searchBox()->setText(QStringLiteral("zebra"));
    QVERIFY(!window->findChild<QAction*>(QStringLiteral("Delete"))->isEnabled());
    window->findChild<QAction*>(QStringLiteral("mnuDelete"))->trigger();
    QCOMPARE(window->store().totalCount(), 6);
    // Cleared: plain captions, every entry back.
    searchBox()->clear();
    QCOMPARE(tabs()->tabText(WebPages), QStringLiteral("Web Pages"));
    QCOMPARE(list(WebPages)->model()->rowCount(), 4);
}

void TestSearch::commandsActOnTheRowShown_data()
{
    QTest::addColumn<QString>("command");
    QTest::newRow("toolbar Delete") << "Delete";
    QTest::newRow("Properties") << "mnuProperties";
    QTest::newRow("copy field 1") << "copy";
}

void TestSearch::commandsActOnTheRowShown()
{
    QFETCH(QString, command);
    searchBox()->setText(QStringLiteral("bank"));
    tabs()->setCurrentIndex(WebPages);
    list(WebPages)->selectRow(1); // "bank two", the store's third entry
    if (command == QLatin1String("copy")) {
        auto* copy = window->findChild<QToolButton*>(QStringLiteral("copy"));
        emit copy->menu()->aboutToShow();
        copy->menu()->actions().at(0)->trigger();
        QCOMPARE(fake->clipboard, QStringLiteral("bank two"));
        return;
    }
    window->findChild<QAction*>(command)->trigger();
    if (command == QLatin1String("Delete")) {
        QCOMPARE(sites(window->store().contents(), WebPages), QStringLiteral("Bank one Mail Bank three"));
        QCOMPARE(list(WebPages)->model()->rowCount(), 2);
        QCOMPARE(tabs()->tabText(WebPages), QStringLiteral("Web Pages (2)")); // the count follows
    } else {
        auto* properties = window->findChild<frmProperties*>();
        QVERIFY(properties);
        QCOMPARE(properties->row(), 2);
    }
}

void TestSearch::keysIntoAndOutOfTheBox()
{
    window->show();
    QVERIFY(QTest::qWaitForWindowActive(window.get()));
    QTableView* web = list(WebPages);
    QLineEdit* box = searchBox();
    web->setFocus();
    QTest::keySequence(window.get(), QKeySequence(Qt::Key_F3)); // the desktop test types Ctrl+F
    QVERIFY(box->hasFocus());
    QTest::keyClicks(box, QStringLiteral("three"));
    QTest::keyClick(box, Qt::Key_Down); // into the list, on the match
    box->setFocus();
    QTest::keyClick(box, Qt::Key_Escape);
    QVERIFY(web->hasFocus());
    QVERIFY(box->text().isEmpty());
    QCOMPARE(web->model()->rowCount(), 4);
    QCOMPARE(web->currentIndex().data().toString(), QStringLiteral("Bank three"));
}

QTEST_MAIN(TestSearch)
#include "tst_search.moc"
