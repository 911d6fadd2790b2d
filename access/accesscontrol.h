#pragma once

#include <QString>

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
};

// First supply: checks the two boxes and that every text can be kept, stores "PW", then (question with
// answer, or no question) "Answer" and "Question". On Unkept, why names the box and the characters.
Outcome supply(SettingsStore& settings, const QString& password, const QString& again,
               const QString& question, const QString& answer, QString* why = nullptr);
// Change: the old password first, then as supply.
Outcome change(SettingsStore& settings, const QString& oldPassword, const QString& newPassword,
               const QString& again, const QString& question, const QString& answer, QString* why = nullptr);

} // namespace MasterPassword

namespace SettingsPassword {

// "RequireSettingsPW" reads as exactly 1 (a missing key does not ask).
bool required(const SettingsStore& settings);
bool matches(const SettingsStore& settings, const QString& typed);
// Done, WrongOld, Mismatch, Unkept or WriteFailed; "SettingsPW" is stored only when every check passed.
MasterPassword::Outcome change(SettingsStore& settings, const QString& oldPassword,
                               const QString& newPassword, const QString& again, QString* why = nullptr);

} // namespace SettingsPassword
