#include "generator/frmgenerator2.h"

#include "platform/desktopservices.h"

frmGenerator2::frmGenerator2(QWidget* parent) : GeneratorDialog(parent)
{
    setObjectName(QStringLiteral("frmGenerator2"));
}

void frmGenerator2::deliver(const QString& password)
{
    desktop().message(this, QStringLiteral("The password is:  \r\n\r\n") + password);
}
