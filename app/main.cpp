#include "resources/icons.h"
#include "settings/processguard.h"
#include "shell/frmmain.h"
#include "shell/startup.h"
#include "shell/termination.h"

#include <QApplication>
#include <QTimer>
#include <cstdio>

namespace {

// For the benchmark, with KEYVANE_FIRST_PAINT_MARK set: "painted" on standard output once the main window
// has drawn its first frame, so that a whole process can be timed from its start.
class FirstPaintMark : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint && watched->isWidgetType() &&
            qobject_cast<frmMain*>(static_cast<QWidget*>(watched)->window())) {
            qApp->removeEventFilter(this);
            // After the paint events of this frame and its flush.
            QTimer::singleShot(0, [] {
                std::fputs("painted\n", stdout);
                std::fflush(stdout);
            });
        }
        return false;
    }
};

} // namespace

int main(int argc, char* argv[])
{
    ProcessGuard::disableCoreDumps();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Keyvane"));
    QApplication::setOrganizationName(QStringLiteral("Keyvane"));
    QApplication::setApplicationVersion(QStringLiteral(KEYVANE_VERSION));
    QApplication::setWindowIcon(keyvaneIcon(QStringLiteral("keyvane")));
    // The main window may hide to the tray: the program ends when it unloads, not with its last window.
    QApplication::setQuitOnLastWindowClosed(false);
    closeOnTerminationSignals();
    if (qEnvironmentVariableIsSet("KEYVANE_FIRST_PAINT_MARK"))
        app.installEventFilter(new FirstPaintMark(&app));
    if (!StartKeyvane()) return 1;
    return app.exec();
}
