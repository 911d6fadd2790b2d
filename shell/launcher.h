#pragma once

#include "store/entry.h"

#include <QString>
#include <QStringList>

class SettingsStore;

// What "Go!!" does for an entry of a category: open a text with the desktop, start a program, or nothing.
struct Launch {
    enum class Kind { Nothing, Open, Telnet, Program };
    Kind kind = Kind::Nothing;
    QString target; // the text to open, the address for telnet, or the program to start
};

Launch launchFor(int category, const Entry& entry, const SettingsStore& settings);

// The terminal emulators tried, in order, with the option each takes before the command to run.
struct Terminal {
    const char* program;
    const char* runOption;
};
extern const Terminal kTerminals[6];
QStringList terminalProgramNames();
// Arguments for starting telnet to address inside the terminal program named by its file name.
QStringList telnetArguments(const QString& terminalProgram, const QString& telnetClient,
                            const QString& address);
