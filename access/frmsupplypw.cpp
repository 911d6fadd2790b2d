#include "frmsupplypw.h"

#include "accesscontrol.h"
#include "desktopservices.h"
#include "passwordform.h"
#include "settingsstore.h"

#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

using MasterPassword::Outcome;

frmSupplyPW::frmSupplyPW(QWidget* parent) : QDialog(parent)
{
    auto* layout = new QVBoxLayout(this);
    txtPassword =
        PasswordForm::addBox(layout, this, QStringLiteral("Please supply a password."), "txtPassword", true);
    txtPassword2 = PasswordForm::addBox(layout, this, QStringLiteral("Please enter the password again."),
                                        "txtPassword2", true);
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
    PasswordForm::finish(this, "frmSupplyPW", QStringLiteral("Supply Password"), 400);

    connect(cmdOk, &QPushButton::clicked, this, &frmSupplyPW::cmdOk_Click);
    connect(cmdCancel, &QPushButton::clicked, this, [this] {
        reject();
        emit cancelled();
    });
}

void frmSupplyPW::cmdOk_Click()
{
    SettingsStore settings;
    switch (MasterPassword::supply(settings, txtPassword->text(), txtPassword2->text(), txtQuestion->text(),
                                   txtAnswer->text())) {
    case Outcome::Mismatch:
        desktop().message(this, QStringLiteral("The passwords entered do not match.  Please try again."));
        txtPassword2->clear();
        PasswordForm::retype(txtPassword);
        return;
    case Outcome::MissingAnswer:
        desktop().message(this, QStringLiteral("Please enter an answer to the question you entered."));
        txtAnswer->setFocus();
        return;
    case Outcome::WrongOld: // not asked of a first supply
    case Outcome::Done:
        break;
    }
    accept();
}
