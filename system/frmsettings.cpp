#include "system/frmsettings.h"

#include "access/accesscontrol.h"
#include "access/failedattemptlog.h"
#include "access/frmchangepw.h"
#include "access/frmsettingspw.h"
#include "access/frmsupplypw.h"
#include "platform/desktopservices.h"
#include "platform/named.h"
#include "platform/opendialog.h"
#include "resources/icons.h"
#include "settings/settingsstore.h"
#include "store/databasefile.h"
#include "system/autostart.h"
#include "system/frmsettings_apply.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {

QPushButton* button(QWidget* parent, const char* name, const QString& caption)
{
    auto* button = named(new QPushButton(caption, parent), name);
    button->setAutoDefault(false);
    return button;
}

// A row: the widget on the left, the buttons after it.
QHBoxLayout* row(QWidget* first, std::initializer_list<QWidget*> rest)
{
    auto* layout = new QHBoxLayout;
    layout->addWidget(first, 1);
    for (QWidget* widget : rest)
        layout->addWidget(widget);
    return layout;
}

QGroupBox* group(QWidget* parent, const QString& title, QVBoxLayout*& layout)
{
    auto* box = new QGroupBox(title, parent);
    layout = new QVBoxLayout(box);
    return box;
}

} // namespace

frmSettings::frmSettings(int tab, std::function<void(bool)> applyGridlines, QWidget* parent,
                         DatabaseFile* database)
    : QDialog(parent), m_applyGridlines(std::move(applyGridlines)), m_database(database)
{
    setObjectName(QStringLiteral("frmSettings"));
    setWindowTitle(QStringLiteral("Settings"));
    setWindowIcon(keyvaneIcon(QStringLiteral("settings")));

    SSTab1 = named(new QTabWidget(this), "SSTab1");
    SSTab1->addTab(generalTab(), QStringLiteral("General Preferences"));
    SSTab1->addTab(securityTab(), QStringLiteral("Security and Users"));
    SSTab1->addTab(optionsTab(), QStringLiteral("Options"));
    SSTab1->setCurrentIndex(tab >= 0 && tab < SSTab1->count() ? tab : 0);

    cmdOk = button(this, "cmdOk", QStringLiteral("&Ok"));
    cmdOk->setDefault(true);
    cmdCancel = button(this, "cmdCancel", QStringLiteral("C&ancel"));
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdOk);
    buttons->addWidget(cmdCancel);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(SSTab1, 1);
    layout->addLayout(buttons);

    load();
    connectEvents();
}

QWidget* frmSettings::generalTab()
{
    auto* page = new QWidget(this);
    QVBoxLayout* startAndExit = nullptr;
    QGroupBox* box = group(page, QStringLiteral("Start and exit"), startAndExit);
    chkAutoSave =
        named(new QCheckBox(QStringLiteral("Auto-save password database on exit"), box), "chkAutoSave");
    chkAutoToTray =
        named(new QCheckBox(QStringLiteral("Automatically go to the tray on start"), box), "chkAutoToTray");
    chkLoadAtStartup =
        named(new QCheckBox(QStringLiteral("Load Keyvane at system startup"), box), "chkLoadAtStartup");
    startAndExit->addWidget(chkAutoSave);
    startAndExit->addWidget(chkAutoToTray);
    startAndExit->addWidget(chkLoadAtStartup);

    QVBoxLayout* clipboard = nullptr;
    QGroupBox* clipboardBox = group(page, QStringLiteral("Clipboard"), clipboard);
    spnClipboardSeconds = named(new QSpinBox(clipboardBox), "spnClipboardSeconds");
    spnClipboardSeconds->setRange(0, 3600);
    spnClipboardSeconds->setSuffix(QStringLiteral(" s"));
    spnClipboardSeconds->setSpecialValueText(QStringLiteral("never"));
    auto* clipboardLabel =
        new QLabel(QStringLiteral("Clear a copied password from the clipboard after"), clipboardBox);
    clipboardLabel->setBuddy(spnClipboardSeconds);
    clipboard->addLayout(row(clipboardLabel, {spnClipboardSeconds}));

    auto* layout = new QVBoxLayout(page);
    layout->addWidget(box);
    layout->addWidget(clipboardBox);
    layout->addStretch();
    return page;
}

