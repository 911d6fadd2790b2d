#include "frmsettingspw.h"

#include "accesscontrol.h"
#include "desktopservices.h"
#include "icons.h"
#include "passwordform.h"
#include "settingsstore.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

using MasterPassword::Outcome;

frmSettingsPW::frmSettingsPW(QWidget* parent) : QDialog(parent)
{
    auto* picture = new QLabel(this);
    picture->setPixmap(keyvaneIcon(QStringLiteral("settings")).pixmap(48, 48));
    picture->setAlignment(Qt::AlignTop);

    auto* fields = new QVBoxLayout;
    txtPassword = PasswordForm::addBox(
        fields, this, QStringLiteral("Please enter your password to continue."), "txtPassword", true);
    fields->addStretch();

    auto* top = new QHBoxLayout;
    top->addWidget(picture);
    top->addSpacing(8);
    top->addLayout(fields, 1);

    cmdOk = PasswordForm::button(this, "cmdOk", QStringLiteral("&Ok"));
    cmdOk->setDefault(true);
    cmdCancel = PasswordForm::button(this, "cmdCancel", QStringLiteral("C&ancel"));

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    PasswordForm::addButtons(layout, {cmdOk, cmdCancel});
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
    txtOld = PasswordForm::addBox(layout, this, QStringLiteral("Old Password"), "txtOld", true);
    txtNew = PasswordForm::addBox(layout, this, QStringLiteral("New Password"), "txtNew", true);
    txtNew2 = PasswordForm::addBox(layout, this, QStringLiteral("New Password Again"), "txtNew2", true);

    cmdOk = PasswordForm::button(this, "cmdOk", QStringLiteral("&Ok"));
    cmdOk->setDefault(true);
    cmdCancel = PasswordForm::button(this, "cmdCancel", QStringLiteral("C&ancel"));
    PasswordForm::addButtons(layout, {cmdOk, cmdCancel});
    PasswordForm::finish(this, "frmChangeSettingsPW", QStringLiteral("Cange Settings Password"), 320);

    connect(cmdOk, &QPushButton::clicked, this, &frmChangeSettingsPW::cmdOk_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &QDialog::reject);
}

void frmChangeSettingsPW::cmdOk_Click()
{
    SettingsStore settings;
    switch (SettingsPassword::change(settings, txtOld->text(), txtNew->text(), txtNew2->text())) {
    case Outcome::WrongOld:
        desktop().message(this, QStringLiteral("The old password entered is not valid.  Please try again."));
        PasswordForm::retype(txtOld);
        return;
    case Outcome::Mismatch:
        desktop().message(this, QStringLiteral("The new password and the new password verification do not "
                                               "match.  Please try again."));
        txtNew2->clear();
        PasswordForm::retype(txtNew);
        return;
    case Outcome::MissingAnswer: // no reminder for the settings password
    case Outcome::Done:
        break;
    }
    desktop().message(this, QStringLiteral("The password has been successfully changed."));
    accept();
}
