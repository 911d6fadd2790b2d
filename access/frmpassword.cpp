#include "access/frmpassword.h"

#include "access/accesscontrol.h"
#include "access/failedattemptlog.h"
#include "access/passwordform.h"
#include "platform/desktopservices.h"
#include "settings/settingsstore.h"

#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

frmPassword::frmPassword(QWidget* parent) : QDialog(parent)
{
    auto* layout = new QVBoxLayout(this);
    txtPassword = PasswordForm::addPrompt(layout, this, QStringLiteral("keyvane"));
    cmdIForgot = PasswordForm::button(this, "cmdIForgot", QStringLiteral("&I forgot!"));
    PasswordForm::addOkCancel(layout, this, cmdOk, cmdCancel, {cmdIForgot});
    PasswordForm::finish(this, "frmPassword", QStringLiteral("Password Verification"), 400);

    connect(cmdOk, &QPushButton::clicked, this, &frmPassword::cmdOk_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &frmPassword::reject);
    connect(cmdIForgot, &QPushButton::clicked, this, &frmPassword::cmdIForgot_Click);

    cmdIForgot->setEnabled(!MasterPassword::question(SettingsStore()).isEmpty());
    txtPassword->setFocus();
}

void frmPassword::reject()
{
    // Nothing else is open yet, so giving up here ends the program whichever way the window was left.
    QDialog::reject();
    emit cancelled();
}

void frmPassword::cmdOk_Click()
{
    const QString typed = txtPassword->text();
    SettingsStore settings;
    if (MasterPassword::matches(settings, typed)) {
        accept();
        return;
    }
    desktop().message(this, QStringLiteral("An incorrect password was entered.\r\nPlease try again."));
    // A log that cannot be written loses the line, never the window.
    if (settings.flag(SettingKey::LogPWs)) LogFailedAttempt(typed);
    PasswordForm::retype(txtPassword);
}

void frmPassword::cmdIForgot_Click()
{
    SettingsStore settings;
    const QString answer =
        desktop()
            .inputText(this, MasterPassword::question(settings), QStringLiteral("Reminder"))
            .value_or(QString());
    if (MasterPassword::answerMatches(settings, answer)) {
        const QString password = MasterPassword::password(settings);
        desktop().message(this, QStringLiteral("The password is: ") + password);
        txtPassword->setText(password);
    } else {
        desktop().message(this, QStringLiteral("Your answer is incorrect."));
        txtPassword->setFocus();
    }
}
