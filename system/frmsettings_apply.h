#pragma once

#include <QList>
#include <QString>

class SettingsStore;
struct Setting;

// What the settings dialog's controls hold, read from the store when it opens and written back on Ok.
struct SettingsChoices {
    bool loadAtStartUp = true;
    bool autoToTray = false;
    bool autoSave = true;
    bool requirePW = false;
    bool logPWs = true;
    bool gridlines = true;
    bool diffDB = true;
    bool allowEdit = true;
    bool allowDelete = true;
    bool requireSettingsPW = true;
    bool launchTelnet = true;
    QString telnetPath;
    bool windowsTelnet0 = true; // "Windows Telnet client"
    bool windowsTelnet1 = true; // "User specified client"
    bool useSamePW = false;     // not stored: it only acts on Ok
    int clipboardSeconds = 10;
    bool lockOnScreenLock = true;
    int lockMinutes = 0;
};

// The controls' values from the store, each key missing giving the value shown for it (the defaults above;
// note "RequireSettingsPW" shows as ticked although a missing key asks for no password).
SettingsChoices loadSettingsChoices(const SettingsStore& settings);

// One step of saving: the key gets the text, or with copyOf set, the text stored under copyOf at that moment.
struct SettingWrite {
    const Setting* key;
    QString value;
    const Setting* copyOf = nullptr;

    bool operator==(const SettingWrite& other) const
    {
        return key == other.key && value == other.value && copyOf == other.copyOf;
    }
};

// The writes of Ok, in the order they are made: the options, then the dropped passwords, then the copy of
// the master password, which reads "PW" after it may have been emptied and so wins over an emptied
// settings password.
// Settings added since are written only when they differ from what the dialog showed at opening (shown),
// so an Ok without touching them leaves the file as it was.
QList<SettingWrite> settingsWrites(const SettingsChoices& choices, const SettingsChoices& shown = {});
// Stops at the first write that fails (false; SettingsStore::lastError says why).
bool applySettingsWrites(SettingsStore& settings, const QList<SettingWrite>& writes);
