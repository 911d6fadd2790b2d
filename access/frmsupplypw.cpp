#include "access/frmsupplypw.h"

#include "access/accesscontrol.h"
#include "access/passwordform.h"
#include "platform/desktopservices.h"
#include "settings/settingsstore.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

using MasterPassword::Outcome;

frmSupplyPW::frmSupplyPW(QWidget* parent, DatabaseFile* database) : QDialog(parent), m_database(database)
{
    auto* layout = new QVBoxLayout(this);
    txtPassword =
        PasswordForm::addBox(layout, this, QStringLiteral("Please supply a password."), "txtPassword", true);
    txtPassword2 = PasswordForm::addBox(layout, this, QStringLiteral("Please enter the password again."),
                                        "txtPassword2", true);
    PasswordForm::addReminderBoxes(layout, this, txtQuestion, txtAnswer);
    if (m_database) chkEncryptDB = PasswordForm::addSealBox(layout, this);
    PasswordForm::addOkCancel(layout, this, cmdOk, cmdCancel);
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
    QString why;
    switch (MasterPassword::supply(settings, txtPassword->text(), txtPassword2->text(), txtQuestion->text(),
                                   txtAnswer->text(), &why)) {
    case Outcome::Mismatch:
        desktop().message(this, QStringLiteral("The passwords entered do not match.  Please try again."));
        txtPassword2->clear();
        PasswordForm::retype(txtPassword);
        return;
    case Outcome::MissingAnswer:
        desktop().message(this, QStringLiteral("Please enter an answer to the question you entered."));
        txtAnswer->setFocus();
        return;
    case Outcome::WriteFailed:
        PasswordForm::settingsNotWritten(this, settings);
        return;
    case Outcome::Unkept:
        desktop().message(this, why, DesktopServices::Icon::Warning);
        return;
    case Outcome::WrongOld: // not asked of a first supply
    case Outcome::NotResealed:
    case Outcome::Done:
        break;
    }
    QString error;
    if (chkEncryptDB && chkEncryptDB->isChecked() &&
        !Sealing::seal(*m_database, settings, txtPassword->text(), &error)) {
        desktop().message(this, QStringLiteral("The database could not be encrypted: %1").arg(error),
                          DesktopServices::Icon::Critical);
        return;
    }
    accept();
}
