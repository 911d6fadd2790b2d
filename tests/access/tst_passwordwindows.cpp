#include "access/failedattemptlog.h"
#include "access/frmchangepw.h"
#include "access/frmpassword.h"
#include "access/frmsettingspw.h"
#include "access/frmsupplypw.h"
#include "settings/settingsstore.h"
#include "tests/support/fakedesktop.h"
#include "tests/support/quickseal.h"
#include "tests/support/testhome.h"

#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTest>

namespace {
const QString kWrong = QStringLiteral("An incorrect password was entered.\r\nPlease try again.");
const QString kChanged = QStringLiteral("The password has been successfully changed.");
const QString kMissingAnswer = QStringLiteral("Please enter an answer to the question you entered.");
const QString kOldInvalid = QStringLiteral("The old password entered is not valid.  Please try again.");
const QString kNewMismatch =
    QStringLiteral("The new password and the new password verification do not match.  Please try again.");
} // namespace

class TestPasswordWindows : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup() { m_home.reset(); }

    void wrongThenRight_data();
    void wrongThenRight();
    void cancelEndsEveryWay();
    void reminder();
    void boxesAreMasked();

    void supplyFlow();
    void changeChecks_data();
    void changeChecks();
    void changeAfterMissingAnswer();
    void sealedStartWindow();

private:
    static QLineEdit* box(QWidget* w, const char* name)
    {
        return w->findChild<QLineEdit*>(QLatin1String(name));
    }
    static void type(QWidget* w, const char* name, const QString& text)
    {
        box(w, name)->clear();
        // The test keyboard has keys for Latin-1 only; other text arrives as a paste would.
        if (text == QString::fromLatin1(text.toLatin1()))
            QTest::keyClicks(box(w, name), text);
        else
            box(w, name)->insert(text);
    }
    static void click(QWidget* w, const char* name)
    {
        QTest::mouseClick(w->findChild<QPushButton*>(QLatin1String(name)), Qt::LeftButton);
    }
    static QByteArray log() { return readFile(FailedAttemptLog::path()); }
    static void store(const Setting& key, const QString& clear)
    {
        QVERIFY(SettingsStore().writeSecret(key, clear));
    }
    static QString stored(const Setting& key) { return SettingsStore().readSecret(key); }

    std::unique_ptr<TestHome> m_home;
    FakeDesktop* m_fake = nullptr;
};

void TestPasswordWindows::init()
{
    m_home = std::make_unique<TestHome>();
    m_fake = &FakeDesktop::install();
}

void TestPasswordWindows::wrongThenRight_data()
{
    QTest::addColumn<QString>("logPWs"); // empty: key missing
    QTest::addColumn<bool>("writable");
    QTest::addColumn<bool>("logged");
    QTest::newRow("missing") << "" << true << true;
    QTest::newRow("0") << "0" << true << false;
    QTest::newRow("log cannot be written") << "1" << false << false;
}

// Which passwords match is the core's business; here: what the window does with each answer. However many
// wrong ones, it goes on as ever, whatever became of the log line; each attempt is logged in order, as typed.
void TestPasswordWindows::wrongThenRight()
{
    QFETCH(QString, logPWs);
    QFETCH(bool, writable);
    QFETCH(bool, logged);
    if (!logPWs.isEmpty()) QVERIFY(SettingsStore().write(SettingKey::LogPWs, logPWs));
    if (!writable) QVERIFY(QDir(m_home->path()).mkdir(QStringLiteral("pw_log.txt")));
    store(SettingKey::PW, QStringLiteral("right"));
    frmPassword window;
    QSignalSpy accepted(&window, &QDialog::accepted);
    window.show();
    for (int i = 0; i < 10; ++i) {
        if (!writable) QTest::ignoreMessage(QtWarningMsg, QRegularExpression("failed-attempt log"));
        type(&window, "txtPassword", QStringLiteral(" wrong %1").arg(i));
        click(&window, "cmdOk");
        QVERIFY(window.isVisible() && box(&window, "txtPassword")->text().isEmpty());
    }
    QCOMPARE(m_fake->messages, QStringList(10, kWrong));
    const QList<QByteArray> lines = log().split('\n');
    QCOMPARE(lines.size(), logged ? 11 : 1);
    for (int i = 0; i < lines.size() - 1; ++i)
        QVERIFY2(lines[i].endsWith(":  \t wrong " + QByteArray::number(i) + "\r"), lines[i].constData());

    type(&window, "txtPassword", QStringLiteral("right"));
    QTest::keyClick(box(&window, "txtPassword"), Qt::Key_Return); // Enter presses "&Ok"
    QCOMPARE(accepted.count(), 1);
    QCOMPARE(m_fake->messages.size(), 10);
    QCOMPARE(log().count('\n'), logged ? 10 : 0);
}

