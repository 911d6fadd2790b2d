#include "cli/commands.h"
#include "settings/processguard.h"

#include <QCoreApplication>

int main(int argc, char** argv)
{
    ProcessGuard::disableCoreDumps();
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("keyvane-cli"));
    QStringList arguments = QCoreApplication::arguments();
    arguments.removeFirst();
    return runCli(arguments);
}
