#include "shell/launcher.h"

#include "settings/settingsstore.h"
#include "store/categories.h"

#include <QFileInfo>

const Terminal kTerminals[6] = {
    {"x-terminal-emulator", "-e"}, {"gnome-terminal", "--"}, {"konsole", "-e"},
    {"xfce4-terminal", "-x"},      {"lxterminal", "-e"},     {"xterm", "-e"},
};

Launch launchFor(int category, const Entry& entry, const SettingsStore& settings)
{
    switch (category) {
    case WebPages:
    case SerialNumbers:
    case Applications:
        return {Launch::Kind::Open, entry.url().toString()};
    case RemoteSystems:
        if (!settings.flag(SettingKey::LaunchTelnet)) return {Launch::Kind::Open, entry.site().toString()};
        if (settings.truth(SettingKey::WindowsTelnet0))
            return {Launch::Kind::Telnet, entry.site().toString()};
        if (settings.truth(SettingKey::WindowsTelnet1))
            return {Launch::Kind::Program, settings.read(SettingKey::TelnetPath)};
        return {};
    default:
        return {};
    }
}

QStringList terminalProgramNames()
{
    QStringList names;
    for (const Terminal& t : kTerminals)
        names << QLatin1String(t.program);
    return names;
}

QStringList telnetArguments(const QString& terminalProgram, const QString& telnetClient,
                            const QString& address)
{
    const QString name = QFileInfo(terminalProgram).fileName();
    QString option = QStringLiteral("-e");
    for (const Terminal& t : kTerminals)
        if (name == QLatin1String(t.program)) option = QLatin1String(t.runOption);
    // The address is an argument of its own: no shell ever parses it.
    return {option, telnetClient, address};
}
