#include "cli/clidatabase.h"
#include "cli/commands.h"
#include "cli/invocation.h"
#include "reports/reportcommand.h"

#include <QFile>
#include <QTextStream>
#include <cstdio>

int reportCommand(Invocation& invocation)
{
    const QStringList words = invocation.takeRest();
    DatabaseContents contents = readForListing(databasePathFor(invocation));
    const bool whole = contents.loadedWhole();
    const QString problems = contents.problems();
    EntryStore store;
    store.setContents(std::move(contents.lists));

    QFile out;
    if (!out.open(stdout, QIODevice::WriteOnly)) fail(QStringLiteral("standard output cannot be written"));
    QTextStream err(stderr);
    const int status = Reports::runReportCommand(store, words, out, err);
    out.flush();
    if (status == 0 && !whole) {
        Invocation::note(QStringLiteral("the report holds only what could be read: %1").arg(problems));
        return 2;
    }
    return status;
}
