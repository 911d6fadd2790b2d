#include "cli/clidatabase.h"
#include "cli/commandline.h"
#include "cli/commands.h"
#include "reports/reportcommand.h"

#include <QFile>
#include <cstdio>

int reportCommand(const CommandLine& line)
{
    Reports::ReportRequest request;
    request.html = line.isSet("html");
    if (request.html == line.isSet("text"))
        fail(request.html ? QStringLiteral("choose one of --html and --text")
                          : QStringLiteral("choose --html or --text (see --help)"));
    request.categories = line.value("categories");
    request.mask = line.isSet("mask");
    if (line.isSet("color")) request.color = line.value("color");
    request.outputFile = line.value("o");

    const ReadSession session(databasePathFor(line));
    QFile out;
    if (!out.open(stdout, QIODevice::WriteOnly)) fail(QStringLiteral("standard output cannot be written"));
    QString error;
    if (!Reports::writeRequestedReport(session.store(), request, out, &error)) fail(error);
    out.flush();
    return session.status("reported");
}
