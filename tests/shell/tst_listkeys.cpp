#include "editing/frmproperties.h"
#include "platform/secretclipboard.h"
#include "settings/settingsstore.h"
#include "shell/frmmain.h"
#include "tests/support/fakedesktop.h"
#include "tests/support/testhome.h"

#include <QSignalSpy>
#include <QStatusBar>
#include <QTableView>
#include <QTest>

// The keys of a list, and the clipboard that forgets a copied password.
class TestListKeys : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void keysActOnTheSelectedEntry_data();
    void keysActOnTheSelectedEntry();
    void secretClearedAfterItsTime();
    void somethingCopiedSinceStays();
    void noTimeKeepsIt();
    void pendingClearDoneAtExit();

private:
    void press(const QKeySequence& keys);
    std::unique_ptr<TestHome> m_home;
    FakeDesktop* m_fake = nullptr;
    std::unique_ptr<frmMain> m_window;
};

void TestListKeys::init()
{
    m_home = std::make_unique<TestHome>();
    m_fake = &FakeDesktop::install();
    m_window = std::make_unique<frmMain>();
    QVERIFY(m_window->Load());
    for (const char* site : {"Mail", "Bank"})
        m_window->store().addEntry(Entry{QLatin1String(site), QStringLiteral("anna@") + QLatin1String(site),
                                         QStringLiteral("pw of ") + QLatin1String(site),
                                         QStringLiteral("https://") + QLatin1String(site), QString(), true},
                                   WebPages);
    m_window->show();
    QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
    auto* list = m_window->findChild<QTableView*>(QStringLiteral("ListView1_0"));
    list->setFocus();
    list->selectRow(1);
}

void TestListKeys::cleanup()
{
    m_window->store().setDatabaseChanged(false);
    m_window->close();
    m_window.reset();
    m_home.reset();
}

void TestListKeys::press(const QKeySequence& keys)
{
    QTest::keySequence(m_window->findChild<QTableView*>(QStringLiteral("ListView1_0")), keys);
}

void TestListKeys::keysActOnTheSelectedEntry_data()
{
    QTest::addColumn<QKeySequence>("keys");
    QTest::addColumn<QString>("clipboard");
    QTest::addColumn<bool>("secret");
    QTest::addColumn<QString>("opened");
    QTest::newRow("Ctrl+B: user") << QKeySequence(Qt::CTRL | Qt::Key_B) << "anna@Bank" << false << "";
    // While the column is masked too: the keyboard copies without showing.
    QTest::newRow("Ctrl+C: password, as a secret")
        << QKeySequence(Qt::CTRL | Qt::Key_C) << "pw of Bank" << true << "";
    QTest::newRow("Ctrl+U: address") << QKeySequence(Qt::CTRL | Qt::Key_U) << "https://Bank" << false << "";
    QTest::newRow("Ctrl+G: Go!!") << QKeySequence(Qt::CTRL | Qt::Key_G) << "" << false << "https://Bank";
    QTest::newRow("Enter: Properties") << QKeySequence(Qt::Key_Return) << "" << false << "";
}

void TestListKeys::keysActOnTheSelectedEntry()
{
    QFETCH(QKeySequence, keys);
    QFETCH(QString, clipboard);
    QFETCH(bool, secret);
    QFETCH(QString, opened);
    press(keys);
    QCOMPARE(m_fake->clipboard, clipboard);
    QCOMPARE(m_fake->clipboardSecret, secret);
    QCOMPARE(m_fake->opened.join(u' '), opened);
    auto* properties = m_window->findChild<frmProperties*>();
    QCOMPARE(properties != nullptr, keys == QKeySequence(Qt::Key_Return));
    if (properties) {
        QCOMPARE(properties->row(), 1);
        properties->close();
    }
    if (secret)
        QCOMPARE(m_window->statusBar()->currentMessage(),
                 QStringLiteral("The clipboard will be cleared in 10 s."));
}

void TestListKeys::secretClearedAfterItsTime()
{
    SecretClipboard clipboard;
    QSignalSpy countdown(&clipboard, &SecretClipboard::countdown);
    clipboard.copy(QStringLiteral("pw"), 2);
    QVERIFY(m_fake->clipboardSecret);
    QTRY_VERIFY_WITH_TIMEOUT(m_fake->clipboard.isEmpty(), 4000);
    QCOMPARE(countdown.size(), 3);
    QCOMPARE(countdown.at(0).at(0).toInt(), 2);
    QCOMPARE(countdown.at(2).at(0).toInt(), 0);
}

void TestListKeys::somethingCopiedSinceStays()
{
    SecretClipboard clipboard;
    clipboard.copy(QStringLiteral("pw"), 1);
    m_fake->setClipboardText(QStringLiteral("pw")); // the same text, copied by the user elsewhere
    QTRY_COMPARE_WITH_TIMEOUT(clipboard.secondsLeft(), 0, 3000);
    QCOMPARE(m_fake->clipboard, QStringLiteral("pw"));
}

void TestListKeys::noTimeKeepsIt()
{
    QVERIFY(SettingsStore().write(SettingKey::ClipboardSeconds, QStringLiteral("0")));
    press(QKeySequence(Qt::CTRL | Qt::Key_C));
    QCOMPARE(secretClipboard().secondsLeft(), 0);
    QTest::qWait(1200);
    QCOMPARE(m_fake->clipboard, QStringLiteral("pw of Bank"));
}

void TestListKeys::pendingClearDoneAtExit()
{
    press(QKeySequence(Qt::CTRL | Qt::Key_C));
    QCOMPARE(m_fake->clipboard, QStringLiteral("pw of Bank"));
    m_window->store().setDatabaseChanged(false);
    QVERIFY(m_window->close());
    QVERIFY(m_fake->clipboard.isEmpty());
}

QTEST_MAIN(TestListKeys)
#include "tst_listkeys.moc"
