#pragma once

#include <QStringList>

class EntryStore;
class QIODevice;
class QTextStream;

namespace Reports {

// keyvane-cli report (--html|--text) --categories LIST [--mask] [--color white|blue|green|red|black] [-o
// FILE]
//
// args are the words after "report" (a leading "report" is skipped too). LIST is comma-separated; a
// category is named by its number 0-5, its keyword (HTML, SERIAL, APP, WALLET, REMOTE, MISC), its tab
// caption or its caption in the reports dialog, in any case. The report holds the same bytes that the
// reports dialog saves for the same choices: to FILE (owner-only) or, without -o, to out. Errors go to err
// as one line each; the result is the exit status, 0 or 1.
int runReportCommand(const EntryStore& store, const QStringList& args, QIODevice& out, QTextStream& err);

// The usage line of the command.
QString reportCommandUsage();

} // namespace Reports
