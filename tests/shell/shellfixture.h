#pragma once

#include "shell/frmmain.h"
#include "tests/support/fakedesktop.h"
#include "tests/support/testhome.h"

#include <QAction>
#include <QApplication>
#include <QTabWidget>
#include <QTableView>
#include <QTest>
#include <memory>

// The shown top-level window of the kind, if any.
template <typename T> T* topLevel()
{
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* found = qobject_cast<T*>(w); found && found->isVisible()) return found;
    return nullptr;
}

// The sites of one of the lists, in order, separated by blanks.
inline QString sites(const EntryLists& lists, int category)
{
    QStringList all;
    for (const Entry& e : lists[category])
        all << e.site().toString();
    return all.join(u' ');
}

// What the main window's tests share: a throw-away home, the scripted desktop and a loaded main window.
// A test class derives from this; its own init() or cleanup(), if any, calls setUp() or tearDown().
class ShellFixture : public QObject {
    Q_OBJECT
protected:
    void setUp(bool loadWindow = true)
    {
        home = std::make_unique<TestHome>();
        fake = &FakeDesktop::install();
        if (loadWindow) load();
    }
    // Loads a new main window; for tests that write settings before the load.
    void load()
    {
        window = std::make_unique<frmMain>();
        QVERIFY(window->Load());
    }
    void tearDown()
    {
        if (window) {
            window->store().setDatabaseChanged(false); // closing asks nothing
            window->close();
        }
        window.reset();
        home.reset();
    }

    QTabWidget* tabs() const { return window->findChild<QTabWidget*>(QStringLiteral("TabNav")); }
    QTableView* list(int category) const
    {
        return window->findChild<QTableView*>(QStringLiteral("ListView1_%1").arg(category));
    }
    QAction* action(const char* name) const { return window->findChild<QAction*>(QLatin1String(name)); }
    // A hidden-password entry of user "anna" in the list.
    void add(int category, const QString& site, const QString& pass = {}, const QString& url = {})
    {
        window->store().addEntry(Entry{site, QStringLiteral("anna"), pass, url, QString(), true}, category);
    }

    std::unique_ptr<TestHome> home;
    FakeDesktop* fake = nullptr;
    std::unique_ptr<frmMain> window;

private slots:
    void init() { setUp(); }
    void cleanup() { tearDown(); }
};
