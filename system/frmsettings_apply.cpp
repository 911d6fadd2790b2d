#include "system/frmsettings_apply.h"

#include "settings/settingsstore.h"

SettingsChoices loadSettingsChoices(const SettingsStore& settings)
{
    SettingsChoices c;
    c.loadAtStartUp = settings.flag(SettingKey::LoadAtStartUp);
    c.autoToTray = settings.flag(SettingKey::AutoToTray);
    c.autoSave = settings.flag(SettingKey::AutoSave);
    c.requirePW = settings.flag(SettingKey::RequirePW);
    c.logPWs = settings.flag(SettingKey::LogPWs);
    c.gridlines = settings.flag(SettingKey::Gridlines);
    c.diffDB = settings.flag(SettingKey::DiffDB);
    c.allowEdit = settings.flag(SettingKey::AllowEdit);
    c.allowDelete = settings.flag(SettingKey::AllowDelete);
    c.requireSettingsPW = settings.flagInDialog(SettingKey::RequireSettingsPW);
    c.launchTelnet = settings.flag(SettingKey::LaunchTelnet);
    c.telnetPath = settings.read(SettingKey::TelnetPath);
    c.windowsTelnet0 = settings.truth(SettingKey::WindowsTelnet0);
    c.windowsTelnet1 = settings.truth(SettingKey::WindowsTelnet1);
    c.clipboardSeconds = settings.number(SettingKey::ClipboardSeconds);
    c.lockOnScreenLock = settings.flag(SettingKey::LockOnScreenLock);
    c.lockMinutes = settings.number(SettingKey::LockMinutes);
    return c;
}

QList<SettingWrite> settingsWrites(const SettingsChoices& c, const SettingsChoices& shown)
{
    auto flag = [](const Setting& key, bool on) {
        return SettingWrite{&key, on ? QStringLiteral("1") : QStringLiteral("0")};
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
        SettingWrite{&SettingKey::TelnetPath, c.telnetPath},
        flag(SettingKey::LaunchTelnet, c.launchTelnet),
        SettingWrite{&SettingKey::WindowsTelnet0, SettingsStore::truthText(c.windowsTelnet0)},
        SettingWrite{&SettingKey::WindowsTelnet1, SettingsStore::truthText(c.windowsTelnet1)},
    };
    if (c.clipboardSeconds != shown.clipboardSeconds)
        writes.append({&SettingKey::ClipboardSeconds, QString::number(c.clipboardSeconds)});
    if (c.lockOnScreenLock != shown.lockOnScreenLock)
        writes.append(flag(SettingKey::LockOnScreenLock, c.lockOnScreenLock));
    if (c.lockMinutes != shown.lockMinutes)
        writes.append({&SettingKey::LockMinutes, QString::number(c.lockMinutes)});
    // Empty text is the enciphered empty password.
    if (!c.requirePW) writes.append({&SettingKey::PW, QString()});
    if (!c.requireSettingsPW) writes.append({&SettingKey::SettingsPW, QString()});
    if (c.useSamePW) writes.append({&SettingKey::SettingsPW, QString(), &SettingKey::PW});
    return writes;
}

bool applySettingsWrites(SettingsStore& settings, const QList<SettingWrite>& writes)
{
    for (const SettingWrite& write : writes)
        if (!settings.write(*write.key, write.copyOf ? settings.read(*write.copyOf) : write.value))
            return false;
    return true;
}
