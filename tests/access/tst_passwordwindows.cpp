#include "failedattemptlog.h"
#include "fakedesktop.h"
#include "frmchangepw.h"
#include "frmpassword.h"
#include "frmsettingspw.h"
#include "frmsupplypw.h"
#include "settingsstore.h"
#include "testhome.h"

#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QStyle>
#include <QTest>

namespace {
const QString kWrong = QStringLiteral("An incorrect password was entered.\r\nPlease try again.");
const QString kChanged = QStringLiteral("The password has been successfully changed.");
const QString kMissingAnswer = QStringLiteral("Please enter an answer to the question you entered.");
} // namespace

class TestPasswordWindows : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void startupPassword_data();
    void startupPassword();
    void tenWrongThenRight();
    void loggingFollowsLogPWs_data();
    void loggingFollowsLogPWs();
    void unwritableLogKeepsTheWindowWorking();
    void cancelEndsEveryWay_data();
    void cancelEndsEveryWay();
    void reminder_data();
    void reminder();
    void noQuestionDisablesIForgot();
    void boxesAreMasked_data();
    void boxesAreMasked();

    void supplyFlow();
    void supplyCancelAndEsc();
    void changeFlow();
    void changeClearsReminder();

    void settingsPasswordQuestion();
    void changeSettingsPassword();

private:
    template <typename T> static T* child(QWidget* w, const char* name)
    {
        T* found = w->findChild<T*>(QLatin1String(name));
        if (!found) qFatal("no child %s", name);
        return found;
    }
    static void type(QWidget* w, const char* box, const QString& text)
    {
        child<QLineEdit>(w, box)->clear();
        QTest::keyClicks(child<QLineEdit>(w, box), text);
    }
    static void click(QWidget* w, const char* name)
    {
        QTest::mouseClick(child<QPushButton>(w, name), Qt::LeftButton);
    }
    static QString text(QWidget* w, const char* box) { return child<QLineEdit>(w, box)->text(); }
    QByteArray log() const
    {
        QFile file(FailedAttemptLog::path());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    void store(const QString& key, const QString& clear) { SettingsStore().writeSecret(key, clear); }
    QString stored(const QString& key) { return SettingsStore().readSecret(key); }

    std::unique_ptr<TestHome> m_home;
    FakeDesktop* m_fake = nullptr;
};

void TestPasswordWindows::init()
{
    m_home = std::make_unique<TestHome>();
    m_fake = &FakeDesktop::install();
}

void TestPasswordWindows::cleanup()
{
    m_home.reset();
}

void TestPasswordWindows::startupPassword_data()
{
    QTest::addColumn<bool>("hasPassword");
    QTest::addColumn<QString>("password");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("right");
    QTest::newRow("right") << true << "Secret1"
                           << "Secret1" << true;
    QTest::newRow("wrong") << true << "Secret1"
                           << "Secret2" << false;
    QTest::newRow("one letter's case") << true << "Secret1"
                                       << "secret1" << false;
    QTest::newRow("trailing blank") << true << "Secret1"
                                    << "Secret1 " << false;
    QTest::newRow("empty typed") << true << "Secret1"
                                 << "" << false;
    QTest::newRow("none stored, empty typed") << false << ""
                                              << "" << true;
    QTest::newRow("none stored, something typed") << false << ""
                                                  << "x" << false;
}

void TestPasswordWindows::startupPassword()
{
    QFETCH(bool, hasPassword);
    QFETCH(QString, password);
    QFETCH(QString, typed);
    QFETCH(bool, right);
    if (hasPassword) store(SettingKey::PW, password);
    frmPassword window;
    QSignalSpy accepted(&window, &QDialog::accepted);
    QSignalSpy cancelled(&window, &frmPassword::cancelled);
    window.show();
    type(&window, "txtPassword", typed);
    QTest::keyClick(child<QLineEdit>(&window, "txtPassword"), Qt::Key_Return); // Enter presses "&Ok"

    QCOMPARE(accepted.count(), right ? 1 : 0);
    QCOMPARE(cancelled.count(), 0);
    QCOMPARE(window.isVisible(), !right);
    QCOMPARE(m_fake->messages, right ? QStringList() : QStringList{kWrong});
    QCOMPARE(text(&window, "txtPassword"), right ? typed : QString());
    QCOMPARE(log().isEmpty(), right);
}

