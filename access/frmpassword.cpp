#include "access/frmpassword.h"

#include "access/accesscontrol.h"
#include "access/failedattemptlog.h"
#include "access/passwordform.h"
#include "platform/desktopservices.h"
#include "settings/settingsstore.h"
#include "store/sealedfile.h"

#include <QFile>
#include <QGuiApplication>

#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

frmPassword::frmPassword(QWidget* parent, QString sealedPath)
    : QDialog(parent), m_sealedPath(std::move(sealedPath))
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

frmPassword::~frmPassword() = default;

std::unique_ptr<SealKey> frmPassword::takeKey()
{
    return std::move(m_key);
}

bool frmPassword::sealedPasswordOpens(QString& typed)
{
    QFile file(m_sealedPath);
    const QByteArray sealed = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    QString error;
    if (!SealedFile::readParams(sealed, &error)) {
        desktop().message(this,
                          QStringLiteral("The database %1 cannot be opened: %2").arg(m_sealedPath, error),
                          DesktopServices::Icon::Critical);
        return false;
    }
    // The key derivation takes most of a second, on purpose.
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    m_key = SealedFile::unlock(sealed, typed, nullptr, &error);
    QGuiApplication::restoreOverrideCursor();
    return m_key != nullptr;
}

void frmPassword::reject()
{
    // Nothing else is open yet, so giving up here ends the program whichever way the window was left.
    QDialog::reject();
    emit cancelled();
}

void frmPassword::cmdOk_Click()
{
    QString typed = txtPassword->text();
    SettingsStore settings;
    bool right = false;
    if (m_sealedPath.isEmpty()) {
        right = MasterPassword::matches(settings, typed);
    } else {
        txtPassword->clear(); // so that the text derived from is the only copy, and is wiped
        right = sealedPasswordOpens(typed);
    }
    if (right) {
        accept();
        return;
    }
    desktop().message(this, QStringLiteral("An incorrect password was entered.\r\nPlease try again."));
    // A log that cannot be written loses the line, never the window. Beside a sealed file a near miss of
    // the password would give it away, so the line then ends after the tab.
    if (settings.flag(SettingKey::LogPWs)) LogFailedAttempt(m_sealedPath.isEmpty() ? typed : QString());
    PasswordForm::retype(txtPassword);
}

void frmPassword::cmdIForgot_Click()
{
    SettingsStore settings;
    const QString answer =
        desktop()
            .inputText(this, MasterPassword::question(settings), QStringLiteral("Reminder"))
            .value_or(QString());
    const bool right = MasterPassword::answerMatches(settings, answer);
    if (right && !m_sealedPath.isEmpty()) {
        desktop().message(this,
                          QStringLiteral("Your answer is correct, but the password cannot be recovered: "
                                         "the database is sealed with it, and Keyvane keeps no copy."));
        txtPassword->setFocus();
    } else if (right) {
        const QString password = MasterPassword::password(settings);
        desktop().message(this, QStringLiteral("The password is: ") + password);
        txtPassword->setText(password);
    } else {
        desktop().message(this, QStringLiteral("Your answer is incorrect."));
        txtPassword->setFocus();
    }
}