// Leaving the start-up window any way ends the program: C&ancel, the close box, Esc.
void TestPasswordWindows::cancelEndsEveryWay()
{
    for (int how = 0; how < 3; ++how) {
        frmPassword window;
        QSignalSpy cancelled(&window, &frmPassword::cancelled);
        window.show();
        type(&window, "txtPassword", QStringLiteral("abc"));
        if (how == 0)
            click(&window, "cmdCancel");
        else if (how == 1)
            window.close();
        else
            QTest::keyClick(&window, Qt::Key_Escape);
        QCOMPARE(cancelled.count(), 1);
        QCOMPARE(window.result(), int(QDialog::Rejected));
    }
}

// A cancelled question is a wrong answer; the right one shows the password and puts it in the box.
void TestPasswordWindows::reminder()
{
    store(SettingKey::PW, QStringLiteral("Hunter2"));
    store(SettingKey::Question, QStringLiteral("Name of your first dog?"));
    store(SettingKey::Answer, QStringLiteral("Rex"));
    frmPassword window;
    window.show();
    m_fake->inputAnswers << std::nullopt << QStringLiteral("Rex");
    click(&window, "cmdIForgot");
    QVERIFY(box(&window, "txtPassword")->text().isEmpty());
    click(&window, "cmdIForgot");
    QCOMPARE(m_fake->questions, QStringList(2, "Name of your first dog?"));
    QCOMPARE(m_fake->messages, (QStringList{"Your answer is incorrect.", "The password is: Hunter2"}));
    QCOMPARE(box(&window, "txtPassword")->text(), QStringLiteral("Hunter2"));
    QVERIFY(!QFile::exists(FailedAttemptLog::path())); // wrong answers are not logged
}

// Every box of the password windows is masked, but the reminder's question and answer.
void TestPasswordWindows::boxesAreMasked()
{
    const std::unique_ptr<QDialog> dialogs[]{
        std::make_unique<frmPassword>(), std::make_unique<frmSupplyPW>(), std::make_unique<frmChangePW>(),
        std::make_unique<frmSettingsPW>(), std::make_unique<frmChangeSettingsPW>()};
    for (const auto& dialog : dialogs)
        for (QLineEdit* edit : dialog->findChildren<QLineEdit*>()) {
            const bool plain = edit->objectName() == "txtQuestion" || edit->objectName() == "txtAnswer";
            QCOMPARE(edit->echoMode(), plain ? QLineEdit::Normal : QLineEdit::Password);
        }
}

void TestPasswordWindows::supplyFlow()
{
    frmSupplyPW dialog;
    dialog.show();
    type(&dialog, "txtPassword", QStringLiteral("abc"));
    type(&dialog, "txtPassword2", QStringLiteral("abd"));
    click(&dialog, "cmdOk");
    QCOMPARE(m_fake->messages, QStringList{"The passwords entered do not match.  Please try again."});
    QVERIFY(box(&dialog, "txtPassword")->text().isEmpty() && box(&dialog, "txtPassword2")->text().isEmpty());
    QVERIFY(!SettingsStore().contains(SettingKey::PW));

    // What the settings cannot keep is refused before anything is stored.
    type(&dialog, "txtPassword", QStringLiteral("abc"));
    type(&dialog, "txtPassword2", QStringLiteral("abc"));
    type(&dialog, "txtQuestion", QStringLiteral("Город?"));
    click(&dialog, "cmdOk");
    QVERIFY(m_fake->messages.last().startsWith(
        "The reminder question holds characters that cannot be kept: \"Г\""));
    QVERIFY(dialog.isVisible() && !SettingsStore().contains(SettingKey::PW));

    // A question without an answer stops after the password is stored; the dialog stays.
    type(&dialog, "txtQuestion", QStringLiteral("Pet?"));
    click(&dialog, "cmdOk");
    QCOMPARE(m_fake->messages.last(), kMissingAnswer);
    QVERIFY(dialog.isVisible());

    type(&dialog, "txtAnswer", QStringLiteral("Rex"));
    click(&dialog, "cmdOk");
    QCOMPARE(m_fake->messages.size(), 3);
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(stored(SettingKey::Question), QStringLiteral("Pet?"));
    QCOMPARE(stored(SettingKey::Answer), QStringLiteral("Rex"));
}

