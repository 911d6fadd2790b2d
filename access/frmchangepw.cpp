#include "frmchangepw.h"

#include "accesscontrol.h"
#include "desktopservices.h"
#include "passwordform.h"
#include "settingsstore.h"

#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

using MasterPassword::Outcome;

frmChangePW::frmChangePW(QWidget* parent) : QDialog(parent)
{
    auto* layout = new QVBoxLayout(this);
    txtOld = PasswordForm::addBox(layout, this, QStringLiteral("Old Password"), "txtOld", true);
    txtNew = PasswordForm::addBox(layout, this, QStringLiteral("New Password"), "txtNew", true);
    txtNew2 = PasswordForm::addBox(layout, this, QStringLiteral("New Password Again"), "txtNew2", true);
    txtQuestion =
        PasswordForm::addBox(layout, this,
                             QStringLiteral("If you wish to do so, please enter a reminder question in the "
                                            "following box. This question will be asked to you if you "
                                            "forget your password."),
                             "txtQuestion", false);
    txtAnswer = PasswordForm::addBox(layout, this, QStringLiteral("Enter the answer to the question below."),
                                     "txtAnswer", false);

    cmdOk = PasswordForm::button(this, "cmdOk", QStringLiteral("&Ok"));
    cmdOk->setDefault(true);
    cmdCancel = PasswordForm::button(this, "cmdCancel", QStringLiteral("C&ancel"));
    PasswordForm::addButtons(layout, {cmdOk, cmdCancel});
    PasswordForm::finish(this, "frmChangePW", QStringLiteral("Cange Password"), 400);

    connect(cmdOk, &QPushButton::clicked, this, &frmChangePW::cmdOk_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &QDialog::reject);
}

void frmChangePW::cmdOk_Click()
{
    SettingsStore settings;
    switch (MasterPassword::change(settings, txtOld->text(), txtNew->text(), txtNew2->text(),
                                   txtQuestion->text(), txtAnswer->text())) {
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
    case Outcome::MissingAnswer:
        // The new password is already in force: a second Ok checks the old box against it.
        desktop().message(this, QStringLiteral("Please enter an answer to the question you entered."));
        txtAnswer->setFocus();
        return;
    case Outcome::Done:
        break;
    }
    desktop().message(this, QStringLiteral("The password has been successfully changed."));
    accept();
}
