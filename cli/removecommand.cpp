#include "cli/clidatabase.h"
#include "cli/commands.h"
#include "cli/invocation.h"

#include <QFileInfo>

int removeCommand(Invocation& invocation)
{
    const std::optional<QString> categoryText = invocation.takeValue(QStringLiteral("--category"));
    const std::optional<QString> indexText = invocation.takeValue(QStringLiteral("--index"));
    if (!categoryText || !indexText)
        fail(QStringLiteral("remove needs --category N and --index I (see --help)"));
    const int category = parseCategory(*categoryText);
    bool ok = false;
    const int index = indexText->toInt(&ok);
    if (!ok || index < 1) fail(QStringLiteral("--index takes a number from 1, not \"%1\"").arg(*indexText));
    if (!invocation.takePositionals().isEmpty()) fail(QStringLiteral("remove takes no fields (see --help)"));

    const QString path = databasePathFor(invocation);
    // A missing file holds nothing to remove; creating it would change the disk for a refused command.
    if (!QFileInfo::exists(path)) fail(QStringLiteral("there is no database at %1").arg(path));
    EditSession session(path);
    const int count = session.store().list(category).count();
    if (index > count)
        fail(QStringLiteral("category %1 has %2 entries: there is no entry %3")
                 .arg(category)
                 .arg(count)
                 .arg(index));
    session.store().deleteEntry(category, index - 1);
    session.save();
    Invocation::print(QStringLiteral("Removed entry %1 of category %2 (%3).\n")
                          .arg(index)
                          .arg(category)
                          .arg(tabCaption(category))
                          .toUtf8());
    return 0;
}
