#include "settings/settingsstore.h"
#include "shell/csystray.h"
#include "shell/frmmain.h"
#include "store/databasefile.h"
#include "tests/support/fakedesktop.h"
#include "tests/support/testhome.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QMenu>
#include <QTabWidget>
#include <QTableView>
#include <QTest>
#include <QToolBar>

namespace {

Entry fields(const QString& site, const QString& pass = {})
{
    return Entry{site, QStringLiteral("user"), pass, QString(), QString(), true};
}

QByteArray readAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QAction* button(frmMain& w, const char* toolbar, const char* key)
{
    return w.findChild<QToolBar*>(QLatin1String(toolbar))->findChild<QAction*>(QLatin1String(key));
}

// The enabled states of Save, Delete, Properties, Print and Reports, in that order.
QString buttonStates(frmMain& w)
{
    QString states;
    for (const char* key : {"Save", "Delete", "Properties", "Print", "Reports"})
        states += button(w, "Toolbar1", key)->isEnabled() ? QLatin1Char('1') : QLatin1Char('0');
    return states;
}

} // namespace

class TestMainWindow : public QObject {
    Q_OBJECT
private slots:
    void freshStartUsesPerUserFileAndMasks();
    void buttonsFollowListsAndChanges();
    void showHideButtonTogglesMasking();
    void exitSavesWithAutoSave();
    void exitAsksWithoutAutoSave_data();
    void exitAsksWithoutAutoSave();
    void failedSaveKeepsWindowAndChanges();
    void incompleteFileIsNotOverwrittenWithoutYes();
    void secondInstanceIsRefused();
    void windowLayoutAndLimits();
};

void TestMainWindow::freshStartUsesPerUserFileAndMasks()
{
    TestHome home;
    FakeDesktop& fake = FakeDesktop::install();
    frmMain w;
    QVERIFY(w.Load());
    QCOMPARE(w.DatabasePath(), home.file(QStringLiteral("anna.adr")));
    QVERIFY(QFile::exists(w.DatabasePath()));
    QVERIFY(fake.messages.isEmpty());
    QVERIFY(w.store().sensitiveHidden());
    QAction* hide = button(w, "Toolbar2", "Hide");
    QCOMPARE(hide->text(), QStringLiteral("Show Sensitive Information"));
    QVERIFY(hide->isChecked());
    QVERIFY(w.ListView1(0)->showGrid());
    QCOMPARE(w.TabNav()->count(), 6);
    QCOMPARE(w.TabNav()->tabText(4), QStringLiteral("Remote Systems"));
    QCOMPARE(buttonStates(w), QStringLiteral("00000"));

    fake.login.clear(); // no user name: the shared default file
    frmMain other;
    w.close();
    QVERIFY(other.Load());
    QCOMPARE(other.DatabasePath(), home.file(QStringLiteral("default.adr")));
    other.close();
}

void TestMainWindow::buttonsFollowListsAndChanges()
{
    TestHome home;
    FakeDesktop::install();
    frmMain w;
    QVERIFY(w.Load());
    w.AddEntry(fields("site"), 0);
    QCOMPARE(buttonStates(w), QStringLiteral("11111"));
    w.TabNav()->setCurrentIndex(3); // an empty tab
    QCOMPARE(buttonStates(w), QStringLiteral("10011"));
    w.TabNav()->setCurrentIndex(0);
    QVERIFY(w.SaveDatabase());
    QCOMPARE(buttonStates(w), QStringLiteral("01111"));
    w.DeleteEntry();
    QCOMPARE(buttonStates(w), QStringLiteral("10000"));
    QVERIFY(w.SaveDatabase());
    QCOMPARE(readAll(w.DatabasePath()), QByteArray());
}

void TestMainWindow::showHideButtonTogglesMasking()
{
    TestHome home;
    FakeDesktop::install();
    frmMain w;
    QVERIFY(w.Load());
    w.AddEntry(fields("site", "secret"), 0);
    const QAbstractItemModel* list = w.ListView1(0)->model();
    QCOMPARE(list->index(0, 2).data().toString(), QStringLiteral("******"));
    QAction* hide = button(w, "Toolbar2", "Hide");
    hide->trigger();
    QCOMPARE(hide->text(), QStringLiteral("Hide Sensitive Information"));
    QVERIFY(!hide->isChecked());
    QVERIFY(!w.store().sensitiveHidden());
    QCOMPARE(list->index(0, 2).data().toString(), QStringLiteral("secret"));
    hide->trigger();
    QCOMPARE(hide->text(), QStringLiteral("Show Sensitive Information"));
    QVERIFY(hide->isChecked());
    QCOMPARE(list->index(0, 2).data().toString(), QStringLiteral("******"));
    w.store().setDatabaseChanged(false);
}

void TestMainWindow::exitSavesWithAutoSave()
{
    TestHome home;
    FakeDesktop& fake = FakeDesktop::install();
    QVERIFY(SettingsStore().writeTruth(SettingKey::Hidden, false));
    auto w = std::make_unique<frmMain>();
    QVERIFY(w->Load());
    QVERIFY(!w->store().sensitiveHidden());
    w->AddEntry(fields("site", "pw"), 2);
    const QString path = w->DatabasePath();
    QVERIFY(w->close());
    QVERIFY(fake.questions.isEmpty());
    QCOMPARE(readAll(path).size(), DatabaseLayout::kRecordSize);
    QCOMPARE(SettingsStore().read(SettingKey::Hidden), QStringLiteral("False"));
    // The lock went with the window: the next run opens the file.
    frmMain next;
    QVERIFY(next.Load());
    QCOMPARE(next.store().list(2).entry(0).pass, QStringLiteral("pw"));
    next.close();
}