void TestPasswordWindows::tenWrongThenRight()
{
    store(SettingKey::PW, QStringLiteral("right"));
    frmPassword window;
    QSignalSpy accepted(&window, &QDialog::accepted);
    window.show();
    for (int i = 0; i < 10; ++i) {
        type(&window, "txtPassword", QStringLiteral(" wrong %1").arg(i));
        click(&window, "cmdOk");
    }
    QCOMPARE(m_fake->messages.size(), 10);
    QCOMPARE(accepted.count(), 0);

    const QList<QByteArray> lines = log().split('\n');
    QCOMPARE(lines.size(), 11);
    for (int i = 0; i < 10; ++i) {
        const QByteArray& line = lines[i];
        QVERIFY2(line.startsWith("Attempt made on "), line.constData());
        QVERIFY2(line.endsWith(QByteArray(":  \t wrong ") + QByteArray::number(i) + "\r"), line.constData());
        // Nothing between the date and the colon but the date itself.
        QCOMPARE(line.count(":  \t"), 1);
    }

    type(&window, "txtPassword", QStringLiteral("right"));
    click(&window, "cmdOk");
    QCOMPARE(accepted.count(), 1);
    QCOMPARE(log().split('\n').size(), 11);
}

void TestPasswordWindows::loggingFollowsLogPWs_data()
{
    QTest::addColumn<QString>("logPWs"); // empty: key missing
    QTest::addColumn<bool>("logged");
    QTest::newRow("missing") << "" << true;
    QTest::newRow("1") << "1" << true;
    QTest::newRow("0") << "0" << false;
    QTest::newRow("2") << "2" << false;
}

void TestPasswordWindows::loggingFollowsLogPWs()
{
    QFETCH(QString, logPWs);
    QFETCH(bool, logged);
    if (!logPWs.isEmpty()) SettingsStore().write(SettingKey::LogPWs, logPWs);
    store(SettingKey::PW, QStringLiteral("right"));
    frmPassword window;
    window.show();
    type(&window, "txtPassword", QStringLiteral("guess"));
    click(&window, "cmdOk");
    QCOMPARE(m_fake->messages, QStringList{kWrong});
    QCOMPARE(QFile::exists(FailedAttemptLog::path()), logged);
}

void TestPasswordWindows::unwritableLogKeepsTheWindowWorking()
{
    QVERIFY(QDir(m_home->path()).mkdir(QStringLiteral("pw_log.txt")));
    store(SettingKey::PW, QStringLiteral("right"));
    frmPassword window;
    QSignalSpy accepted(&window, &QDialog::accepted);
    window.show();
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("failed-attempt log"));
    type(&window, "txtPassword", QStringLiteral("guess"));
    click(&window, "cmdOk");
    QCOMPARE(m_fake->messages, QStringList{kWrong});
    QVERIFY(window.isVisible());
    type(&window, "txtPassword", QStringLiteral("right"));
    click(&window, "cmdOk");
    QCOMPARE(accepted.count(), 1);
}

void TestPasswordWindows::cancelEndsEveryWay_data()
{
    QTest::addColumn<int>("how");
    QTest::newRow("C&ancel") << 0;
    QTest::newRow("close box") << 1;
    QTest::newRow("Esc") << 2;
}

void TestPasswordWindows::cancelEndsEveryWay()
{
    QFETCH(int, how);
    store(SettingKey::PW, QStringLiteral("right"));
    frmPassword window;
    QSignalSpy accepted(&window, &QDialog::accepted);
    QSignalSpy cancelled(&window, &frmPassword::cancelled);
    window.show();
    type(&window, "txtPassword", QStringLiteral("right"));
    if (how == 0)
        click(&window, "cmdCancel");
    else if (how == 1)
        window.close();
    else
        QTest::keyClick(&window, Qt::Key_Escape);
    QCOMPARE(cancelled.count(), 1);
    QCOMPARE(accepted.count(), 0);
    QVERIFY(!window.isVisible());
    QVERIFY(m_fake->messages.isEmpty());
}

