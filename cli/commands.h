#pragma once

#include <QStringList>

class Invocation;

// One command of keyvane-cli. Its function runs it and returns the exit status; a refusal is thrown with
// fail() (invocation.h), which prints it and exits with its status.
struct Command {
    const char* name;
    const char* synopsis;    // what follows the name
    const char* description; // for --help, lines of up to 72 characters
    int (*run)(Invocation& invocation);
};

// One function per command, each in a file of its own.
int listCommand(Invocation& invocation);
int addCommand(Invocation& invocation);
int removeCommand(Invocation& invocation);
int generateCommand(Invocation& invocation);
int reportCommand(Invocation& invocation);

// Parses the global options, finds the command and runs it. Returns the exit status.
int runCli(const QStringList& arguments);