QWidget* frmSettings::securityTab()
{
    auto* page = new QWidget(this);

    QVBoxLayout* startup = nullptr;
    QGroupBox* startupBox = group(page, QStringLiteral("Startup password"), startup);
    chkRequirePW = named(new QCheckBox(QStringLiteral("Require password at Keyvane startup"), startupBox),
                         "chkRequirePW");
    cmdChangePW = button(startupBox, "cmdChangePW", QStringLiteral("Set or Change Password"));
    chkLogPWs =
        named(new QCheckBox(QStringLiteral("Log all incorrect password attempts"), startupBox), "chkLogPWs");
    cmdViewLog = button(startupBox, "cmdViewLog", QStringLiteral("View Log"));
    cmdClearLog = button(startupBox, "cmdClearLog", QStringLiteral("Clear Log"));
    startup->addLayout(row(chkRequirePW, {cmdChangePW}));
    if (m_database) {
        chkEncryptDB =
            named(new QCheckBox(QStringLiteral("Encrypt the database with the master password"), startupBox),
                  "chkEncryptDB");
        chkEncryptDB->setToolTip(QStringLiteral("A stolen database file then reveals nothing without the "
                                                "password, and the password cannot be recovered."));
        auto* indented = new QHBoxLayout;
        indented->addSpacing(20);
        indented->addWidget(chkEncryptDB, 1);
        startup->addLayout(indented);
    }
    startup->addLayout(row(chkLogPWs, {cmdViewLog, cmdClearLog}));

    QVBoxLayout* users = nullptr;
    QGroupBox* usersBox = group(page, QStringLiteral("Users and entries"), users);
    chkDiffDB = named(
        new QCheckBox(QStringLiteral("Use different database files for different Windows users"), usersBox),
        "chkDiffDB");
    chkAllowEdit =
        named(new QCheckBox(QStringLiteral("Allow entries to be edited when sensitive information is hidden"),
                            usersBox),
              "chkAllowEdit");
    chkAllowDelete = named(
        new QCheckBox(QStringLiteral("Allow entries to be deleted when sensitive information is hidden"),
                      usersBox),
        "chkAllowDelete");
    users->addWidget(chkDiffDB);
    users->addWidget(chkAllowEdit);
    users->addWidget(chkAllowDelete);

    QVBoxLayout* guard = nullptr;
    QGroupBox* guardBox = group(page, QStringLiteral("Settings password"), guard);
    chkRequireSettingsPassword =
        named(new QCheckBox(QStringLiteral("Require a password to change these settings"), guardBox),
              "chkRequireSettingsPassword");
    chkUseSamePW = named(new QCheckBox(QStringLiteral("Use the startup password as the password"), guardBox),
                         "chkUseSamePW");
    cmdChangeSettingsPassword =
        button(guardBox, "cmdChangeSettingsPassword", QStringLiteral("Set or Change Password"));
    guard->addLayout(row(chkRequireSettingsPassword, {cmdChangeSettingsPassword}));
    auto* indented = new QHBoxLayout;
    indented->addSpacing(20);
    indented->addWidget(chkUseSamePW, 1);
    guard->addLayout(indented);

    QVBoxLayout* locking = nullptr;
    QGroupBox* lockBox =
        group(page, QStringLiteral("Locking (while a startup password is required)"), locking);
    chkLockOnScreenLock = named(
        new QCheckBox(QStringLiteral("Lock Keyvane when the screen locks or the computer sleeps"), lockBox),
        "chkLockOnScreenLock");
    spnLockMinutes = named(new QSpinBox(lockBox), "spnLockMinutes");
    spnLockMinutes->setRange(0, 1440);
    spnLockMinutes->setSuffix(QStringLiteral(" min"));
    spnLockMinutes->setSpecialValueText(QStringLiteral("never"));
    auto* idleLabel = new QLabel(QStringLiteral("Lock Keyvane after this long without use"), lockBox);
    idleLabel->setBuddy(spnLockMinutes);
    locking->addWidget(chkLockOnScreenLock);
    locking->addLayout(row(idleLabel, {spnLockMinutes}));

    auto* layout = new QVBoxLayout(page);
    layout->addWidget(startupBox);
    layout->addWidget(usersBox);
    layout->addWidget(guardBox);
    layout->addWidget(lockBox);
    layout->addStretch();
    return page;
}

