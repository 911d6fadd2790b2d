#include "cli/commands.h"

#include <QCoreApplication>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("keyvane-cli"));
    QStringList arguments = QCoreApplication::arguments();
    arguments.removeFirst();
    return runCli(arguments);
}
