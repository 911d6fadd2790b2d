#include "editing/frmproperties.h"
#include "platform/secretclipboard.h"
#include "settings/settingsstore.h"
#include "tests/shell/shellfixture.h"

#include <QStatusBar>
#include <QTest>

// The keys of a list, and the clipboard that forgets a copied password.
class TestListKeys : public ShellFixture {
    Q_OBJECT
private slots:
    void init();
    void keysActOnTheSelectedEntry_data();
    void keysActOnTheSelectedEntry();
    void somethingCopiedSinceStays();
    void noTimeKeepsIt();
    void pendingClearDoneAtExit();

private:
    void press(const QKeySequence& keys);
};

void TestListKeys::init()
{
    setUp();
    for (const char* site : {"Mail", "Bank"})
        window->store().addEntry(Entry{QLatin1String(site), QStringLiteral("anna@") + QLatin1String(site),
                                       QStringLiteral("pw of ") + QLatin1String(site),
                                       QStringLiteral("https://") + QLatin1String(site), QString(), true},
                                 WebPages);
    window->show();
    QVERIFY(QTest::qWaitForWindowActive(window.get()));
    list(WebPages)->setFocus();
    list(WebPages)->selectRow(1);
}

void TestListKeys::press(const QKeySequence& keys)
{
    QTest::keySequence(list(WebPages), keys);
}

void TestListKeys::keysActOnTheSelectedEntry_data()
{
    QTest::addColumn<QKeySequence>("keys");
    QTest::addColumn<QString>("clipboard");
    QTest::addColumn<bool>("secret");
    QTest::addColumn<QString>("opened");
    QTest::addColumn<int>("properties"); // the row the dialog opens on, or -1
    QTest::newRow("Ctrl+B: user") << QKeySequence(Qt::CTRL | Qt::Key_B) << "anna@Bank" << false << "" << -1;
    // While the column is masked too: the keyboard copies without showing.
    QTest::newRow("Ctrl+C: password, as a secret")
        << QKeySequence(Qt::CTRL | Qt::Key_C) << "pw of Bank" << true << "" << -1;
    QTest::newRow("Ctrl+G: Go!!") << QKeySequence(Qt::CTRL | Qt::Key_G) << "" << false << "https://Bank"
                                  << -1;
    QTest::newRow("Enter: Properties") << QKeySequence(Qt::Key_Return) << "" << false << "" << 1;
}

void TestListKeys::keysActOnTheSelectedEntry()
{
    QFETCH(QKeySequence, keys);
    QFETCH(bool, secret);
    press(keys);
    QTEST(fake->clipboard, "clipboard");
    QCOMPARE(fake->clipboardSecret, secret);
    QTEST(fake->opened.join(u' '), "opened");
    auto* properties = window->findChild<frmProperties*>();
    QTEST(properties ? properties->row() : -1, "properties");
    if (secret)
        QCOMPARE(window->statusBar()->currentMessage(),
                 QStringLiteral("The clipboard will be cleared in 10 s."));
}

void TestListKeys::somethingCopiedSinceStays()
{
    SecretClipboard clipboard;
    clipboard.copy(QStringLiteral("pw"), 1);
    fake->setClipboardText(QStringLiteral("pw")); // the same text, copied by the user elsewhere
    QTRY_COMPARE_WITH_TIMEOUT(clipboard.secondsLeft(), 0, 3000);
    QCOMPARE(fake->clipboard, QStringLiteral("pw"));
}

void TestListKeys::noTimeKeepsIt()
{
    QVERIFY(SettingsStore().write(SettingKey::ClipboardSeconds, QStringLiteral("0")));
    press(QKeySequence(Qt::CTRL | Qt::Key_C));
    QCOMPARE(secretClipboard().secondsLeft(), 0);
    QTest::qWait(1200);
    QCOMPARE(fake->clipboard, QStringLiteral("pw of Bank"));
}

void TestListKeys::pendingClearDoneAtExit()
{
    press(QKeySequence(Qt::CTRL | Qt::Key_C));
    window->store().setDatabaseChanged(false);
    QVERIFY(window->close());
    QVERIFY(fake->clipboard.isEmpty());
}

QTEST_MAIN(TestListKeys)
#include "tst_listkeys.moc"
