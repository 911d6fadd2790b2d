#pragma once

#include "store/entry.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QVector>
#include <optional>

class EntryStore;

// The CSV layouts Keyvane writes and reads: its own, and those of three other password managers, each with
// the header row that program writes. The category travels as the group or folder (the tab caption).
enum class CsvLayout { Keyvane, KeePassXC, Bitwarden, Chrome };

QStringList csvLayoutNames(); // "keyvane", "keepassxc", "bitwarden", "chrome"
std::optional<CsvLayout> csvLayoutNamed(const QString& name);
QString csvLayoutName(CsvLayout layout);
QStringList csvHeader(CsvLayout layout);

// Every entry of the store, category 0 first, as UTF-8 CSV in the layout, passwords in clear.
QByteArray exportCsv(const EntryStore& store, CsvLayout layout);

// A CSV file read and checked for adding to the store, before anything is added.
struct CsvImport {
    QString error; // the file cannot be read at all (not UTF-8, unknown header, open quote)
    CsvLayout layout = CsvLayout::Keyvane;
    QString mapping;         // which column gives what, for the user to check
    QVector<int> categories; // the category of each entry
    QVector<Entry> entries;
    QVector<int> lines;   // the line each entry begins on
    QStringList problems; // one sentence per row that cannot be added as it is, naming its line
    int longFields = 0;   // fields over 50 characters (problems unless cut)

    bool ok() const { return error.isEmpty() && problems.isEmpty(); }
};

struct CsvImportOptions {
    std::optional<CsvLayout> layout; // nothing: recognised from the header row
    int defaultCategory = 5;         // for groups and folders that name no tab, and files that have none
    bool cutLongFields = false;      // cut fields to the 50 characters an entry keeps, instead of refusing
    int room = 32767;                // how many more entries the store can take
};

CsvImport readCsvImport(const QByteArray& bytes, const CsvImportOptions& options);

// Adds every entry of an import that is ok(); returns how many.
int addImport(EntryStore& store, const CsvImport& import);
