#include "resources/icons.h"
#include "shell/startup.h"
#include "shell/termination.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Keyvane"));
    QApplication::setOrganizationName(QStringLiteral("Keyvane"));
    QApplication::setApplicationVersion(QStringLiteral(KEYVANE_VERSION));
    QApplication::setWindowIcon(keyvaneIcon(QStringLiteral("keyvane")));
    // The main window may hide to the tray: the program ends when it unloads, not with its last window.
    QApplication::setQuitOnLastWindowClosed(false);
    closeOnTerminationSignals();
    if (!StartKeyvane()) return 1;
    return app.exec();
}
