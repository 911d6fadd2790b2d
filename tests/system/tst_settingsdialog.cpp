#include "access/failedattemptlog.h"
#include "access/frmsettingspw.h"
#include "access/frmsupplypw.h"
#include "settings/settingsstore.h"
#include "store/cipher.h"
#include "store/databasefile.h"
#include "store/entrystore.h"
#include "store/sealedfile.h"
#include "system/autostart.h"
#include "system/frmsettings.h"
#include "system/frmsettings_apply.h"
#include "tests/support/fakedesktop.h"
#include "tests/support/testhome.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QSpinBox>
#include <QTabWidget>
#include <QTest>

namespace {
const QString kRestart = QStringLiteral("Keyvane must be restarted for this setting to take effect.");
}

class TestSettingsDialog : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void storedValues();

    void okWritesEveryKey();
    void writeOrder_data();
    void writeOrder();
    void useSamePasswordWinsOverClearedOne();
    void cancelChangesNothing();
    void autostartFollowsTheBox();

    void keyboardTickDoesWhatAClickDoes();
    void requirePasswordAsksForOne();
    void encryptBoxSealsAndUnseals();
    void newSettingsPasswordSurvivesCancel();
    void settingsPasswordGuard();
    void viewAndClearLog();

private:
    frmSettings* open(int tab = 0);
    template <typename T = QCheckBox> T* ctl(const char* name)
    {
        T* found = m_host->findChild<T*>(QLatin1String(name));
        if (!found) qFatal("no control %s", name);
        return found;
    }
    template <typename T> T* visible()
    {
        for (T* dialog : m_host->findChildren<T*>())
            if (dialog->isVisible()) return dialog;
        return nullptr;
    }
    // Over the box itself, whatever the width its row gives the control.
    static void clickBox(QAbstractButton* button)
    {
        QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(6, button->height() / 2));
    }
    void press(const char* name) { QTest::mouseClick(ctl<QPushButton>(name), Qt::LeftButton); }
    static void flushDeletes() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }
    // The stored text by key name, "<missing>" when absent: the INI file as another program would see it.
    static QString raw(const QString& key)
    {
        return QSettings(SettingsStore().filePath(), QSettings::IniFormat)
            .value(QStringLiteral("Settings/") + key, QStringLiteral("<missing>"))
            .toString();
    }
    static QString raw(const Setting& key) { return raw(key.key()); }
    static void writeRaw(const QString& key, const QString& text)
    {
        QSettings(SettingsStore().filePath(), QSettings::IniFormat)
            .setValue(QStringLiteral("Settings/") + key, text);
    }
    static QByteArray iniBytes() { return readFile(SettingsStore().filePath()); }

    std::unique_ptr<TestHome> m_home;
    FakeDesktop* m_fake = nullptr;
    std::unique_ptr<QWidget> m_host;
    QList<QPair<bool, QString>> m_gridCalls; // the choice, and "Gridlines" as stored at that moment
};

void TestSettingsDialog::init()
{
    m_home = std::make_unique<TestHome>();
    m_fake = &FakeDesktop::install();
    m_host = std::make_unique<QWidget>();
    m_host->show();
    m_gridCalls.clear();
}

void TestSettingsDialog::cleanup()
{
    m_host.reset();
    m_home.reset();
}

frmSettings* TestSettingsDialog::open(int tab)
{
    const auto grid = [this](bool on) { m_gridCalls.append({on, raw(SettingKey::Gridlines)}); };
    auto* dialog = qobject_cast<frmSettings*>(openSettingsDialog(tab, grid, m_host.get()));
    if (!dialog) qFatal("the settings password was asked for");
    return dialog;
}

