#include "generator/frmgenerator2.h"

#include "platform/desktopservices.h"

frmGenerator2::frmGenerator2(QWidget* parent) : GeneratorDialog(parent)
{
    setObjectName(QStringLiteral("frmGenerator2"));
}

void frmGenerator2::deliver(const QString& password)
{
    QString text = QStringLiteral("The password is:  \r\n\r\n") + password;
    if (!madeRating().isEmpty()) text += QStringLiteral("\r\n\r\nStrength: ") + madeRating();
    desktop().message(this, text);
}
