#include "access/frmchangepw.h"

#include "access/accesscontrol.h"
#include "access/passwordform.h"
#include "platform/desktopservices.h"
#include "settings/settingsstore.h"

#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

using MasterPassword::Outcome;

frmChangePW::frmChangePW(QWidget* parent, DatabaseFile* database) : QDialog(parent), m_database(database)
{
    auto* layout = new QVBoxLayout(this);
    PasswordForm::addChangeBoxes(layout, this, txtOld, txtNew, txtNew2);
    PasswordForm::addReminderBoxes(layout, this, txtQuestion, txtAnswer);
    PasswordForm::addOkCancel(layout, this, cmdOk, cmdCancel);
    PasswordForm::finish(this, "frmChangePW", QStringLiteral("Cange Password"), 400);

    connect(cmdOk, &QPushButton::clicked, this, &frmChangePW::cmdOk_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &QDialog::reject);
}

void frmChangePW::cmdOk_Click()
{
    SettingsStore settings;
    QString why;
    const Outcome outcome = MasterPassword::change(settings, txtOld->text(), txtNew->text(), txtNew2->text(),
                                                   txtQuestion->text(), txtAnswer->text(), &why, m_database);
    if (outcome == Outcome::NotResealed) {
        desktop().message(
            this,
            QStringLiteral("The database could not be encrypted with the new password: %1\n\nThe "
                           "old password stays in force.")
                .arg(why),
            DesktopServices::Icon::Critical);
        return;
    }
    if (PasswordForm::refusedChange(this, outcome, settings, why, txtOld, txtNew, txtNew2)) return;
    if (outcome == Outcome::MissingAnswer) {
        // The new password is already in force: a second Ok checks the old box against it.
        desktop().message(this, QStringLiteral("Please enter an answer to the question you entered."));
        txtAnswer->setFocus();
        return;
    }
    desktop().message(this, QStringLiteral("The password has been successfully changed."));
    accept();
}