// Each flag shows in its own box: in four rounds every key stores a bit of its number, so that no two keys
// look alike and each is seen both ticked and unticked. "RequireSettingsPW" would ask first: the dialog is
// made directly.
void TestSettingsDialog::storedValues()
{
    const char* const flags[][2]{{"LoadAtStartUp", "chkLoadAtStartup"},
                                 {"AutoToTray", "chkAutoToTray"},
                                 {"AutoSave", "chkAutoSave"},
                                 {"RequirePW", "chkRequirePW"},
                                 {"LogPWs", "chkLogPWs"},
                                 {"Gridlines", "chkGridlines"},
                                 {"DiffDB", "chkDiffDB"},
                                 {"AllowEdit", "chkAllowEdit"},
                                 {"AllowDelete", "chkAllowDelete"},
                                 {"LaunchTelnet", "chkLaunchTelnet"},
                                 {"RequireSettingsPW", "chkRequireSettingsPassword"}};
    for (int bit = 0; bit < 4; ++bit) {
        for (int i = 0; i < 11; ++i)
            writeRaw(flags[i][0], QString::number((i + 1) >> bit & 1));
        frmSettings dialog;
        for (int i = 0; i < 11; ++i)
            QVERIFY2(dialog.findChild<QCheckBox*>(flags[i][1])->isChecked() == bool((i + 1) >> bit & 1),
                     flags[i][1]);
    }
}

void TestSettingsDialog::okWritesEveryKey()
{
    writeRaw(QStringLiteral("WindowsTelnet0"), QStringLiteral("True"));
    writeRaw(QStringLiteral("WindowsTelnet1"), QStringLiteral("False"));
    writeRaw(QStringLiteral("TelnetPath"), QStringLiteral("/opt/tn/telnet"));
    open(2);
    QVERIFY(!SettingsStore().contains(SettingKey::RequireSettingsPW)); // opening reads; it writes nothing
    QVERIFY(ctl<QRadioButton>("optTelnetClient_0")->isChecked());
    QCOMPARE(ctl<QLineEdit>("txtTelnetPath")->text(), QStringLiteral("/opt/tn/telnet"));
    clickBox(ctl<QRadioButton>("optTelnetClient_1"));
    m_fake->fileAnswers.enqueue(QStringLiteral("/usr/bin/my telnet"));
    press("cmdBrowse");
    press("cmdBrowse"); // cancelled: the path stays
    clickBox(ctl("chkGridlines"));
    QVERIFY(m_gridCalls.isEmpty()); // not before Ok
    press("cmdOk");
    QVERIFY(!SettingsStore().contains(SettingKey::ClipboardSeconds)); // untouched, it adds no key
    // The telnet client as words. No password required: the master password is dropped; no settings password
    // was ever set.
    const QStringList expected =
        QStringLiteral("LoadAtStartUp=1 AutoToTray=0 AutoSave=1 RequirePW=0 LogPWs=1 "
                       "Gridlines=0 DiffDB=1 AllowEdit=1 AllowDelete=1 "
                       "RequireSettingsPW=1 LaunchTelnet=1 WindowsTelnet0=False "
                       "WindowsTelnet1=True PW= SettingsPW=<missing>")
            .split(u' ');
    for (const QString& pair : expected)
        QCOMPARE(pair.section(u'=', 0, 0) + u'=' + raw(pair.section(u'=', 0, 0)), pair);
    QCOMPARE(raw(SettingKey::TelnetPath), QStringLiteral("/usr/bin/my telnet"));
    // The main window's grid follows once, after the choice is stored.
    QCOMPARE(m_gridCalls, (QList<QPair<bool, QString>>{{false, "0"}}));
    QVERIFY(m_fake->messages.isEmpty());
}

void TestSettingsDialog::writeOrder_data()
{
    QTest::addColumn<bool>("requirePW");
    QTest::addColumn<bool>("requireSettingsPW");
    QTest::addColumn<bool>("useSamePW");
    QTest::addColumn<QStringList>("tail"); // after the fourteen options: key=value or key<-source
    QTest::newRow("both required") << true << true << false << QStringList{};
    QTest::newRow("none required") << false << false << false << QStringList{"PW=", "SettingsPW="};
    QTest::newRow("same password wins over the cleared one")
        << true << false << true << QStringList{"SettingsPW=", "SettingsPW<-PW"};
    QTest::newRow("copy reads the dropped master password")
        << false << false << true << QStringList{"PW=", "SettingsPW=", "SettingsPW<-PW"};
}

