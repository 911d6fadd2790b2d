#include "editing/frmproperties.h"
#include "shell/frmmain.h"
#include "tests/support/fakedesktop.h"
#include "tests/support/testhome.h"

#include <QAction>
#include <QLineEdit>
#include <QMenu>
#include <QTabWidget>
#include <QTableView>
#include <QTest>
#include <QToolButton>

namespace {

Entry entry(const QString& site, const QString& url)
{
    return Entry{site, QStringLiteral("anna"), QStringLiteral("pw-") + site, url, QString(), true};
}

QTabWidget* tabs(frmMain& w)
{
    return w.findChild<QTabWidget*>(QStringLiteral("TabNav"));
}

QTableView* list(frmMain& w, int category)
{
    return w.findChild<QTableView*>(QStringLiteral("ListView1_%1").arg(category));
}

QLineEdit* searchBox(frmMain& w)
{
    return w.findChild<QLineEdit*>(QStringLiteral("txtSearch"));
}

QStringList captions(frmMain& w)
{
    QStringList texts;
    for (int c = 0; c < kCategoryCount; ++c)
        texts << tabs(w)->tabText(c);
    return texts;
}

QStringList sites(frmMain& w, int category)
{
    QStringList texts;
    for (const Entry& e : w.store().list(category).entries())
        texts << e.site;
    return texts;
}

} // namespace

class TestSearch : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void filtersEveryListAndCountsInCaptions();
    void commandsActOnTheRowShown_data();
    void commandsActOnTheRowShown();
    void keysIntoAndOutOfTheBox();

private:
    void select(int category, int shownRow);
    std::unique_ptr<TestHome> m_home;
    FakeDesktop* m_fake = nullptr;
    std::unique_ptr<frmMain> m_window;
};

void TestSearch::init()
{
    m_home = std::make_unique<TestHome>();
    m_fake = &FakeDesktop::install();
    m_window = std::make_unique<frmMain>();
    QVERIFY(m_window->Load());
    for (const char* site : {"Bank one", "Mail", "bank two", "Bank three"})
        m_window->store().addEntry(entry(QLatin1String(site), QStringLiteral("https://%1.example").arg(site)),
                                   WebPages);
    m_window->store().addEntry(entry(QStringLiteral("Shell"), QStringLiteral("bank.example")), RemoteSystems);
    m_window->store().addEntry(entry(QStringLiteral("Notes"), QString()), Misc);
}

void TestSearch::cleanup()
{
    m_window->store().setDatabaseChanged(false);
    m_window->close();
    m_window.reset();
    m_home.reset();
}

void TestSearch::select(int category, int shownRow)
{
    tabs(*m_window)->setCurrentIndex(category);
    QTableView* shown = list(*m_window, category);
    shown->setCurrentIndex(shown->model()->index(shownRow, 0));
}

void TestSearch::filtersEveryListAndCountsInCaptions()
{
    tabs(*m_window)->setCurrentIndex(Misc);
    QTest::keyClicks(searchBox(*m_window), QStringLiteral("SHE"));
    // The first tab with a match comes to the front; every caption counts.
    QCOMPARE(tabs(*m_window)->currentIndex(), int(RemoteSystems));
    QCOMPARE(captions(*m_window), (QStringList{"Web Pages (0)", "Serial Numbers (0)", "Applications (0)",
                                               "Wallet (0)", "Remote Systems (1)", "Misc (0)"}));
    searchBox(*m_window)->setText(QStringLiteral("bank"));
    QCOMPARE(tabs(*m_window)->currentIndex(), int(WebPages));
    QCOMPARE(list(*m_window, WebPages)->model()->rowCount(), 3);
    QCOMPARE(tabs(*m_window)->tabText(RemoteSystems), QStringLiteral("Remote Systems (1)"));
    // No match anywhere: nothing to act on, and the commands say so by being off.
    searchBox(*m_window)->setText(QStringLiteral("zebra"));
    QVERIFY(!m_window->findChild<QAction*>(QStringLiteral("Delete"))->isEnabled());
    m_window->findChild<QAction*>(QStringLiteral("mnuDelete"))->trigger();
    QCOMPARE(m_window->store().totalCount(), 6);
    // Cleared: plain captions, every entry back.
    searchBox(*m_window)->clear();
    QCOMPARE(tabs(*m_window)->tabText(WebPages), QStringLiteral("Web Pages"));
    QCOMPARE(list(*m_window, WebPages)->model()->rowCount(), 4);
}

void TestSearch::commandsActOnTheRowShown_data()
{
    QTest::addColumn<QString>("command");
    QTest::newRow("toolbar Delete") << "Delete";
    QTest::newRow("menu Delete") << "mnuDelete";
    QTest::newRow("Go!!") << "mnuGo";
    QTest::newRow("Properties") << "mnuProperties";
    QTest::newRow("copy field 1") << "copy";
}

void TestSearch::commandsActOnTheRowShown()
{
    QFETCH(QString, command);
    searchBox(*m_window)->setText(QStringLiteral("bank"));
    select(WebPages, 1); // "bank two", the store's third entry
    if (command == QLatin1String("copy")) {
        auto* copy = m_window->findChild<QToolButton*>(QStringLiteral("copy"));
        emit copy->menu()->aboutToShow();
        copy->menu()->actions().at(0)->trigger();
        QCOMPARE(m_fake->clipboard, QStringLiteral("bank two"));
        return;
    }
    m_window->findChild<QAction*>(command)->trigger();
    if (command.endsWith(QLatin1String("Delete"))) {
        QCOMPARE(sites(*m_window, WebPages), (QStringList{"Bank one", "Mail", "Bank three"}));
        QCOMPARE(list(*m_window, WebPages)->model()->rowCount(), 2);
    } else if (command == QLatin1String("mnuGo")) {
        QCOMPARE(m_fake->opened, QStringList{"https://bank two.example"});
    } else {
        auto* properties = m_window->findChild<frmProperties*>();
        QVERIFY(properties);
        QCOMPARE(properties->row(), 2);
        properties->close();
    }
}

void TestSearch::keysIntoAndOutOfTheBox()
{
    m_window->show();
    QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
    QTableView* web = list(*m_window, WebPages);
    QLineEdit* box = searchBox(*m_window);
    for (const QKeySequence& keys : {QKeySequence(Qt::CTRL | Qt::Key_F), QKeySequence(Qt::Key_F3)}) {
        web->setFocus();
        QTest::keySequence(m_window.get(), keys);
        QVERIFY(box->hasFocus());
    }
    QTest::keyClicks(box, QStringLiteral("three"));
    QTest::keyClick(box, Qt::Key_Down);
    QVERIFY(web->hasFocus());
    QCOMPARE(web->currentIndex().data().toString(), QStringLiteral("Bank three"));
    QCOMPARE(box->text(), QStringLiteral("three"));
    box->setFocus();
    QTest::keyClick(box, Qt::Key_Escape);
    QVERIFY(web->hasFocus());
    QVERIFY(box->text().isEmpty());
    QCOMPARE(web->model()->rowCount(), 4);
    QCOMPARE(web->currentIndex().data().toString(), QStringLiteral("Bank three"));
}

QTEST_MAIN(TestSearch)
#include "tst_search.moc"
