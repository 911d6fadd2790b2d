#pragma once

#include <QString>

// Start with the session: an XDG autostart entry, keyvane.desktop in $XDG_CONFIG_HOME/autostart
// (~/.config/autostart when the variable is unset), that starts the program running now.
namespace Autostart {

QString entryPath();
// The entry's text for a program path, with Exec quoted as desktop entries require; a KEYVANE_HOME
// given (not empty) is set for the program through env.
QString entryText(const QString& programPath, const QString& keyvaneHome);
// The program path as one quoted argument of an Exec key.
QString execArgument(const QString& programPath);

// Writes the entry (on), carrying the KEYVANE_HOME of this run, or removes it (off). False, with the reason,
// when that could not be done; removing an entry that is not there succeeds.
bool setStartWithSession(bool on, const QString& programPath, QString* error = nullptr);

} // namespace Autostart
