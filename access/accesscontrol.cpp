#include "access/accesscontrol.h"

#include "settings/settingsstore.h"

namespace MasterPassword {

bool required(const SettingsStore& settings)
{
    return settings.flag(SettingKey::RequirePW);
}

QString password(const SettingsStore& settings)
{
    return settings.readSecret(SettingKey::PW);
}

bool matches(const SettingsStore& settings, const QString& typed)
{
    return password(settings) == typed;
}

QString question(const SettingsStore& settings)
{
    return settings.readSecret(SettingKey::Question);
}

bool answerMatches(const SettingsStore& settings, const QString& answer)
{
    return settings.readSecret(SettingKey::Answer) == answer;
}

namespace {

// The tail shared by supply and change. "PW" is stored before the answer is checked, so a missing
// answer leaves the new password in force; the windows tell the user which box to fill.
Outcome storeNewPassword(SettingsStore& settings, const QString& password, const QString& question,
                         const QString& answer)
{
    if (!settings.writeSecret(SettingKey::PW, password)) return Outcome::WriteFailed;
    if (!question.isEmpty() && answer.isEmpty()) return Outcome::MissingAnswer;
    if (!settings.writeSecret(SettingKey::Answer, answer) ||
        !settings.writeSecret(SettingKey::Question, question))
        return Outcome::WriteFailed;
    return Outcome::Done;
}

} // namespace

Outcome supply(SettingsStore& settings, const QString& password, const QString& again,
               const QString& question, const QString& answer)
{
    if (password != again) return Outcome::Mismatch;
    return storeNewPassword(settings, password, question, answer);
}

Outcome change(SettingsStore& settings, const QString& oldPassword, const QString& newPassword,
               const QString& again, const QString& question, const QString& answer)
{
    if (!matches(settings, oldPassword)) return Outcome::WrongOld;
    if (newPassword != again) return Outcome::Mismatch;
    return storeNewPassword(settings, newPassword, question, answer);
}

} // namespace MasterPassword

namespace SettingsPassword {

bool required(const SettingsStore& settings)
{
    return settings.flag(SettingKey::RequireSettingsPW);
}

bool matches(const SettingsStore& settings, const QString& typed)
{
    return settings.readSecret(SettingKey::SettingsPW) == typed;
}

MasterPassword::Outcome change(SettingsStore& settings, const QString& oldPassword,
                               const QString& newPassword, const QString& again)
{
    if (!matches(settings, oldPassword)) return MasterPassword::Outcome::WrongOld;
    if (newPassword != again) return MasterPassword::Outcome::Mismatch;
    if (!settings.writeSecret(SettingKey::SettingsPW, newPassword))
        return MasterPassword::Outcome::WriteFailed;
    return MasterPassword::Outcome::Done;
}

} // namespace SettingsPassword
