#include "bench/bench.h"

#include "reports/frmreports.h"
#include "reports/htmlreport.h"
#include "reports/reportfile.h"
#include "reports/textreport.h"
#include "settings/settingsstore.h"
#include "shell/frmmain.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QElapsedTimer>
#include <QEvent>
#include <QFile>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTimer>
#include <malloc.h>

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

// The time of the last paint of any widget in a preview window.
class PreviewPaints : public QObject {
public:
    explicit PreviewPaints(const QElapsedTimer& clock) : m_clock(clock)
    {
        m_idle.setSingleShot(true);
        m_idle.setInterval(300);
        QObject::connect(&m_idle, &QTimer::timeout, &m_loop, &QEventLoop::quit);
    }
    // Runs the events until a preview has painted and then nothing has painted it for a while.
    double waitUntilSettled()
    {
        m_loop.exec();
        return double(m_lastPaintNs) / 1e6;
    }
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint && watched->isWidgetType() &&
            qobject_cast<frmHTMLPreview*>(static_cast<QWidget*>(watched)->window())) {
            m_lastPaintNs = m_clock.nsecsElapsed();
            m_idle.start();
        }
        return false;
    }

private:
    const QElapsedTimer& m_clock;
    qint64 m_lastPaintNs = -1;
    QTimer m_idle;
    QEventLoop m_loop;
};

} // namespace

QString BenchContext::appHome()
{
    const QString home = file(QStringLiteral("home"));
    if (qEnvironmentVariable("KEYVANE_HOME") != home) {
        QDir().mkpath(home);
        qputenv("KEYVANE_HOME", home.toUtf8());
        SettingsStore settings;
        if (!settings.write(SettingKey::DiffDB, QStringLiteral("0")))
            qFatal("bench: the settings cannot be written");
        QFile::remove(home + QStringLiteral("/default.adr"));
        QFile::copy(databasePath, home + QStringLiteral("/default.adr"));
    }
    return home;
}

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
    context.appHome();

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

// Print > View Report with every category ticked, until the preview has painted what it shows. The memory
// figure is what the process holds more while the preview is open.
double previewHtmlFigure(BenchContext& context)
{
    context.appHome(); // the data folder of any temporary file
    frmReports dialog(context.store, frmReports::HtmlTab);
    dialog.show();
    for (QCheckBox* box : dialog.chkTables)
        box->setChecked(true);
    QApplication::processEvents();
    malloc_trim(0);
    const double before = residentMb();

    QElapsedTimer timer;
    PreviewPaints paints(timer);
    qApp->installEventFilter(&paints);
    timer.start();
    dialog.cmdPreview->click();
    const double ms = paints.waitUntilSettled();
    qApp->removeEventFilter(&paints);
    if (!dialog.preview() || ms < 0) qFatal("preview_html: no preview was painted");
    context.memoryMb = residentMb() - before;
    dialog.reject();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return ms;
}

// One keystroke in the main window's search box: the first letter typed into the empty box, which filters
// all six full lists, recounts the tab captions and repaints the list in front.
double filterFigure(BenchContext& context)
{
    if (!context.mainWindow) {
        context.appHome();
        auto window = std::make_unique<frmMain>();
        if (!window->Load()) qFatal("filter: the main window did not load");
        window->show();
        context.mainWindow = std::move(window);
    }
    QWidget* window = context.mainWindow.get();
    auto* search = window->findChild<QLineEdit*>(QStringLiteral("txtSearch"));
    auto* web = window->findChild<QTableView*>(QStringLiteral("ListView1_0"));
    search->clear();
    QApplication::processEvents();

    FirstPaint painted;
    web->viewport()->installEventFilter(&painted);
    QElapsedTimer timer;
    timer.start();
    QKeyEvent press(QEvent::KeyPress, Qt::Key_K, Qt::NoModifier, QStringLiteral("k"));
    QApplication::sendEvent(search, &press);
    while (!painted.painted)
        QApplication::processEvents(QEventLoop::WaitForMoreEvents);
    const double ms = double(timer.nsecsElapsed()) / 1e6;
    const int shown = web->model()->rowCount();
    if (search->text() != QLatin1String("k") || shown == 0 || shown == context.store.list(WebPages).count())
        qFatal("filter: the keystroke did not filter the lists");
    return ms;
}
