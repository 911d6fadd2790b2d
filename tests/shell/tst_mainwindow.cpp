#include "settings/settingsstore.h"
#include "shell/csystray.h"
#include "shell/frmmain.h"
#include "store/databasefile.h"
#include "tests/shell/shellfixture.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QHelpEvent>
#include <QTabWidget>
#include <QTableView>
#include <QTest>
#include <QToolBar>
#include <QToolTip>

namespace {

Entry fields(const QString& site, const QString& pass = {})
{
    return Entry{site, QStringLiteral("user"), pass, QString(), QString(), true};
}

// File > Save; true when the file was written.
bool save(frmMain& w)
{
    w.findChild<QAction*>(QStringLiteral("mnuSave"))->trigger();
    return !w.store().databaseChanged();
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

class TestMainWindow : public QObject, private ShellFixture {
    Q_OBJECT
private slots:
    void init() { setUp(false); }
    void cleanup() { tearDown(); }
    void freshStartUsesPerUserFileAndMasks();
    void buttonsFollowListsAndChanges();
    void showHideButtonTogglesMasking();
    void exitSavesWithAutoSave();
    void exitKeepsAnotherCopysEntries();
    void failedSaveKeepsWindowAndChanges();
    void incompleteFileIsNotOverwrittenWithoutYes();
    void secondInstanceIsRefused();
    void exitQuestions_data();
    void exitQuestions();
    void toolbarTooltips_data();
    void toolbarTooltips();
};

void TestMainWindow::freshStartUsesPerUserFileAndMasks()
{
    load();
    QVERIFY(QFile::exists(home->file(QStringLiteral("anna.adr"))));
    QVERIFY(fake->messages.isEmpty());
    QVERIFY(window->store().sensitiveHidden());
    QAction* hide = button(*window, "Toolbar2", "Hide");
    QCOMPARE(hide->text(), QStringLiteral("Show Sensitive Information"));
    QVERIFY(hide->isChecked());
    QVERIFY(list(0)->showGrid());
    QCOMPARE(buttonStates(*window), QStringLiteral("00000"));

    fake->login.clear(); // no user name: the shared default file
    window->close();
    load();
    QVERIFY(QFile::exists(home->file(QStringLiteral("default.adr"))));
}

void TestMainWindow::buttonsFollowListsAndChanges()
{
    load();
    frmMain& w = *window;
    w.store().addEntry(fields("site"), 0);
    QCOMPARE(buttonStates(w), QStringLiteral("11111"));
    tabs()->setCurrentIndex(3); // an empty tab
    QCOMPARE(buttonStates(w), QStringLiteral("10011"));
    tabs()->setCurrentIndex(0);
    QVERIFY(save(w));
    QCOMPARE(buttonStates(w), QStringLiteral("01111"));
    button(w, "Toolbar1", "Delete")->trigger();
    QCOMPARE(buttonStates(w), QStringLiteral("10000"));
}

void TestMainWindow::showHideButtonTogglesMasking()
{
    load();
    window->store().addEntry(fields("site", "secret"), 0);
    const QAbstractItemModel* model = list(0)->model();
    QCOMPARE(model->index(0, 2).data().toString(), QStringLiteral("******"));
    QAction* hide = button(*window, "Toolbar2", "Hide");
    hide->trigger();
    QCOMPARE(hide->text(), QStringLiteral("Hide Sensitive Information"));
    QVERIFY(!hide->isChecked());
    QVERIFY(!window->store().sensitiveHidden());
    QCOMPARE(model->index(0, 2).data().toString(), QStringLiteral("secret"));
}

void TestMainWindow::exitSavesWithAutoSave()
{
    const QString path = home->file(QStringLiteral("anna.adr"));
    QVERIFY(SettingsStore().writeTruth(SettingKey::Hidden, false));
    load();
    QVERIFY(!window->store().sensitiveHidden());
    window->store().addEntry(fields("site", "pw"), 2);
    QVERIFY(window->close());
    QVERIFY(fake->questions.isEmpty());
    QCOMPARE(readFile(path).size(), DatabaseLayout::kRecordSize);
    QCOMPARE(SettingsStore().read(SettingKey::Hidden), QStringLiteral("False"));
    // The lock went with the window: the next run opens the file.
    load();
    QCOMPARE(window->store().list(2).entry(0).pass(), QStringLiteral("pw"));
}

// A sync tool renames another computer's copy over the file while the window is open: its new entry stays,
// the entry deleted here stays deleted.
void TestMainWindow::exitKeepsAnotherCopysEntries()
{
    const QString path = home->file(QStringLiteral("anna.adr"));
    QVERIFY(writeFile(path, encodeRecord(fields("A"), 0) + encodeRecord(fields("B"), 0)));
    load();
    QCOMPARE(window->store().list(0).entry(0).site(), QStringLiteral("A"));
    window->store().deleteEntry(0, 0);

    const QString renamed = home->file(QStringLiteral("synced.tmp"));
    QVERIFY(writeFile(renamed, readFile(path) + encodeRecord(fields("FromOtherPC"), 0)));
    QVERIFY(QFile::remove(path) && QFile::rename(renamed, path));

    QVERIFY(window->close());
    QCOMPARE(readFile(path), encodeRecord(fields("B"), 0) + encodeRecord(fields("FromOtherPC"), 0));
}

void TestMainWindow::failedSaveKeepsWindowAndChanges()
{
    const QString path = home->file(QStringLiteral("anna.adr"));
    load();
    frmMain& w = *window;
    w.store().addEntry(fields("precious"), 0);
    // Something else now stands where the file was: the save cannot replace it.
    QVERIFY(QFile::remove(path));
    QVERIFY(QDir().mkdir(path));
    QVERIFY(!save(w));
    QCOMPARE(fake->messages.size(), 1);
    QVERIFY(fake->messages.first().contains(QStringLiteral("could not be saved")));
    QVERIFY(w.store().databaseChanged());

    // At exit the automatic save fails too; the user is asked, and No keeps the window and the entry.
    fake->yesNoAnswers << true << false; // "Save changes?" yes, then "Quit anyway?" no
    w.hide();                            // as after the tray menu's Exit
    QVERIFY(!w.close());
    QCOMPARE(w.store().list(0).count(), 1);
    QVERIFY(
        w.isVisible() &&
        w.findChild<cSysTray*>(QStringLiteral("cSysTray1"))->InTray()); // the run goes on, and can be reached
    QVERIFY(QDir().rmdir(path));
    QVERIFY(w.close()); // the automatic save now works
    QCOMPARE(readFile(path).left(8), QByteArray("precious"));
}

void TestMainWindow::incompleteFileIsNotOverwrittenWithoutYes()
{
    const QString path = home->file(QStringLiteral("anna.adr"));
    const QByteArray damaged = encodeRecord(fields("kept"), 1) + QByteArray(100, 'x');
    QVERIFY(writeFile(path, damaged));
    load();
    QCOMPARE(fake->messages.size(), 1);
    QVERIFY(fake->messages.first().contains(QStringLiteral("incomplete last record")));
    QCOMPARE(window->store().list(1).count(), 1);
    window->store().addEntry(fields("new"), 1);
    fake->yesNoAnswers << false;
    QVERIFY(!save(*window));
    QCOMPARE(readFile(path), damaged);
    fake->yesNoAnswers << true;
    QVERIFY(save(*window));
    QCOMPARE(readFile(path + QStringLiteral(".bak")), damaged);
    QCOMPARE(readFile(path).size(), 2 * DatabaseLayout::kRecordSize);
}

void TestMainWindow::secondInstanceIsRefused()
{
    load();
    window->store().addEntry(fields("mine"), 0);
    frmMain second;
    QVERIFY(!second.Load());
    QCOMPARE(fake->messages.size(), 1);
    QVERIFY(fake->messages.first().contains(QStringLiteral("in use by another Keyvane")));
    QVERIFY(second.close()); // and its exit writes nothing
    QCOMPARE(readFile(home->file(QStringLiteral("anna.adr"))), QByteArray());
}

void TestMainWindow::exitQuestions_data()
{
    // Questions asked with No as their default end in "(No)".
    QTest::addColumn<bool>("autoSave");
    QTest::addColumn<bool>("damaged"); // the file did not load whole
    QTest::addColumn<bool>("unwritable");
    QTest::addColumn<QList<bool>>("answers");
    QTest::addColumn<QStringList>("asked");
    QTest::addColumn<bool>("closes");
    QTest::addColumn<int>("records"); // in the file afterwards, or -1
    const QString overwrite = QStringLiteral("Save anyway? (No)");
    QTest::newRow("no auto-save, Yes writes")
        << false << false << false << QList<bool>{true} << QStringList{"Save changes?"} << true << 1;
    QTest::newRow("no auto-save, No keeps the file")
        << false << false << false << QList<bool>{false} << QStringList{"Save changes?"} << true << 0;
    QTest::newRow("auto-save declined: asked once")
        << true << true << false << QList<bool>{false} << QStringList{overwrite} << true << -1;
    QTest::newRow("save, then declined") << false << true << false << QList<bool>{true, false}
                                         << QStringList{"Save changes?", overwrite} << true << -1;
    QTest::newRow("save fails, stay")
        << false << false << true << QList<bool>{true, false}
        << QStringList{"Save changes?", "Quit anyway and lose them? (No)"} << false << -1;
}

void TestMainWindow::exitQuestions()
{
    QFETCH(bool, autoSave);
    QFETCH(bool, damaged);
    QFETCH(bool, unwritable);
    QFETCH(QList<bool>, answers);
    QFETCH(QStringList, asked);
    QFETCH(bool, closes);
    QFETCH(int, records);
    const QString path = home->file(QStringLiteral("anna.adr"));
    QVERIFY(SettingsStore().write(SettingKey::AutoSave, QLatin1String(autoSave ? "1" : "0")));
    if (damaged) QVERIFY(writeFile(path, QByteArray(100, 'x')));
    load();
    FakeDesktop& fake = *this->fake;
    fake.messages.clear();
    window->store().addEntry(fields("new"), 0);
    if (unwritable) QVERIFY(QFile::remove(path) && QDir().mkdir(path));
    for (bool answer : answers)
        fake.yesNoAnswers << answer;
    QCOMPARE(window->close(), closes);
    QStringList shown;
    for (int i = 0; i < fake.questions.size(); ++i)
        shown << fake.questions.at(i).split(QLatin1String("\n")).last().section(QLatin1String(". "), -1) +
                     QLatin1String(fake.noByDefault.contains(fake.questions.at(i)) ? " (No)" : "");
    QCOMPARE(shown, asked);
    if (damaged) {
        QCOMPARE(readFile(path), QByteArray(100, 'x')); // declined: the file stays as it was
        for (const QString& message : fake.messages)
            QVERIFY2(!message.contains(QLatin1String("could not be saved")), qPrintable(message));
    }
    if (records >= 0) QCOMPARE(readFile(path).size(), records * DatabaseLayout::kRecordSize);
    if (unwritable) QVERIFY(QDir().rmdir(path));
}

void TestMainWindow::toolbarTooltips_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("tooltip");
    QTest::newRow("New") << "New"
                         << "New";
    QTest::newRow("Generator") << "Generator"
                               << "Password Generator";
    for (const char* none : {"Settings", "Reports", "Hide"})
        QTest::newRow(none) << none << "";
}

void TestMainWindow::toolbarTooltips()
{
    QFETCH(QString, key);
    QFETCH(QString, tooltip);
    load();
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    window->store().addEntry(fields("site"), 0); // the buttons' states change, and with them their actions
    auto* toolbar = window->findChild<QToolBar*>(QStringLiteral("Toolbar1"));
    QWidget* tool = toolbar->widgetForAction(toolbar->findChild<QAction*>(key));
    QToolTip::hideText();
    QHelpEvent help(QEvent::ToolTip, QPoint(4, 4), tool->mapToGlobal(QPoint(4, 4)));
    QApplication::sendEvent(tool, &help);
    QCOMPARE(QToolTip::isVisible() ? QToolTip::text() : QString(), tooltip);
    QToolTip::hideText();
}

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