void TestPasswordWindows::reminder_data()
{
    QTest::addColumn<std::optional<QString>>("reply");
    QTest::addColumn<QString>("answer");
    QTest::addColumn<bool>("right");
    QTest::newRow("right") << std::optional<QString>("Rex") << "Rex" << true;
    QTest::newRow("case differs") << std::optional<QString>("rex") << "Rex" << false;
    QTest::newRow("cancelled") << std::optional<QString>() << "Rex" << false;
    // A cancelled box is the empty answer, compared like any other.
    QTest::newRow("cancelled, empty answer stored") << std::optional<QString>() << "" << true;
}

void TestPasswordWindows::reminder()
{
    QFETCH(std::optional<QString>, reply);
    QFETCH(QString, answer);
    QFETCH(bool, right);
    store(SettingKey::PW, QStringLiteral("Hunter2"));
    store(SettingKey::Question, QStringLiteral("Name of your first dog?"));
    store(SettingKey::Answer, answer);
    frmPassword window;
    QSignalSpy accepted(&window, &QDialog::accepted);
    window.show();
    m_fake->inputAnswers.enqueue(reply);
    click(&window, "cmdIForgot");
    QCOMPARE(m_fake->questions, QStringList{"Name of your first dog?"});
    if (!right) {
        QCOMPARE(m_fake->messages, QStringList{"Your answer is incorrect."});
        QCOMPARE(text(&window, "txtPassword"), QString());
        QVERIFY(!QFile::exists(FailedAttemptLog::path())); // wrong answers are not logged
        return;
    }
    QCOMPARE(m_fake->messages, QStringList{"The password is: Hunter2"});
    QCOMPARE(text(&window, "txtPassword"), QStringLiteral("Hunter2"));
    click(&window, "cmdOk");
    QCOMPARE(accepted.count(), 1);
}

void TestPasswordWindows::noQuestionDisablesIForgot()
{
    store(SettingKey::Question, QStringLiteral("Pet?"));
    {
        frmPassword window;
        QVERIFY(child<QPushButton>(&window, "cmdIForgot")->isEnabled());
    }
    store(SettingKey::Question, QString());
    frmPassword window;
    QVERIFY(!child<QPushButton>(&window, "cmdIForgot")->isEnabled());
}

void TestPasswordWindows::boxesAreMasked_data()
{
    QTest::addColumn<int>("window");
    QTest::addColumn<QStringList>("masked");
    QTest::addColumn<QStringList>("plain");
    QTest::newRow("frmPassword") << 0 << QStringList{"txtPassword"} << QStringList{};
    QTest::newRow("frmSupplyPW") << 1 << QStringList{"txtPassword", "txtPassword2"}
                                 << QStringList{"txtQuestion", "txtAnswer"};
    QTest::newRow("frmChangePW") << 2 << QStringList{"txtOld", "txtNew", "txtNew2"}
                                 << QStringList{"txtQuestion", "txtAnswer"};
    QTest::newRow("frmSettingsPW") << 3 << QStringList{"txtPassword"} << QStringList{};
    QTest::newRow("frmChangeSettingsPW") << 4 << QStringList{"txtOld", "txtNew", "txtNew2"} << QStringList{};
}

void TestPasswordWindows::boxesAreMasked()
{
    QFETCH(int, window);
    QFETCH(QStringList, masked);
    QFETCH(QStringList, plain);
    std::unique_ptr<QDialog> dialog;
    switch (window) {
    case 0:
        dialog = std::make_unique<frmPassword>();
        break;
    case 1:
        dialog = std::make_unique<frmSupplyPW>();
        break;
    case 2:
        dialog = std::make_unique<frmChangePW>();
        break;
    case 3:
        dialog = std::make_unique<frmSettingsPW>();
        break;
    default:
        dialog = std::make_unique<frmChangeSettingsPW>();
        break;
    }
    for (const QString& name : masked) {
        auto* box = dialog->findChild<QLineEdit*>(name);
        QVERIFY2(box, qPrintable(name));
        QCOMPARE(box->echoMode(), QLineEdit::Password);
        QCOMPARE(box->style()->styleHint(QStyle::SH_LineEdit_PasswordCharacter, nullptr, box), int('*'));
    }
    for (const QString& name : plain)
        QCOMPARE(dialog->findChild<QLineEdit*>(name)->echoMode(), QLineEdit::Normal);
}

