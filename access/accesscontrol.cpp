#include "access/accesscontrol.h"

#include "settings/settingsstore.h"
#include "store/cp1252.h"
#include "store/databasefile.h"
#include "store/sealedfile.h"

#include <initializer_list>
#include <utility>

namespace {

// A key under a new salt, for sealing or re-sealing.
std::unique_ptr<SealKey> newKey(QString password, QString* error)
{
    return SealKey::derive(password, KdfParams::standard(), error);
}

} // namespace

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

// The settings keep secrets in the code page: a character it lacks would be stored as '?', and the password
// typed at the next start would no longer match. True when every text can be kept; else why says which not.
bool allKept(std::initializer_list<std::pair<const char*, const QString&>> texts, QString* why)
{
    for (const auto& [caption, text] : texts)
        if (QString problem = Cp1252::unkeptProblem(text, QLatin1String(caption)); !problem.isEmpty()) {
            if (why) *why = problem;
            return false;
        }
    return true;
}

// The reminder, once the new password is in force: a question without an answer stores nothing, and the
// windows tell the user which box to fill.
Outcome storeReminder(SettingsStore& settings, const QString& question, const QString& answer)
{
    if (!question.isEmpty() && answer.isEmpty()) return Outcome::MissingAnswer;
    if (!settings.writeSecret(SettingKey::Answer, answer) ||
        !settings.writeSecret(SettingKey::Question, question))
        return Outcome::WriteFailed;
    return Outcome::Done;
}

// The tail shared by supply and change. "PW" is stored before the answer is checked, so a missing
// answer leaves the new password in force.
Outcome storeNewPassword(SettingsStore& settings, const QString& password, const QString& question,
                         const QString& answer)
{
    if (!settings.writeSecret(SettingKey::PW, password)) return Outcome::WriteFailed;
    return storeReminder(settings, question, answer);
}

} // namespace

Outcome supply(SettingsStore& settings, const QString& password, const QString& again,
               const QString& question, const QString& answer, QString* why)
{
    if (password != again) return Outcome::Mismatch;
    if (!allKept({{"password", password}, {"reminder question", question}, {"answer", answer}}, why))
        return Outcome::Unkept;
    return storeNewPassword(settings, password, question, answer);
}

Outcome change(SettingsStore& settings, const QString& oldPassword, const QString& newPassword,
               const QString& again, const QString& question, const QString& answer, QString* why,
               DatabaseFile* database)
{
    const bool sealed = database && database->sealed();
    if (sealed ? !Sealing::matches(*database, oldPassword) : !matches(settings, oldPassword))
        return Outcome::WrongOld;
    if (newPassword != again) return Outcome::Mismatch;
    if (!sealed) {
        if (!allKept({{"new password", newPassword}, {"reminder question", question}, {"answer", answer}},
                     why))
            return Outcome::Unkept;
        return storeNewPassword(settings, newPassword, question, answer);
    }
    // Sealed, the password itself is stored nowhere, so any character will do.
    if (!allKept({{"reminder question", question}, {"answer", answer}}, why)) return Outcome::Unkept;
    std::unique_ptr<SealKey> key = newKey(newPassword, why);
    if (!key || !database->rekey(std::move(key), why)) return Outcome::NotResealed;
    return storeReminder(settings, question, answer);
}

} // namespace MasterPassword

namespace Sealing {

bool matches(const DatabaseFile& database, QString typed)
{
    const SealKey* key = database.key();
    if (!key) return false;
    const std::unique_ptr<SealKey> candidate = SealKey::derive(typed, key->params());
    return candidate && candidate->sameAs(*key);
}

bool seal(DatabaseFile& database, SettingsStore& settings, QString password, QString* error)
{
    std::unique_ptr<SealKey> key = newKey(password, error);
    if (!key || !database.rekey(std::move(key), error)) return false;
    if (settings.remove(SettingKey::PW)) return true;
    if (error) *error = settings.lastError();
    return false;
}

bool unseal(DatabaseFile& database, SettingsStore& settings, const QString& password, QString* error)
{
    if (!database.rekey(nullptr, error)) return false;
    if (settings.writeSecret(SettingKey::PW, password)) return true;
    if (error) *error = settings.lastError();
    return false;
}

} // namespace Sealing

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
                               const QString& newPassword, const QString& again, QString* why)
{
    if (!matches(settings, oldPassword)) return MasterPassword::Outcome::WrongOld;
    if (newPassword != again) return MasterPassword::Outcome::Mismatch;
    if (!MasterPassword::allKept({{"new password", newPassword}}, why))
        return MasterPassword::Outcome::Unkept;
    if (!settings.writeSecret(SettingKey::SettingsPW, newPassword))
        return MasterPassword::Outcome::WriteFailed;
    return MasterPassword::Outcome::Done;
}

} // namespace SettingsPassword
