#pragma once

#include <QSettings>
#include <QString>
#include <memory>

// How a setting's text is read.
enum class SettingForm {
    Flag,   // "1" or "0": on only when the text reads as exactly 1
    Truth,  // "True" or "False" (a number counts too: non-zero is true)
    Text,   // free text
    Secret, // text enciphered with the program's key; empty means no password
    Number, // a whole number of zero or more; any other text reads as the default
};

// One key of the settings store and the text every reader gets while it is absent.
struct Setting {
    const char* name;
    SettingForm form;
    const char* absent;
    // Only where one reader deliberately differs: what the settings dialog's own control shows.
    const char* absentInDialog = nullptr;

    QString key() const { return QString::fromLatin1(name); }
};

// Every key the program stores, with its default. New settings go here and nowhere else.
namespace SettingKey {
inline constexpr Setting RequirePW{"RequirePW", SettingForm::Flag, "0"};
inline constexpr Setting DiffDB{"DiffDB", SettingForm::Flag, "1"};
inline constexpr Setting AutoSave{"AutoSave", SettingForm::Flag, "1"};
inline constexpr Setting AutoToTray{"AutoToTray", SettingForm::Flag, "0"};
inline constexpr Setting LoadAtStartUp{"LoadAtStartUp", SettingForm::Flag, "1"};
inline constexpr Setting LogPWs{"LogPWs", SettingForm::Flag, "1"};
inline constexpr Setting Gridlines{"Gridlines", SettingForm::Flag, "1"};
inline constexpr Setting AllowEdit{"AllowEdit", SettingForm::Flag, "1"};
inline constexpr Setting AllowDelete{"AllowDelete", SettingForm::Flag, "1"};
// Absent: the settings dialog opens without asking, yet shows its own box ticked.
inline constexpr Setting RequireSettingsPW{"RequireSettingsPW", SettingForm::Flag, "0", "1"};
inline constexpr Setting LaunchTelnet{"LaunchTelnet", SettingForm::Flag, "1"};
inline constexpr Setting WindowsTelnet0{"WindowsTelnet0", SettingForm::Truth, "1"};
inline constexpr Setting WindowsTelnet1{"WindowsTelnet1", SettingForm::Truth, "1"};
inline constexpr Setting TelnetPath{"TelnetPath", SettingForm::Text, ""};
inline constexpr Setting Hidden{"Hidden", SettingForm::Truth, "True"};
inline constexpr Setting TopMost{"TopMost", SettingForm::Truth, "False"};
inline constexpr Setting PW{"PW", SettingForm::Secret, ""};
inline constexpr Setting Question{"Question", SettingForm::Secret, ""};
inline constexpr Setting Answer{"Answer", SettingForm::Secret, ""};
inline constexpr Setting SettingsPW{"SettingsPW", SettingForm::Secret, ""};
// Seconds a copied password stays on the clipboard; 0 leaves it there.
// Locking, while a master password is required: when the desktop locks or sleeps, and after minutes
// without input (0 never).
inline constexpr Setting LockOnScreenLock{"LockOnScreenLock", SettingForm::Flag, "1"};
inline constexpr Setting LockMinutes{"LockMinutes", SettingForm::Number, "0"};
inline constexpr Setting ClipboardSeconds{"ClipboardSeconds", SettingForm::Number, "10"};
} // namespace SettingKey

// The one rule for flag text: on only when it reads as exactly 1 ("1", " 1", "1.0"); "1.5", "nan", "1e300"
// and text that is not a number are off.
bool isFlagOn(const QString& text);

// The per-user settings: text values under group "Settings". Nothing is cached, so a changed value counts
// from its next read.
class SettingsStore {
public:
    // The store of this user: $KEYVANE_HOME/keyvane.ini, or the per-user config location.
    SettingsStore();
    explicit SettingsStore(const QString& iniPath);

    QString filePath() const;
    bool contains(const Setting& setting) const;

    // The stored text, or the table's default when the key is absent.
    QString read(const Setting& setting) const;
    bool flag(const Setting& setting) const;
    // The flag as the settings dialog's own control reads it (its second default, where it has one).
    bool flagInDialog(const Setting& setting) const;
    bool truth(const Setting& setting) const;
    QString readSecret(const Setting& setting) const;
    int number(const Setting& setting) const;

    // Each write is flushed to disk at once; false when it could not be, with the reason in lastError().
    [[nodiscard]] bool write(const Setting& setting, const QString& text);
    [[nodiscard]] bool writeTruth(const Setting& setting, bool value);
    [[nodiscard]] bool writeSecret(const Setting& setting, const QString& clearText);
    // Takes the key out of the file, so that it reads as its default.
    [[nodiscard]] bool remove(const Setting& setting);
    QString lastError() const { return m_lastError; }

    static QString truthText(bool value);

private:
    bool flushed();

    std::unique_ptr<QSettings> m_settings;
    QString m_lastError;
};
