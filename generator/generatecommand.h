#pragma once

#include <QString>
#include <QStringList>

class QTextStream;

// `keyvane-cli generate [--type 1|2|3] [--case 1|2|3] [--length N] [--count K]`.
// `args` are the words after "generate". Prints K passwords (default 1), one a line, to `out`, made
// with the same engine and defaults as the generator dialogs: type 3, case 3, length 6. Options also
// take the form --name=value; --help prints the usage. Returns 0, or 1 after writing a one-line error
// to `err` (nothing is printed to `out` then).
int runGenerateCommand(const QStringList& args, QTextStream& out, QTextStream& err);

// The usage text of the command, one option a line, for the CLI's own help.
QString generateCommandUsage();
