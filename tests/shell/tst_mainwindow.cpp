#include "settings/settingsstore.h"
#include "shell/csystray.h"
#include "shell/frmmain.h"
#include "store/databasefile.h"
#include "tests/shell/shellfixture.h"

#include <QDir>
#include <QFile>
#include <QTest>
#include <QToolBar>

class TestMainWindow : public ShellFixture {
    Q_OBJECT
private slots:
    void init() { setUp(false); }
    void freshStartUsesPerUserFileAndMasks();
    void failedSaveKeepsWindowAndChanges();
    void secondInstanceIsRefused();
    void exitQuestions_data();
    void exitQuestions();
};

void TestMainWindow::freshStartUsesPerUserFileAndMasks()
{
    load();
    QVERIFY(QFile::exists(home->file(QStringLiteral("anna.adr"))));
    QVERIFY(fake->messages.isEmpty());

    fake->login.clear(); // no user name: the shared default file
    window->close();
    load();
    QVERIFY(QFile::exists(home->file(QStringLiteral("default.adr"))));
    add(0, "site", "secret");
    const QAbstractItemModel* model = list(0)->model();
    QCOMPARE(model->index(0, 2).data().toString(), QStringLiteral("******"));
    window->findChild<QToolBar*>(QStringLiteral("Toolbar2"))->actions().first()->trigger();
    QCOMPARE(model->index(0, 2).data().toString(), QStringLiteral("secret"));
}

void TestMainWindow::failedSaveKeepsWindowAndChanges()
{
    const QString path = home->file(QStringLiteral("anna.adr"));
    load();
    frmMain& w = *window;
    add(0, "precious");
    // Something else now stands where the file was: the save cannot replace it.
    QVERIFY(QFile::remove(path));
    QVERIFY(QDir().mkdir(path));
    action("mnuSave")->trigger();
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

void TestMainWindow::secondInstanceIsRefused()
{
    load();
    add(0, "mine");
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
    QTest::newRow("auto-save writes unasked")
        << true << false << false << QList<bool>{} << QStringList{} << true << 1;
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
    QFETCH(int, records);
    const QString path = home->file(QStringLiteral("anna.adr"));
    QVERIFY(SettingsStore().write(SettingKey::AutoSave, QLatin1String(autoSave ? "1" : "0")));
    if (damaged) QVERIFY(writeFile(path, QByteArray(100, 'x')));
    load();
    FakeDesktop& fake = *this->fake;
    fake.messages.clear();
    add(0, "new");
    if (unwritable) QVERIFY(QFile::remove(path) && QDir().mkdir(path));
    fake.yesNoAnswers.append(answers);
    QTEST(window->close(), "closes");
    QStringList shown;
    for (int i = 0; i < fake.questions.size(); ++i)
        shown << fake.questions.at(i).split(QLatin1String("\n")).last().section(QLatin1String(". "), -1) +
                     QLatin1String(fake.noByDefault.contains(fake.questions.at(i)) ? " (No)" : "");
    QTEST(shown, "asked");
    if (damaged) {
        QCOMPARE(readFile(path), QByteArray(100, 'x')); // declined: the file stays as it was
        for (const QString& message : fake.messages)
            QVERIFY2(!message.contains(QLatin1String("could not be saved")), qPrintable(message));
    }
    if (records >= 0) QCOMPARE(readFile(path).size(), records * DatabaseLayout::kRecordSize);
    if (unwritable) QVERIFY(QDir().rmdir(path));
}

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
