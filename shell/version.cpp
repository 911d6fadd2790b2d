#include "shell/version.h"

#include <QCoreApplication>
#include <QSysInfo>

QString programVersion()
{
    return QStringLiteral(KEYVANE_VERSION_MAJOR_MINOR);
}

QString GetWindowsName()
{
    const QString name = QSysInfo::prettyProductName();
    return name.isEmpty() ? QStringLiteral("Failed") : name;
}