QWidget* frmSettings::optionsTab()
{
    auto* page = new QWidget(this);

    QVBoxLayout* lists = nullptr;
    QGroupBox* listsBox = group(page, QStringLiteral("Lists"), lists);
    chkGridlines =
        named(new QCheckBox(QStringLiteral("Show gridlines on listviews"), listsBox), "chkGridlines");
    lists->addWidget(chkGridlines);

    QVBoxLayout* telnet = nullptr;
    QGroupBox* telnetBox = group(page, QStringLiteral("Telnet"), telnet);
    chkLaunchTelnet = named(
        new QCheckBox(QStringLiteral("Launch Telnet client when Go!! is clicked on a Remote Systems entry"),
                      telnetBox),
        "chkLaunchTelnet");
    optTelnetClient[0] =
        named(new QRadioButton(QStringLiteral("Windows Telnet client"), telnetBox), "optTelnetClient_0");
    optTelnetClient[1] =
        named(new QRadioButton(QStringLiteral("User specified client"), telnetBox), "optTelnetClient_1");
    txtTelnetPath = named(new QLineEdit(telnetBox), "txtTelnetPath");
    cmdBrowse = button(telnetBox, "cmdBrowse", QStringLiteral("Browse"));
    // Off until the user's own client is chosen.
    txtTelnetPath->setEnabled(false);
    cmdBrowse->setEnabled(false);

    telnet->addWidget(chkLaunchTelnet);
    for (QRadioButton* option : optTelnetClient) {
        auto* indented = new QHBoxLayout;
        indented->addSpacing(20);
        indented->addWidget(option, 1);
        telnet->addLayout(indented);
    }
    auto* path = row(txtTelnetPath, {cmdBrowse});
    path->insertSpacing(0, 40);
    telnet->addLayout(path);

    auto* layout = new QVBoxLayout(page);
    layout->addWidget(listsBox);
    layout->addWidget(telnetBox);
    layout->addStretch();
    return page;
}

void frmSettings::load()
{
    const SettingsChoices c = loadSettingsChoices(SettingsStore());
    m_shown = c;
    spnClipboardSeconds->setValue(c.clipboardSeconds);
    chkLockOnScreenLock->setChecked(c.lockOnScreenLock);
    spnLockMinutes->setValue(c.lockMinutes);
    chkLoadAtStartup->setChecked(c.loadAtStartUp);
    chkAutoToTray->setChecked(c.autoToTray);
    chkAutoSave->setChecked(c.autoSave);
    // A sealed file asks for its password whatever the setting says; the box shows what happens.
    const bool sealed = m_database && m_database->sealed();
    chkRequirePW->setChecked(c.requirePW || sealed);
    if (chkEncryptDB) chkEncryptDB->setChecked(sealed);
    chkLogPWs->setChecked(c.logPWs);
    chkGridlines->setChecked(c.gridlines);
    chkDiffDB->setChecked(c.diffDB);
    chkAllowEdit->setChecked(c.allowEdit);
    chkAllowDelete->setChecked(c.allowDelete);
    chkRequireSettingsPassword->setChecked(c.requireSettingsPW);
    chkLaunchTelnet->setChecked(c.launchTelnet);
    // The second button is set last, so with both keys true (or both missing) the user's own client is
    // chosen; an exclusive button cannot be unset, so a false only matters while the other is not chosen.
    if (c.windowsTelnet0) optTelnetClient[0]->setChecked(true);
    if (c.windowsTelnet1) optTelnetClient[1]->setChecked(true);
    txtTelnetPath->setText(c.telnetPath);

    cmdChangePW->setEnabled(chkRequirePW->isChecked());
    cmdChangeSettingsPassword->setEnabled(c.requireSettingsPW);
    updateSealControls();
    updateTelnetControls();
}

void frmSettings::updateSealControls()
{
    const bool sealing = chkEncryptDB && chkEncryptDB->isChecked() && chkRequirePW->isChecked();
    if (chkEncryptDB) chkEncryptDB->setEnabled(chkRequirePW->isChecked());
    // The copy would put the master password into the settings file, which sealing keeps it out of.
    chkUseSamePW->setEnabled(chkRequireSettingsPassword->isChecked() && !sealing);
    if (sealing) chkUseSamePW->setChecked(false);
}

void frmSettings::updateTelnetControls()
{
    const bool launch = chkLaunchTelnet->isChecked();
    for (QRadioButton* option : optTelnetClient)
        option->setEnabled(launch);
    if (!launch) {
        txtTelnetPath->setEnabled(false);
        cmdBrowse->setEnabled(false);
    } else if (optTelnetClient[1]->isChecked()) {
        txtTelnetPath->setEnabled(true);
        cmdBrowse->setEnabled(true);
    }
}

