#include "shell/version.h"

#include <QCoreApplication>

QString programVersion()
{
    return QStringLiteral(KEYVANE_VERSION_MAJOR_MINOR);
}