void TestPasswordWindows::supplyFlow()
{
    store(SettingKey::Question, QStringLiteral("old question"));
    store(SettingKey::Answer, QStringLiteral("old answer"));
    frmSupplyPW dialog;
    dialog.show();

    type(&dialog, "txtPassword", QStringLiteral("abc"));
    type(&dialog, "txtPassword2", QStringLiteral("abd"));
    click(&dialog, "cmdOk");
    QCOMPARE(m_fake->messages, QStringList{"The passwords entered do not match.  Please try again."});
    QCOMPARE(text(&dialog, "txtPassword") + text(&dialog, "txtPassword2"), QString());
    QVERIFY(!SettingsStore().contains(SettingKey::PW));

    // A question without an answer stops after the password is stored.
    type(&dialog, "txtPassword", QStringLiteral("abc"));
    type(&dialog, "txtPassword2", QStringLiteral("abc"));
    type(&dialog, "txtQuestion", QStringLiteral("Pet?"));
    click(&dialog, "cmdOk");
    QCOMPARE(m_fake->messages.last(), kMissingAnswer);
    QVERIFY(dialog.isVisible());
    QCOMPARE(stored(SettingKey::PW), QStringLiteral("abc"));
    QCOMPARE(stored(SettingKey::Question), QStringLiteral("old question"));

    type(&dialog, "txtAnswer", QStringLiteral("Rex"));
    click(&dialog, "cmdOk");
    QCOMPARE(m_fake->messages.size(), 2);
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QVERIFY(!dialog.isVisible());
    QCOMPARE(stored(SettingKey::Question), QStringLiteral("Pet?"));
    QCOMPARE(stored(SettingKey::Answer), QStringLiteral("Rex"));
}

void TestPasswordWindows::supplyCancelAndEsc()
{
    for (bool esc : {false, true}) {
        frmSupplyPW dialog;
        QSignalSpy cancelled(&dialog, &frmSupplyPW::cancelled);
        dialog.show();
        type(&dialog, "txtPassword", QStringLiteral("abc"));
        type(&dialog, "txtPassword2", QStringLiteral("abc"));
        if (esc)
            QTest::keyClick(&dialog, Qt::Key_Escape);
        else
            click(&dialog, "cmdCancel");
        QVERIFY(!dialog.isVisible());
        // Only C&ancel takes the requirement back.
        QCOMPARE(cancelled.count(), esc ? 0 : 1);
        QVERIFY(!SettingsStore().contains(SettingKey::PW));
    }
}

void TestPasswordWindows::changeFlow()
{
    store(SettingKey::PW, QStringLiteral("old"));
    frmChangePW dialog;
    dialog.show();
    QVERIFY(text(&dialog, "txtOld").isEmpty());

    type(&dialog, "txtOld", QStringLiteral("Old"));
    type(&dialog, "txtNew", QStringLiteral("new"));
    type(&dialog, "txtNew2", QStringLiteral("new"));
    click(&dialog, "cmdOk");
    QCOMPARE(m_fake->messages, QStringList{"The old password entered is not valid.  Please try again."});
    QCOMPARE(text(&dialog, "txtOld"), QString());
    QCOMPARE(text(&dialog, "txtNew"), QStringLiteral("new"));

    type(&dialog, "txtOld", QStringLiteral("old"));
    type(&dialog, "txtNew2", QStringLiteral("neW"));
    click(&dialog, "cmdOk");
    QCOMPARE(m_fake->messages.last(),
             QStringLiteral(
                 "The new password and the new password verification do not match.  Please try again."));
    QCOMPARE(text(&dialog, "txtNew") + text(&dialog, "txtNew2"), QString());
    QCOMPARE(stored(SettingKey::PW), QStringLiteral("old"));

    type(&dialog, "txtNew", QStringLiteral("new"));
    type(&dialog, "txtNew2", QStringLiteral("new"));
    type(&dialog, "txtQuestion", QStringLiteral("Town?"));
    click(&dialog, "cmdOk");
    QCOMPARE(m_fake->messages.last(), kMissingAnswer);
    QCOMPARE(stored(SettingKey::PW), QStringLiteral("new"));

    // The old box still says "old", which is no longer the password.
    type(&dialog, "txtAnswer", QStringLiteral("Rome"));
    click(&dialog, "cmdOk");
    QCOMPARE(m_fake->messages.last(),
             QStringLiteral("The old password entered is not valid.  Please try again."));
    type(&dialog, "txtOld", QStringLiteral("new"));
    click(&dialog, "cmdOk");
    QCOMPARE(m_fake->messages.last(), kChanged);
    QCOMPARE(m_fake->messages.size(), 5);
    QVERIFY(!dialog.isVisible());
    QCOMPARE(stored(SettingKey::Question), QStringLiteral("Town?"));
    QCOMPARE(stored(SettingKey::Answer), QStringLiteral("Rome"));
}