void frmSettings::connectEvents()
{
    connect(chkLaunchTelnet, &QCheckBox::toggled, this, &frmSettings::updateTelnetControls);
    for (QRadioButton* option : optTelnetClient)
        connect(option, &QRadioButton::toggled, this, [this] {
            const bool own = optTelnetClient[1]->isChecked();
            txtTelnetPath->setEnabled(own);
            cmdBrowse->setEnabled(own);
        });
    connect(chkRequireSettingsPassword, &QCheckBox::toggled, this, [this](bool on) {
        cmdChangeSettingsPassword->setEnabled(on);
        updateSealControls();
    });
    // A click or the keyboard's Space, never a change made by the program.
    connect(chkRequirePW, &QCheckBox::clicked, this, &frmSettings::chkRequirePW_MouseUp);
    connect(chkRequirePW, &QCheckBox::toggled, this, &frmSettings::updateSealControls);
    if (chkEncryptDB) connect(chkEncryptDB, &QCheckBox::toggled, this, &frmSettings::updateSealControls);
    // Checking and unchecking alike.
    connect(chkDiffDB, &QCheckBox::clicked, this, [this] {
        desktop().message(this, QStringLiteral("Keyvane must be restarted for this setting to take effect."));
    });

    connect(cmdChangePW, &QPushButton::clicked, this, &frmSettings::cmdChangePW_Click);
    connect(cmdChangeSettingsPassword, &QPushButton::clicked, this,
            &frmSettings::cmdChangeSettingsPassword_Click);
    connect(cmdViewLog, &QPushButton::clicked, this, &frmSettings::cmdViewLog_Click);
    connect(cmdClearLog, &QPushButton::clicked, this, &frmSettings::cmdClearLog_Click);
    connect(cmdBrowse, &QPushButton::clicked, this, &frmSettings::cmdBrowse_Click);
    connect(cmdOk, &QPushButton::clicked, this, [this] {
        ApplyChanges();
        accept();
    });
    connect(cmdCancel, &QPushButton::clicked, this, &QDialog::reject);
}

void frmSettings::chkRequirePW_MouseUp()
{
    cmdChangePW->setEnabled(chkRequirePW->isChecked());
    if (!chkRequirePW->isChecked()) return;
    auto* supply = new frmSupplyPW(this, m_database);
    supply->setAttribute(Qt::WA_DeleteOnClose);
    if (chkEncryptDB)
        connect(supply, &QDialog::accepted, this, [this] { chkEncryptDB->setChecked(m_database->sealed()); });
    // Only its C&ancel takes the requirement back; Esc just closes it.
    connect(supply, &frmSupplyPW::cancelled, this, [this] {
        chkRequirePW->setChecked(false);
        cmdChangePW->setEnabled(false);
    });
    supply->open();
}

void frmSettings::cmdChangePW_Click()
{
    auto* change = new frmChangePW(this, m_database);
    change->setAttribute(Qt::WA_DeleteOnClose);
    change->open();
}

void frmSettings::cmdChangeSettingsPassword_Click()
{
    auto* change = new frmChangeSettingsPW(this);
    change->setAttribute(Qt::WA_DeleteOnClose);
    // The new password is stored at once; the requirement only with Ok.
    connect(change, &QDialog::accepted, this, [this] { chkRequireSettingsPassword->setChecked(true); });
    change->open();
}

void frmSettings::cmdViewLog_Click()
{
    const QString log = FailedAttemptLog::path();
    // No log yet: there is nothing to show and nothing to report.
    if (!QFileInfo::exists(log)) return;
    if (!desktop().openWithShell(log))
        desktop().message(this,
                          QStringLiteral("Keyvane could not open \"%1\": nothing on this desktop opens it.")
                              .arg(QDir::toNativeSeparators(log)),
                          DesktopServices::Icon::Warning);
}

void frmSettings::cmdClearLog_Click()
{
    QString error;
    if (!FailedAttemptLog::clear(&error))
        desktop().message(this,
                          QStringLiteral("The log could not be cleared.\n\n%1: %2")
                              .arg(QDir::toNativeSeparators(FailedAttemptLog::path()), error),
                          DesktopServices::Icon::Warning);
}

void frmSettings::cmdBrowse_Click()
{
    const QString current = txtTelnetPath->text();
    const QString folder = current.isEmpty() ? QString() : QFileInfo(current).absolutePath();
    // Programs here seldom have an extension, so every file is offered.
    const QString picked =
        desktop().openFileName(this, QStringLiteral("Open"), folder, QStringLiteral("All files (*)"));
    if (!picked.isEmpty()) txtTelnetPath->setText(QDir::toNativeSeparators(picked));
}

