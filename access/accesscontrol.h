#pragma once

#include <QString>

class DatabaseFile;
class SettingsStore;

// The checks behind the password windows. Every comparison is exact: case-sensitive, whole text, nothing
// trimmed, and a missing key is the empty password (which then is the password to type).
namespace MasterPassword {

// "RequirePW" reads as exactly 1.
bool required(const SettingsStore& settings);
bool matches(const SettingsStore& settings, const QString& typed);
QString password(const SettingsStore& settings);
QString question(const SettingsStore& settings);
bool answerMatches(const SettingsStore& settings, const QString& answer);

enum class Outcome {
    Done,
    WrongOld,      // the old password typed is not the stored one; nothing stored
    Mismatch,      // the two new passwords differ; nothing stored
    MissingAnswer, // a question without an answer; the new password IS already stored
    WriteFailed,   // the settings could not be written (SettingsStore::lastError says why)
    Unkept,        // a new text holds characters the settings cannot keep; nothing stored
    NotResealed,   // the sealed database could not be rewritten under the new password; nothing changed
};

// First supply: checks the two boxes and that every text can be kept, stores "PW", then (question with
// answer, or no question) "Answer" and "Question". On Unkept, why names the box and the characters.
Outcome supply(SettingsStore& settings, const QString& password, const QString& again,
               const QString& question, const QString& answer, QString* why = nullptr);
// Change: the old password first, then as supply. While the database is sealed the old password is checked
// against the key it was opened with, and the new one re-seals the file (new salt, new nonce) instead of
// being stored; why then also holds the reason a re-seal failed.
Outcome change(SettingsStore& settings, const QString& oldPassword, const QString& newPassword,
               const QString& again, const QString& question, const QString& answer, QString* why = nullptr,
               DatabaseFile* database = nullptr);

} // namespace MasterPassword

// The database sealed with the master password. While it is sealed "PW" is not stored: the password is
// checked by the key the file opened with, and nothing can recover it.
namespace Sealing {

// The typed password gives the key the database is sealed with.
bool matches(const DatabaseFile& database, QString typed);
// Seals the file as it is on disk under a key from the password (a new salt), then removes "PW".
bool seal(DatabaseFile& database, SettingsStore& settings, QString password, QString* error);
// Writes the file back in the plain record format and stores the password as "PW" again (the empty
// password when none is required any more).
bool unseal(DatabaseFile& database, SettingsStore& settings, const QString& password, QString* error);

} // namespace Sealing

namespace SettingsPassword {

// "RequireSettingsPW" reads as exactly 1 (a missing key does not ask).
bool required(const SettingsStore& settings);
bool matches(const SettingsStore& settings, const QString& typed);
// Done, WrongOld, Mismatch, Unkept or WriteFailed; "SettingsPW" is stored only when every check passed.
MasterPassword::Outcome change(SettingsStore& settings, const QString& oldPassword,
                               const QString& newPassword, const QString& again, QString* why = nullptr);

} // namespace SettingsPassword
