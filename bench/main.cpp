#include "bench/bench.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QThread>
#include <algorithm>
#include <cstdio>

namespace {

// One line per figure; a new figure is one function (bench.h) and one line here.
const Figure kFigures[] = {
    {"load", loadFigure},
    {"save", saveFigure},
    {"save_sync", saveSyncFigure},
    {"mask_toggle", maskToggleFigure},
    {"report_html", reportHtmlFigure},
    {"report_text", reportTextFigure},
    {"startup", startupFigure},
};

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

// The peak memory of the real program holding the full store: it is started offscreen on a copy of the
// database, given time to load and show its window, read from /proc, and stopped before it writes anything.
double appPeakRssMb(BenchContext& context)
{
    const QString home = context.file(QStringLiteral("app-home"));
    QDir().mkpath(home);
    QFile::copy(context.databasePath, home + QStringLiteral("/default.adr"));
    {
        QFile ini(home + QStringLiteral("/keyvane.ini"));
        if (!ini.open(QIODevice::WriteOnly)) return -1;
        ini.write("[Settings]\nDiffDB=0\n");
    }
    QProcess app;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("KEYVANE_HOME"), home);
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    app.setProcessEnvironment(environment);
    app.start(QStringLiteral(KEYVANE_APP_PATH), {});
    if (!app.waitForStarted()) return -1;
    QThread::msleep(3000); // past the splash: the window is shown and the lists are filled
    double peak = -1;
    QFile status(QStringLiteral("/proc/%1/status").arg(app.processId()));
    if (status.open(QIODevice::ReadOnly))
        for (const QByteArray& line : status.readAll().split('\n'))
            if (line.startsWith("VmHWM:"))
                peak = line.mid(6).trimmed().split(' ').first().toDouble() / 1024.0; // kB
    app.kill();
    app.waitForFinished();
    return peak;
}

} // namespace

int main(int argc, char** argv)
{
    // Headless unless told otherwise: the views are drawn offscreen, as in the tests.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);

    int runs = 7;
    QStringList only;
    const QStringList arguments = QApplication::arguments().mid(1);
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        if (arguments.at(i) == QLatin1String("--runs") && i + 1 < arguments.size()) {
            runs = std::max(1, arguments.at(++i).toInt());
        } else if (arguments.at(i).startsWith(QLatin1String("-"))) {
            std::fprintf(stderr, "Usage: keyvane-bench [--runs N] [FIGURE...]\n"
                                 "Prints \"name median_ms\" per figure, then the app's peak_rss_mb.\n");
            return 1;
        } else {
            only << arguments.at(i);
        }
    }

    BenchContext context;
    std::fprintf(stderr, "keyvane-bench: %d entries, median of %d runs after one warm-up\n",
                 context.store.totalCount(), runs);
    for (const Figure& figure : kFigures) {
        if (!only.isEmpty() && !only.contains(QLatin1String(figure.name))) continue;
        figure.measure(context); // warm-up: first-use costs (views, caches) are not the figure
        std::vector<double> times;
        for (int i = 0; i < runs; ++i)
            times.push_back(figure.measure(context));
        std::printf("%s %.2f\n", figure.name, median(times));
        std::fflush(stdout);
    }
    if (only.isEmpty() || only.contains(QLatin1String("peak_rss_mb")))
        std::printf("peak_rss_mb %.1f\n", appPeakRssMb(context));
    return 0;
}
