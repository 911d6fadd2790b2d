#include "system/platformpasswords.h"

#include "platform/desktopservices.h"
#include "system/platformchecks.h"

namespace {

// Only the Windows 95/98 family has the password providers these commands hand the change to, and
// GetPlatform never reports that family on the systems Keyvane runs on: what is left is the message.
void changeProviderPassword(QWidget* owner)
{
    if (GetPlatform() != QLatin1String("95"))
        desktop().message(owner, QStringLiteral("This can only be done on Windows 95/98."));
}

} // namespace

void ChangeWindowsPassword(QWidget* owner)
{
    changeProviderPassword(owner);
}

void ChangeScreenSaverPassword(QWidget* owner)
{
    changeProviderPassword(owner);
}