void TestMainWindow::exitAsksWithoutAutoSave_data()
{
    QTest::addColumn<bool>("change");
    QTest::addColumn<bool>("answer");
    QTest::addColumn<int>("records");
    QTest::newRow("no changes: no question") << false << false << 1;
    QTest::newRow("changes, No keeps the file") << true << false << 1;
    QTest::newRow("changes, Yes writes it") << true << true << 2;
}

void TestMainWindow::exitAsksWithoutAutoSave()
{
    QFETCH(bool, change);
    QFETCH(bool, answer);
    QFETCH(int, records);
    TestHome home;
    FakeDesktop& fake = FakeDesktop::install();
    QVERIFY(SettingsStore().write(SettingKey::AutoSave, QStringLiteral("0")));
    auto w = std::make_unique<frmMain>();
    QVERIFY(w->Load());
    w->AddEntry(fields("first"), 0);
    QVERIFY(w->SaveDatabase());
    if (change) {
        w->AddEntry(fields("second"), 0);
        fake.yesNoAnswers.enqueue(answer);
    }
    QVERIFY(w->close());
    QCOMPARE(fake.questions, change ? QStringList{"Save changes?"} : QStringList());
    QCOMPARE(readAll(w->DatabasePath()).size(), records * DatabaseLayout::kRecordSize);
}

void TestMainWindow::failedSaveKeepsWindowAndChanges()
{
    TestHome home;
    FakeDesktop& fake = FakeDesktop::install();
    frmMain w;
    QVERIFY(w.Load());
    w.AddEntry(fields("precious"), 0);
    // Something else now stands where the file was: the save cannot replace it.
    QVERIFY(QFile::remove(w.DatabasePath()));
    QVERIFY(QDir().mkdir(w.DatabasePath()));
    QVERIFY(!w.SaveDatabase());
    QCOMPARE(fake.messages.size(), 1);
    QVERIFY(fake.messages.first().contains(QStringLiteral("could not be saved")));
    QVERIFY(w.store().databaseChanged());

    // At exit the automatic save fails too; the user is asked, and No keeps the window and the entry.
    fake.yesNoAnswers << true << false; // "Save changes?" yes, then "Quit anyway?" no
    w.hide();                           // as after the tray menu's Exit
    QVERIFY(!w.close());
    QCOMPARE(w.store().list(0).count(), 1);
    QVERIFY(w.isVisible() && w.trayControl()->InTray()); // the run goes on, and can be reached
    QVERIFY(QDir().rmdir(w.DatabasePath()));
    QVERIFY(w.close()); // the automatic save now works
    QCOMPARE(readAll(w.DatabasePath()).left(8), QByteArray("precious"));
}

void TestMainWindow::incompleteFileIsNotOverwrittenWithoutYes()
{
    TestHome home;
    FakeDesktop& fake = FakeDesktop::install();
    const QByteArray damaged = encodeRecord(fields("kept"), 1) + QByteArray(100, 'x');
    {
        QFile file(home.file(QStringLiteral("anna.adr")));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(damaged);
    }
    frmMain w;
    QVERIFY(w.Load());
    QCOMPARE(fake.messages.size(), 1);
    QVERIFY(fake.messages.first().contains(QStringLiteral("incomplete last record")));
    QCOMPARE(w.store().list(1).count(), 1);
    w.AddEntry(fields("new"), 1);
    fake.yesNoAnswers << false;
    QVERIFY(!w.SaveDatabase());
    QCOMPARE(readAll(w.DatabasePath()), damaged);
    fake.yesNoAnswers << true;
    QVERIFY(w.SaveDatabase());
    QCOMPARE(readAll(w.DatabasePath() + QStringLiteral(".bak")), damaged);
    QCOMPARE(readAll(w.DatabasePath()).size(), 2 * DatabaseLayout::kRecordSize);
    w.close();
}

void TestMainWindow::secondInstanceIsRefused()
{
    TestHome home;
    FakeDesktop& fake = FakeDesktop::install();
    frmMain first;
    QVERIFY(first.Load());
    first.AddEntry(fields("mine"), 0);
    frmMain second;
    QVERIFY(!second.Load());
    QCOMPARE(fake.messages.size(), 1);
    QVERIFY(fake.messages.first().contains(QStringLiteral("in use by another Keyvane")));
    QVERIFY(second.close()); // and its exit writes nothing
    QCOMPARE(readAll(first.DatabasePath()), QByteArray());
    first.close();
}

void TestMainWindow::windowLayoutAndLimits()
{
    TestHome home;
    FakeDesktop::install();
    frmMain w;
    QVERIFY(w.Load());
    w.show();
    QCOMPARE(w.minimumSize(), w.size());
    QCOMPARE(w.windowTitle(), QStringLiteral("Keyvane"));
    QStringList captions;
    for (QAction* a : w.findChild<QToolBar*>(QStringLiteral("Toolbar1"))->actions())
        captions << a->text();
    QCOMPARE(captions, (QStringList{"New", "Save", "Delete", "Print", "Properties", "Settings", "Reports",
                                    "Generator", "Hide", "Help"}));
    // The decorated menus use their own captions.
    QCOMPARE(w.findChild<QAction*>(QStringLiteral("mnuReports"))->text(), QStringLiteral("Reports"));
    QCOMPARE(w.findChild<QAction*>(QStringLiteral("mnuPageSetup"))->text(), QStringLiteral("Printer Setup"));
    QCOMPARE(w.mnuTray()->actions().size(), 6);
    for (int c = 0; c < 6; ++c)
        QCOMPARE(w.ListView1(c)->model()->headerData(0, Qt::Horizontal).toString(),
                 columnCaptions(c).first());
    w.close();
}

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
