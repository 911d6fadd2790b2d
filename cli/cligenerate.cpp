#include "cli/commands.h"
#include "cli/invocation.h"
#include "generator/generatecommand.h"

#include <QTextStream>
#include <cstdio>

int generateCommand(Invocation& invocation)
{
    QTextStream out(stdout);
    QTextStream err(stderr);
    return runGenerateCommand(invocation.takeRest(), out, err);
}