void TestPasswordWindows::changeChecks_data()
{
    QTest::addColumn<bool>("settingsPassword"); // frmChangeSettingsPW, else frmChangePW
    QTest::addColumn<QString>("old");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("typed"); // the new password, in both boxes unless again differs
    QTest::addColumn<QString>("again");
    QTest::addColumn<QStringList>("cleared"); // the boxes emptied
    const QString unkept =
        QStringLiteral("The new password holds characters that cannot be kept: \"п\", \"а\", "
                       "\"р\", \"о\", \"л\", \"ь\". Remove them, or use others.");
    for (bool settings : {false, true}) {
        const char* which = settings ? "settings" : "master";
        QTest::addRow("%s: old in other case", which) << settings << "Old" << kOldInvalid << "n"
                                                      << "n" << QStringList{"txtOld"};
        QTest::addRow("%s: mismatch", which) << settings << "old" << kNewMismatch << "n"
                                             << "N" << QStringList{"txtNew", "txtNew2"};
        QTest::addRow("%s: outside the code page", which) << settings << "old" << unkept << "пароль"
                                                          << "пароль" << QStringList{};
        QTest::addRow("%s: changed", which) << settings << "old" << kChanged << "n"
                                            << "n" << QStringList{};
    }
}

void TestPasswordWindows::changeChecks()
{
    QFETCH(bool, settingsPassword);
    QFETCH(QString, old);
    QFETCH(QString, message);
    QFETCH(QString, typed);
    QFETCH(QString, again);
    QFETCH(QStringList, cleared);
    const Setting& key = settingsPassword ? SettingKey::SettingsPW : SettingKey::PW;
    store(SettingKey::PW, QStringLiteral("old"));
    store(SettingKey::SettingsPW, QStringLiteral("old"));
    const std::unique_ptr<QDialog> dialog(settingsPassword ? static_cast<QDialog*>(new frmChangeSettingsPW)
                                                           : new frmChangePW);
    dialog->show();
    type(dialog.get(), "txtOld", old);
    type(dialog.get(), "txtNew", typed);
    type(dialog.get(), "txtNew2", again);
    click(dialog.get(), "cmdOk");
    QCOMPARE(m_fake->messages, QStringList{message});
    const bool done = message == kChanged;
    QCOMPARE(dialog->result(), done ? int(QDialog::Accepted) : int(QDialog::Rejected));
    QCOMPARE(dialog->isVisible(), !done);
    QCOMPARE(stored(key), done ? QStringLiteral("n") : QStringLiteral("old"));
    QCOMPARE(stored(settingsPassword ? SettingKey::PW : SettingKey::SettingsPW), QStringLiteral("old"));
    for (const char* name : {"txtOld", "txtNew", "txtNew2"})
        if (!done) QCOMPARE(box(dialog.get(), name)->text().isEmpty(), cleared.contains(QLatin1String(name)));
}

void TestPasswordWindows::changeAfterMissingAnswer()
{
    store(SettingKey::PW, QStringLiteral("old"));
    frmChangePW dialog;
    dialog.show();
    type(&dialog, "txtOld", QStringLiteral("old"));
    type(&dialog, "txtNew", QStringLiteral("new"));
    type(&dialog, "txtNew2", QStringLiteral("new"));
    type(&dialog, "txtQuestion", QStringLiteral("Town?"));
    click(&dialog, "cmdOk");
    QCOMPARE(m_fake->messages, QStringList{kMissingAnswer});
    QCOMPARE(stored(SettingKey::PW), QStringLiteral("new"));

    // The old box still says "old", which is no longer the password.
    type(&dialog, "txtAnswer", QStringLiteral("Rome"));
    click(&dialog, "cmdOk");
    QCOMPARE(m_fake->messages.last(), kOldInvalid);
}

// Beside a sealed file the window opens the file: no "PW" is stored, the log keeps no typed text, and the
// reminder cannot give the password away.
void TestPasswordWindows::sealedStartWindow()
{
    const QString path = m_home->file(QStringLiteral("anna.adr"));
    QVERIFY(sealQuickly(path, QStringLiteral("right")));
    store(SettingKey::Question, QStringLiteral("Pet?"));
    store(SettingKey::Answer, QStringLiteral("Rex"));

    frmPassword window(nullptr, path);
    QSignalSpy accepted(&window, &QDialog::accepted);
    window.show();
    type(&window, "txtPassword", QStringLiteral("righ"));
    click(&window, "cmdOk");
    QCOMPARE(m_fake->messages, QStringList{kWrong});
    QVERIFY(log().endsWith(":  \t\r\n"));
    QVERIFY(!window.takeKey());

    m_fake->inputAnswers.enqueue(QStringLiteral("Rex"));
    click(&window, "cmdIForgot");
    QVERIFY(m_fake->messages.last().contains(QLatin1String("cannot be recovered")));
    QVERIFY(box(&window, "txtPassword")->text().isEmpty());

    type(&window, "txtPassword", QStringLiteral("right"));
    click(&window, "cmdOk");
    QCOMPARE(accepted.count(), 1);
    const std::unique_ptr<SealKey> key = window.takeKey();
    QString right = QStringLiteral("right");
    const std::unique_ptr<SealKey> sealedWith =
        SealKey::derive(right, *SealedFile::readParams(readFile(path), nullptr));
    QVERIFY(key && key->sameAs(*sealedWith));
}

QTEST_MAIN(TestPasswordWindows)
#include "tst_passwordwindows.moc"
