#include "cli/clidatabase.h"
#include "cli/commandline.h"
#include "cli/commands.h"
#include "store/atomicfile.h"
#include "store/csvtransfer.h"

#include <QFile>

namespace {

CsvLayout layoutNamed(const QString& name)
{
    const std::optional<CsvLayout> layout = csvLayoutNamed(name);
    if (!layout)
        fail(QStringLiteral("--layout must be one of %1").arg(csvLayoutNames().join(QStringLiteral(", "))));
    return *layout;
}

} // namespace

int exportCommand(const CommandLine& line)
{
    const CsvLayout layout = line.isSet("layout") ? layoutNamed(line.value("layout")) : CsvLayout::Keyvane;
    const ReadSession session(line, Access::Secrets);
    const QByteArray bytes = exportCsv(session.store(), layout);
    if (line.isSet("o")) {
        QString error;
        if (!writeFileAtomically(line.value("o"), bytes, kOwnerOnly, &error)) fail(error);
    } else {
        print(bytes);
    }
    return session.status("exported");
}

int importCommand(const CommandLine& line)
{
    CsvImportOptions options;
    const QString layout = line.value("layout");
    if (!layout.isEmpty() && layout != QLatin1String("auto")) options.layout = layoutNamed(layout);
    options.defaultCategory = line.number("category", Misc);
    options.cutLongFields = line.isSet("cut");
    QFile file(line.value("csv"));
    if (!file.open(QIODevice::ReadOnly))
        fail(QStringLiteral("%1 cannot be read: %2").arg(file.fileName(), file.errorString()));
    const QByteArray bytes = file.readAll();

    EditSession session(openDatabase(line, Access::Secrets));
    options.room = EntryStore::kMaxEntries - session.store().totalCount();
    const CsvImport import = readCsvImport(bytes, options);
    if (!import.error.isEmpty()) fail(import.error);
    if (!import.problems.isEmpty()) {
        for (const QString& problem : import.problems)
            note(problem);
        fail(QStringLiteral("nothing was imported: every row must be fit to add%1")
                 .arg(import.longFields && !options.cutLongFields ? QStringLiteral(" (or --cut long fields)")
                                                                  : QString()));
    }
    const int added = addImport(session.store(), import);
    session.save();
    print(QStringLiteral("%1 imported\n")
              .arg(added == 1 ? QStringLiteral("1 entry") : QStringLiteral("%1 entries").arg(added))
              .toUtf8());
    return 0;
}