void TestPasswordWindows::changeClearsReminder()
{
    store(SettingKey::PW, QStringLiteral("old"));
    store(SettingKey::Question, QStringLiteral("Pet?"));
    store(SettingKey::Answer, QStringLiteral("Rex"));
    frmChangePW dialog;
    dialog.show();
    type(&dialog, "txtOld", QStringLiteral("old"));
    click(&dialog, "cmdOk"); // new password: the empty one
    QCOMPARE(m_fake->messages, QStringList{kChanged});
    QCOMPARE(stored(SettingKey::PW), QString());
    QCOMPARE(stored(SettingKey::Question), QString());

    frmPassword window;
    QVERIFY(!child<QPushButton>(&window, "cmdIForgot")->isEnabled());
}

void TestPasswordWindows::settingsPasswordQuestion()
{
    store(SettingKey::SettingsPW, QStringLiteral("guard"));
    store(SettingKey::PW, QStringLiteral("master"));
    frmSettingsPW dialog;
    QSignalSpy accepted(&dialog, &QDialog::accepted);
    dialog.show();
    for (const char* wrong : {"master", "Guard", ""}) {
        type(&dialog, "txtPassword", QLatin1String(wrong));
        click(&dialog, "cmdOk");
        QCOMPARE(text(&dialog, "txtPassword"), QString());
    }
    QCOMPARE(m_fake->messages, QStringList(3, kWrong));
    QVERIFY(!QFile::exists(FailedAttemptLog::path())); // not the start-up password: not logged
    type(&dialog, "txtPassword", QStringLiteral("guard"));
    click(&dialog, "cmdOk");
    QCOMPARE(accepted.count(), 1);
}

void TestPasswordWindows::changeSettingsPassword()
{
    frmChangeSettingsPW dialog;
    QSignalSpy accepted(&dialog, &QDialog::accepted);
    dialog.show();
    type(&dialog, "txtOld", QStringLiteral("x"));
    type(&dialog, "txtNew", QStringLiteral("s1"));
    type(&dialog, "txtNew2", QStringLiteral("s1"));
    click(&dialog, "cmdOk");
    QCOMPARE(m_fake->messages, QStringList{"The old password entered is not valid.  Please try again."});
    QCOMPARE(text(&dialog, "txtOld"), QString());

    type(&dialog, "txtNew2", QStringLiteral("s2"));
    click(&dialog, "cmdOk"); // no settings password yet: the old one is empty
    QCOMPARE(m_fake->messages.last(),
             QStringLiteral(
                 "The new password and the new password verification do not match.  Please try again."));
    QVERIFY(!SettingsStore().contains(SettingKey::SettingsPW));

    type(&dialog, "txtNew", QStringLiteral("s1"));
    type(&dialog, "txtNew2", QStringLiteral("s1"));
    click(&dialog, "cmdOk");
    QCOMPARE(m_fake->messages.last(), kChanged);
    QCOMPARE(accepted.count(), 1);
    QCOMPARE(stored(SettingKey::SettingsPW), QStringLiteral("s1"));
}

QTEST_MAIN(TestPasswordWindows)
#include "tst_passwordwindows.moc"