void TestSettingsDialog::writeOrder()
{
    QFETCH(bool, requirePW);
    QFETCH(bool, requireSettingsPW);
    QFETCH(bool, useSamePW);
    SettingsChoices choices;
    choices.requirePW = requirePW;
    choices.requireSettingsPW = requireSettingsPW;
    choices.useSamePW = useSamePW;
    QStringList steps;
    for (const SettingWrite& write : settingsWrites(choices).mid(14))
        steps << (write.copyOf ? write.key->key() + QStringLiteral("<-") + write.copyOf->key()
                               : write.key->key() + u'=' + write.value);
    QTEST(steps, "tail");
}

void TestSettingsDialog::useSamePasswordWinsOverClearedOne()
{
    SettingsStore settings;
    QVERIFY(settings.write(SettingKey::RequirePW, QStringLiteral("1")));
    QVERIFY(settings.writeSecret(SettingKey::PW, QStringLiteral("master")));
    QVERIFY(settings.write(SettingKey::RequireSettingsPW, QStringLiteral("0")));
    QVERIFY(settings.writeSecret(SettingKey::SettingsPW, QStringLiteral("guard")));

    open(1);
    clickBox(ctl("chkRequireSettingsPassword"));
    clickBox(ctl("chkUseSamePW"));
    clickBox(ctl("chkRequireSettingsPassword")); // unticked, the same-password box stays ticked
    QVERIFY(!ctl("chkUseSamePW")->isEnabled() && ctl("chkUseSamePW")->isChecked());
    press("cmdOk");
    QCOMPARE(raw(SettingKey::RequireSettingsPW), QStringLiteral("0"));
    QCOMPARE(raw(SettingKey::SettingsPW), EncryptText(QStringLiteral("master"), kProgramKey));
}

void TestSettingsDialog::cancelChangesNothing()
{
    QVERIFY(SettingsStore().write(SettingKey::AutoSave, QStringLiteral("1")));
    const QByteArray before = iniBytes();
    frmSettings* dialog = open();
    clickBox(ctl("chkAutoSave"));
    clickBox(ctl("chkGridlines"));
    ctl<QLineEdit>("txtTelnetPath")->setText(QStringLiteral("/x"));
    press("cmdCancel");
    QVERIFY(!dialog->isVisible());
    QCOMPARE(iniBytes(), before);
    QVERIFY(m_gridCalls.isEmpty());
    QVERIFY(!QFile::exists(Autostart::entryPath()));
}

void TestSettingsDialog::autostartFollowsTheBox()
{
    open();
    press("cmdOk"); // ticked on a fresh store
    // This program, on the folder of this run.
    QCOMPARE(readFile(Autostart::entryPath()),
             Autostart::entryText(QCoreApplication::applicationFilePath(), m_home->path()).toUtf8());

    // A file in the way of the autostart folder: said, and the other choices are saved all the same, a
    // changed clipboard time among them. Ok stored "RequireSettingsPW": no question at the next opening.
    QVERIFY(QDir(m_home->file(QStringLiteral("config/autostart"))).removeRecursively());
    QVERIFY(writeFile(m_home->file(QStringLiteral("config/autostart")), {}));
    QVERIFY(SettingsStore().write(SettingKey::RequireSettingsPW, QStringLiteral("0")));
    flushDeletes();
    open();
    clickBox(ctl("chkGridlines"));
    ctl<QSpinBox>("spnClipboardSeconds")->setValue(0);
    press("cmdOk");
    QCOMPARE(m_fake->messages.size(), 1);
    QVERIFY(m_fake->messages.first().startsWith("Keyvane could not be set to start with your session."));
    QCOMPARE(raw(SettingKey::Gridlines), QStringLiteral("0"));
    QCOMPARE(SettingsStore().number(SettingKey::ClipboardSeconds), 0);
}

