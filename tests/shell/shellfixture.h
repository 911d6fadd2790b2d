#pragma once

#include "shell/frmmain.h"
#include "tests/support/fakedesktop.h"
#include "tests/support/testhome.h"

#include <QAction>
#include <QTabWidget>
#include <QTableView>
#include <QTest>
#include <memory>

// What the main window's tests share: a throw-away home, the scripted desktop and a loaded main window.
// A test class derives from QObject first and this second, and calls setUp() and tearDown() from its
// init() and cleanup().
class ShellFixture {
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

    std::unique_ptr<TestHome> home;
    FakeDesktop* fake = nullptr;
    std::unique_ptr<frmMain> window;
};
