#include "access/frmsettingspw.h"

#include "access/accesscontrol.h"
#include "access/passwordform.h"
#include "platform/desktopservices.h"
#include "settings/settingsstore.h"

#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

using MasterPassword::Outcome;

frmSettingsPW::frmSettingsPW(QWidget* parent) : QDialog(parent)
{
    auto* layout = new QVBoxLayout(this);
    txtPassword = PasswordForm::addPrompt(layout, this, QStringLiteral("settings"));
    PasswordForm::addOkCancel(layout, this, cmdOk, cmdCancel);
    PasswordForm::finish(this, "frmSettingsPW", QStringLiteral("Password Verification"), 400);

    connect(cmdOk, &QPushButton::clicked, this, &frmSettingsPW::cmdOk_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &QDialog::reject);
    txtPassword->setFocus();
}

void frmSettingsPW::cmdOk_Click()
{
    if (SettingsPassword::matches(SettingsStore(), txtPassword->text())) {
        accept();
        return;
    }
    // Wrong settings passwords are not logged: the log is for the start-up password.
    desktop().message(this, QStringLiteral("An incorrect password was entered.\r\nPlease try again."));
    PasswordForm::retype(txtPassword);
}

frmChangeSettingsPW::frmChangeSettingsPW(QWidget* parent) : QDialog(parent)
{
    auto* layout = new QVBoxLayout(this);
    PasswordForm::addChangeBoxes(layout, this, txtOld, txtNew, txtNew2);
    PasswordForm::addOkCancel(layout, this, cmdOk, cmdCancel);
    PasswordForm::finish(this, "frmChangeSettingsPW", QStringLiteral("Cange Settings Password"), 320);

    connect(cmdOk, &QPushButton::clicked, this, &frmChangeSettingsPW::cmdOk_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &QDialog::reject);
}

void frmChangeSettingsPW::cmdOk_Click()
{
    SettingsStore settings;
    QString why;
    const Outcome outcome =
        SettingsPassword::change(settings, txtOld->text(), txtNew->text(), txtNew2->text(), &why);
    if (PasswordForm::refusedChange(this, outcome, settings, why, txtOld, txtNew, txtNew2)) return;
    desktop().message(this, QStringLiteral("The password has been successfully changed."));
    accept();
}