// Space ticks a box as a click does, so the restart is said.
void TestSettingsDialog::keyboardTickDoesWhatAClickDoes()
{
    open(1);
    ctl("chkDiffDB")->setFocus();
    QTest::keyClick(ctl("chkDiffDB"), Qt::Key_Space);
    QVERIFY(!ctl("chkDiffDB")->isChecked());
    QCOMPARE(m_fake->messages, QStringList{kRestart});
}

// The box that seals the open database: offered unticked by Supply Password, ticked in the settings while
// sealed, with no "PW" stored; unticking asks for the password, which goes back into the settings.
void TestSettingsDialog::encryptBoxSealsAndUnseals()
{
    const QString path = m_home->file(QStringLiteral("anna.adr"));
    EntryStore store;
    store.addEntry({QStringLiteral("Bank"), QStringLiteral("anna"), QStringLiteral("1234"), {}, {}, true}, 0);
    DatabaseFile db(path);
    QVERIFY(db.save(store, nullptr));
    const QByteArray plain = readFile(path);
    auto openOn = [this, &db] {
        auto* dialog = new frmSettings(frmSettings::SecurityAndUsers, {}, m_host.get(), &db);
        dialog->setAttribute(Qt::WA_DeleteOnClose);
        dialog->open();
    };

    openOn();
    clickBox(ctl("chkRequirePW"));
    frmSupplyPW* supply = visible<frmSupplyPW>();
    auto* offered = supply->findChild<QCheckBox*>(QStringLiteral("chkEncryptDB"));
    QVERIFY(offered && !offered->isChecked());
    QTest::keyClicks(supply->findChild<QLineEdit*>("txtPassword"), QStringLiteral("pw"));
    QTest::keyClicks(supply->findChild<QLineEdit*>("txtPassword2"), QStringLiteral("pw"));
    offered->setChecked(true);
    QTest::mouseClick(supply->findChild<QPushButton*>("cmdOk"), Qt::LeftButton);
    flushDeletes();
    QVERIFY(SealedFile::isSealedFile(path));
    QVERIFY(ctl("chkEncryptDB")->isChecked());
    press("cmdOk");
    flushDeletes();
    QCOMPARE(raw(SettingKey::PW), QStringLiteral("<missing>"));
    QCOMPARE(raw(SettingKey::RequirePW), QStringLiteral("1"));

    for (const char* typed : {"PW", "pw"}) {
        openOn();
        QVERIFY(ctl("chkEncryptDB")->isChecked());
        clickBox(ctl("chkEncryptDB"));
        m_fake->inputAnswers.enqueue(QString::fromLatin1(typed));
        press("cmdOk");
        flushDeletes();
    }
    QCOMPARE(m_fake->messages.size(), 1); // the wrong one kept the file sealed
    QCOMPARE(readFile(path), plain);
    QCOMPARE(SettingsStore().readSecret(SettingKey::PW), QStringLiteral("pw"));
}

void TestSettingsDialog::requirePasswordAsksForOne()
{
    open(1);
    auto* box = ctl("chkRequirePW");
    auto* change = ctl<QPushButton>("cmdChangePW");

    // Ticked, from the keyboard too, it asks at once; C&ancel there takes the requirement back.
    box->setFocus();
    QTest::keyClick(box, Qt::Key_Space);
    QVERIFY(box->isChecked() && change->isEnabled());
    frmSupplyPW* supply = visible<frmSupplyPW>();
    QVERIFY(supply);
    QTest::mouseClick(supply->findChild<QPushButton*>("cmdCancel"), Qt::LeftButton);
    flushDeletes();
    QVERIFY(!box->isChecked() && !change->isEnabled());

    // Esc only closes it.
    clickBox(box);
    QVERIFY(visible<frmSupplyPW>());
    QTest::keyClick(visible<frmSupplyPW>(), Qt::Key_Escape);
    flushDeletes();
    QVERIFY(!visible<frmSupplyPW>());
    QVERIFY(box->isChecked() && change->isEnabled());
}

