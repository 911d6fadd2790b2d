#pragma once

#include <QSettings>
#include <QString>
#include <memory>

// The per-user settings: text values under group "Settings". Every reader passes its own default at the
// moment of use, and nothing is cached, so a changed value counts from its next read.
namespace SettingKey {
inline const QString RequirePW = QStringLiteral("RequirePW");
inline const QString DiffDB = QStringLiteral("DiffDB");
inline const QString AutoSave = QStringLiteral("AutoSave");
inline const QString AutoToTray = QStringLiteral("AutoToTray");
inline const QString LoadAtStartUp = QStringLiteral("LoadAtStartUp");
inline const QString LogPWs = QStringLiteral("LogPWs");
inline const QString Gridlines = QStringLiteral("Gridlines");
inline const QString AllowEdit = QStringLiteral("AllowEdit");
inline const QString AllowDelete = QStringLiteral("AllowDelete");
inline const QString RequireSettingsPW = QStringLiteral("RequireSettingsPW");
inline const QString LaunchTelnet = QStringLiteral("LaunchTelnet");
inline const QString WindowsTelnet0 = QStringLiteral("WindowsTelnet0");
inline const QString WindowsTelnet1 = QStringLiteral("WindowsTelnet1");
inline const QString TelnetPath = QStringLiteral("TelnetPath");
inline const QString Hidden = QStringLiteral("Hidden");
inline const QString TopMost = QStringLiteral("TopMost");
inline const QString PW = QStringLiteral("PW");
inline const QString Question = QStringLiteral("Question");
inline const QString Answer = QStringLiteral("Answer");
inline const QString SettingsPW = QStringLiteral("SettingsPW");
} // namespace SettingKey

class SettingsStore {
public:
    // The store of this user: $KEYVANE_HOME/keyvane.ini, or the per-user config location.
    SettingsStore();
    explicit SettingsStore(const QString& iniPath);

    QString filePath() const;
    bool contains(const QString& key) const;

    // The stored text, or the default when the key is absent.
    QString read(const QString& key, const QString& defaultValue = {}) const;
    void write(const QString& key, const QString& value);

    // A flag ("1"/"0") compared with 1. Text that is not a number reads as the default.
    bool flag(const QString& key, int defaultValue) const;
    // The flag as the number the settings dialog puts into its check box.
    int flagValue(const QString& key, int defaultValue) const;
    void writeFlag(const QString& key, bool on);

    // A truth value: "True"/"False" in any case, or a number (non-zero is true); anything else is the default.
    bool truth(const QString& key, bool defaultValue) const;
    void writeTruth(const QString& key, bool value);

    // Password keys hold enciphered text; the empty text means no password.
    QString readSecret(const QString& key) const;
    void writeSecret(const QString& key, const QString& clearText);

    static QString truthText(bool value);

private:
    std::unique_ptr<QSettings> m_settings;
};
