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

    refuseMissing(databasePathFor(line));
    const std::unique_ptr<DatabaseFile> database =
        openDatabase(line, request.mask ? Access::Masked : Access::Secrets);
    QFile out;
    if (!out.open(stdout, QIODevice::WriteOnly)) fail(QStringLiteral("standard output cannot be written"));
    DatabaseContents read;
    QString error;
    const bool written = Reports::writeRequestedReport(*database, request, out, &read, &error);
    refuseUnopened(*database);
    if (!written) fail(error);
    out.flush();
    return readStatus(read.problems(), "reported");
}
