#pragma once

#include <QStringList>

class CommandLine;

// One function per command, each in a file of its own; the table in commands.cpp declares their options.
int listCommand(const CommandLine& line);
int searchCommand(const CommandLine& line);
int addCommand(const CommandLine& line);
int removeCommand(const CommandLine& line);
int copyCommand(const CommandLine& line);
int generateCommand(const CommandLine& line);
int reportCommand(const CommandLine& line);
int mergeCommand(const CommandLine& line);
int healthCommand(const CommandLine& line);
int exportCommand(const CommandLine& line);
int importCommand(const CommandLine& line);
int encryptCommand(const CommandLine& line);
int decryptCommand(const CommandLine& line);

// Parses the global options, finds the command, parses its options and runs it. Returns the exit status.
int runCli(const QStringList& arguments);
