#include "bench/bench.h"

#include "reports/htmlreport.h"
#include "reports/reportfile.h"
#include "reports/textreport.h"
#include "settings/settingsstore.h"
#include "shell/frmmain.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEvent>
#include <QFile>
#include <QTableView>

namespace {

Reports::ReportOptions everyCategory()
{
    Reports::ReportOptions options;
    options.categories.fill(true);
    return options;
}

// The bytes "Save Report As..." writes, from the store as it stands.
template <typename Builder> double reportFigure(BenchContext& context, Builder build)
{
    const Reports::ReportOptions options = everyCategory();
    QElapsedTimer timer;
    timer.start();
    const QByteArray bytes = Reports::reportFileBytes(build(context.store, options));
    const double ms = double(timer.nsecsElapsed()) / 1e6;
    if (bytes.size() < context.store.totalCount())
        qFatal("report: only %lld bytes for %d entries", qlonglong(bytes.size()), context.store.totalCount());
    return ms;
}

class FirstPaint : public QObject {
public:
    bool painted = false;
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint) painted = true;
        return false;
    }
};

} // namespace

double reportHtmlFigure(BenchContext& context)
{
    return reportFigure(context, Reports::htmlReport);
}

double reportTextFigure(BenchContext& context)
{
    return reportFigure(context, Reports::textReport);
}

// The main window from construction until it has painted itself with the full store: reading the settings,
// locking and reading the database, filling the six lists, showing. (The process start and the splash's
// fixed 2.3 s are not part of it.)
double startupFigure(BenchContext& context)
{
    // The app's own data folder, holding the full database under the shared file name.
    const QString home = context.file(QStringLiteral("home"));
    if (qEnvironmentVariable("KEYVANE_HOME") != home) {
        QDir().mkpath(home);
        qputenv("KEYVANE_HOME", home.toUtf8());
        SettingsStore settings;
        if (!settings.write(SettingKey::DiffDB, QStringLiteral("0"))) return -1;
        QFile::remove(home + QStringLiteral("/default.adr"));
        QFile::copy(context.databasePath, home + QStringLiteral("/default.adr"));
    }

    QElapsedTimer timer;
    timer.start();
    auto window = std::make_unique<frmMain>();
    if (!window->Load()) qFatal("startup: the main window did not load");
    FirstPaint firstPaint;
    window->findChild<QTableView*>(QStringLiteral("ListView1_0"))
        ->viewport()
        ->installEventFilter(&firstPaint);
    window->show();
    while (!firstPaint.painted)
        QApplication::processEvents(QEventLoop::WaitForMoreEvents);
    const double ms = double(timer.nsecsElapsed()) / 1e6;
    if (window->store().totalCount() != context.store.totalCount())
        qFatal("startup: %d entries loaded of %d", window->store().totalCount(), context.store.totalCount());
    window->store().setDatabaseChanged(false);
    return ms; // the window goes without its exit steps: nothing is written
}
