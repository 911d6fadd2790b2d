#include "cli/clidatabase.h"
#include "cli/commandline.h"
#include "cli/commands.h"

int mergeCommand(const CommandLine& line)
{
    const QString otherPath = line.fields().at(0);
    const DatabaseContents other = readOtherFile(otherPath);
    if (!other.loadedWhole())
        fail(QStringLiteral("nothing was merged: %1 did not load whole (%2)")
                 .arg(otherPath, other.problems()));

    EditSession session(openDatabase(line, Access::Secrets));
    const MergeResult merged = mergeMissing(session.store().contents(), other.lists);
    if (merged.overLimit > 0)
        fail(QStringLiteral("nothing was merged: %1 more entries would not fit in the %2 a database holds")
                 .arg(merged.overLimit)
                 .arg(EntryStore::kMaxEntries));
    if (merged.added > 0) {
        session.store().setContents(merged.lists);
        session.save();
    }
    print(QStringLiteral("Added %1 entries from %2.\n").arg(merged.added).arg(otherPath).toUtf8());
    return 0;
}
