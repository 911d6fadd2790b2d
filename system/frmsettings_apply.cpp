#include "frmsettings_apply.h"

#include "settingsstore.h"

SettingsChoices loadSettingsChoices(const SettingsStore& settings)
{
    SettingsChoices c;
    c.loadAtStartUp = settings.flag(SettingKey::LoadAtStartUp, 1);
    c.autoToTray = settings.flag(SettingKey::AutoToTray, 0);
    c.autoSave = settings.flag(SettingKey::AutoSave, 1);
    c.requirePW = settings.flag(SettingKey::RequirePW, 0);
    c.logPWs = settings.flag(SettingKey::LogPWs, 1);
    c.gridlines = settings.flag(SettingKey::Gridlines, 1);
    c.diffDB = settings.flag(SettingKey::DiffDB, 1);
    c.allowEdit = settings.flag(SettingKey::AllowEdit, 1);
    c.allowDelete = settings.flag(SettingKey::AllowDelete, 1);
    c.requireSettingsPW = settings.flag(SettingKey::RequireSettingsPW, 1);
    c.launchTelnet = settings.flag(SettingKey::LaunchTelnet, 1);
    c.telnetPath = settings.read(SettingKey::TelnetPath);
    c.windowsTelnet0 = settings.truth(SettingKey::WindowsTelnet0, true);
    c.windowsTelnet1 = settings.truth(SettingKey::WindowsTelnet1, true);
    return c;
}

QList<SettingWrite> settingsWrites(const SettingsChoices& c)
{
    auto flag = [](const QString& key, bool on) {
        return SettingWrite{key, on ? QStringLiteral("1") : QStringLiteral("0"), {}};
    };
    QList<SettingWrite> writes{
        flag(SettingKey::LoadAtStartUp, c.loadAtStartUp),
        flag(SettingKey::AutoToTray, c.autoToTray),
        flag(SettingKey::AutoSave, c.autoSave),
        flag(SettingKey::RequirePW, c.requirePW),
        flag(SettingKey::LogPWs, c.logPWs),
        flag(SettingKey::Gridlines, c.gridlines),
        flag(SettingKey::DiffDB, c.diffDB),
        flag(SettingKey::AllowEdit, c.allowEdit),
        flag(SettingKey::AllowDelete, c.allowDelete),
        flag(SettingKey::RequireSettingsPW, c.requireSettingsPW),
        SettingWrite{SettingKey::TelnetPath, c.telnetPath, {}},
        flag(SettingKey::LaunchTelnet, c.launchTelnet),
        SettingWrite{SettingKey::WindowsTelnet0, SettingsStore::truthText(c.windowsTelnet0), {}},
        SettingWrite{SettingKey::WindowsTelnet1, SettingsStore::truthText(c.windowsTelnet1), {}},
    };
    // Empty text is the enciphered empty password.
    if (!c.requirePW) writes.append({SettingKey::PW, QString(), {}});
    if (!c.requireSettingsPW) writes.append({SettingKey::SettingsPW, QString(), {}});
    if (c.useSamePW) writes.append({SettingKey::SettingsPW, QString(), SettingKey::PW});
    return writes;
}

void applySettingsWrites(SettingsStore& settings, const QList<SettingWrite>& writes)
{
    for (const SettingWrite& write : writes)
        settings.write(write.key, write.copyOf.isEmpty() ? write.value : settings.read(write.copyOf));
}
