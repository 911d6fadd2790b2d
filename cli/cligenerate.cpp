#include "commands.h"
#include "generatecommand.h"
#include "invocation.h"

#include <QTextStream>
#include <cstdio>

int generateCommand(Invocation& invocation)
{
    QTextStream out(stdout);
    QTextStream err(stderr);
    return runGenerateCommand(invocation.takeRest(), out, err);
}