void frmSettings::ApplyChanges()
{
    SettingsChoices c;
    c.loadAtStartUp = chkLoadAtStartup->isChecked();
    c.autoToTray = chkAutoToTray->isChecked();
    c.autoSave = chkAutoSave->isChecked();
    c.requirePW = chkRequirePW->isChecked();
    c.logPWs = chkLogPWs->isChecked();
    c.gridlines = chkGridlines->isChecked();
    c.diffDB = chkDiffDB->isChecked();
    c.allowEdit = chkAllowEdit->isChecked();
    c.allowDelete = chkAllowDelete->isChecked();
    c.requireSettingsPW = chkRequireSettingsPassword->isChecked();
    c.launchTelnet = chkLaunchTelnet->isChecked();
    c.telnetPath = txtTelnetPath->text();
    c.windowsTelnet0 = optTelnetClient[0]->isChecked();
    c.windowsTelnet1 = optTelnetClient[1]->isChecked();
    c.useSamePW = chkUseSamePW->isChecked();
    c.clipboardSeconds = spnClipboardSeconds->value();
    c.lockOnScreenLock = chkLockOnScreenLock->isChecked();
    c.lockMinutes = spnLockMinutes->value();

    // Every Ok writes or removes the entry, whether or not the box changed.
    QString error;
    if (!Autostart::setStartWithSession(c.loadAtStartUp, QCoreApplication::applicationFilePath(), &error)) {
        const QString what =
            c.loadAtStartUp ? QStringLiteral("Keyvane could not be set to start with your session.")
                            : QStringLiteral("Keyvane could not be kept from starting with your session.");
        desktop().message(
            this,
            what + QStringLiteral("\n\n%1: %2").arg(QDir::toNativeSeparators(Autostart::entryPath()), error),
            DesktopServices::Icon::Warning);
    }

    SettingsStore settings;
    if (!applySettingsWrites(settings, settingsWrites(c, m_shown)))
        desktop().message(this, settings.lastError() + QStringLiteral(" Some of your choices were not kept."),
                          DesktopServices::Icon::Warning);

    if (m_database) applySealing(c.requirePW);
    if (m_applyGridlines) m_applyGridlines(c.gridlines);
}

void frmSettings::applySealing(bool requirePW)
{
    const bool wanted = requirePW && chkEncryptDB->isChecked();
    if (wanted == m_database->sealed()) return;
    SettingsStore settings;
    QString error;
    if (wanted) {
        if (!Sealing::seal(*m_database, settings, MasterPassword::password(settings), &error))
            desktop().message(this, QStringLiteral("The database could not be encrypted: %1").arg(error),
                              DesktopServices::Icon::Critical);
        return;
    }
    // Unsealed, the password goes back into the settings; only the user still knows it.
    QString password;
    if (requirePW) {
        const std::optional<QString> typed = desktop().inputPassword(
            this, QStringLiteral("Please enter your password to store the database unencrypted."),
            QStringLiteral("Keyvane"));
        if (!typed) return;
        if (!Sealing::matches(*m_database, *typed)) {
            desktop().message(this, QStringLiteral("An incorrect password was entered.\r\nThe database stays "
                                                   "encrypted."));
            return;
        }
        password = *typed;
    }
    if (!Sealing::unseal(*m_database, settings, password, &error))
        desktop().message(this, QStringLiteral("The database could not be decrypted: %1").arg(error),
                          DesktopServices::Icon::Critical);
}

QDialog* openSettingsDialog(int tab, std::function<void(bool)> applyGridlines, QWidget* parent,
                            DatabaseFile* database)
{
    // Two settings windows would write back each other's old choices.
    if (QDialog* open = raiseOpenDialog<frmSettings>(parent)) return open;
    if (QDialog* open = raiseOpenDialog<frmSettingsPW>(parent)) return open;
    auto showSettings = [tab, applyGridlines, parent, database] {
        auto* dialog = new frmSettings(tab, applyGridlines, parent, database);
        dialog->setAttribute(Qt::WA_DeleteOnClose);
        dialog->open();
        return dialog;
    };
    if (!SettingsPassword::required(SettingsStore())) return showSettings();
    auto* question = new frmSettingsPW(parent);
    question->setAttribute(Qt::WA_DeleteOnClose);
    QObject::connect(question, &QDialog::accepted, question, showSettings);
    question->open();
    return question;
}