void TestSettingsDialog::newSettingsPasswordSurvivesCancel()
{
    open(1);
    press("cmdChangeSettingsPassword");
    frmChangeSettingsPW* change = visible<frmChangeSettingsPW>();
    QVERIFY(change);
    QTest::keyClicks(change->findChild<QLineEdit*>("txtNew"), QStringLiteral("s"));
    QTest::keyClicks(change->findChild<QLineEdit*>("txtNew2"), QStringLiteral("s"));
    QTest::mouseClick(change->findChild<QPushButton*>("cmdOk"), Qt::LeftButton);
    QCOMPARE(m_fake->messages, QStringList{"The password has been successfully changed."});
    QVERIFY(ctl("chkRequireSettingsPassword")->isChecked());
    press("cmdCancel");
    QCOMPARE(SettingsStore().readSecret(SettingKey::SettingsPW), QStringLiteral("s"));
    QVERIFY(!SettingsStore().contains(SettingKey::RequireSettingsPW));
}

void TestSettingsDialog::settingsPasswordGuard()
{
    SettingsStore settings;
    QVERIFY(settings.write(SettingKey::RequireSettingsPW, QStringLiteral("1")));
    QVERIFY(settings.writeSecret(SettingKey::SettingsPW, QStringLiteral("guard")));
    QVERIFY(settings.writeSecret(SettingKey::PW, QStringLiteral("master")));
    QDialog* question = openSettingsDialog(1, {}, m_host.get());
    QVERIFY(qobject_cast<frmSettingsPW*>(question));
    QVERIFY(question->isVisible());
    auto* typed = question->findChild<QLineEdit*>("txtPassword");
    QTest::keyClicks(typed, QStringLiteral("master"));
    QTest::mouseClick(question->findChild<QPushButton*>("cmdOk"), Qt::LeftButton);
    QVERIFY(typed->text().isEmpty());
    QCOMPARE(m_fake->messages, QStringList{"An incorrect password was entered.\r\nPlease try again."});
    QVERIFY(!m_host->findChild<frmSettings*>());
    QVERIFY(!QFile::exists(FailedAttemptLog::path())); // not the start-up password: not logged

    QTest::keyClicks(typed, QStringLiteral("guard"));
    QTest::mouseClick(question->findChild<QPushButton*>("cmdOk"), Qt::LeftButton);
    frmSettings* dialog = visible<frmSettings>();
    QVERIFY(dialog);
    QCOMPARE(dialog->findChild<QTabWidget*>("SSTab1")->currentIndex(), 1);

    // Cancelled: the dialog does not appear, and nothing is stored.
    const QByteArray before = iniBytes();
    question = openSettingsDialog(0, {}, m_host.get());
    QTest::mouseClick(question->findChild<QPushButton*>("cmdCancel"), Qt::LeftButton);
    QVERIFY(!question->isVisible());
    QCOMPARE(m_host->findChildren<frmSettings*>().size(), 1);
    QCOMPARE(iniBytes(), before);
}

void TestSettingsDialog::viewAndClearLog()
{
    open(1);
    const QString log = FailedAttemptLog::path();
    press("cmdViewLog"); // no log yet: nothing opened, nothing said
    QVERIFY(m_fake->opened.isEmpty() && m_fake->messages.isEmpty());

    QVERIFY(LogFailedAttempt(QStringLiteral("guess")));
    press("cmdViewLog");
    QCOMPARE(m_fake->opened, QStringList{log});
    m_fake->openerWorks = false;
    press("cmdViewLog");
    QCOMPARE(m_fake->messages.size(), 1);

    press("cmdClearLog");
    QCOMPARE(QFileInfo(log).size(), 0);
    QCOMPARE(m_fake->messages.size(), 1); // no confirmation, no message
}

QTEST_MAIN(TestSettingsDialog)
#include "tst_settingsdialog.moc"
