#include "cli/clidatabase.h"
#include "cli/commandline.h"
#include "cli/commands.h"

int removeCommand(const CommandLine& line)
{
    const int category = line.number("category", 0);
    const int index = line.number("index", 1);

    // A missing file holds nothing to remove; creating it would change the disk for a refused command.
    refuseMissing(databasePathFor(line));
    EditSession session(openDatabase(line, Access::Secrets));
    checkIndex(session.store(), category, index);
    session.store().deleteEntry(category, index - 1);
    session.save();
    print(QStringLiteral("Removed entry %1 of category %2 (%3).\n")
              .arg(index)
              .arg(category)
              .arg(tabCaption(category))
              .toUtf8());
    return 0;
}
