#include "bench/bench.h"

#include <QApplication>
#include <QFile>
#include <algorithm>
#include <cstdio>

namespace {

// One line per figure; a new figure is one function (bench.h) and one line here.
const Figure kFigures[] = {
    {"load", loadFigure},
    {"save", saveFigure},
    {"save_sync", saveSyncFigure},
    {"unlock", unlockFigure},
    {"load_sealed", loadSealedFigure},
    {"save_sealed_sync", saveSealedSyncFigure},
    {"mask_toggle", maskToggleFigure},
    {"report_html", reportHtmlFigure},
    {"report_text", reportTextFigure},
    {"startup", startupFigure},
    {"filter", filterFigure},
    {"preview_html", previewHtmlFigure, "preview_html_mb"},
    {"cli_list", cliListFigure, "cli_list_mb"},
    {"cli_report_html", cliReportHtmlFigure, "cli_report_html_mb"},
    {"cli_report_text", cliReportTextFigure, "cli_report_text_mb"},
    {"app_start", appStartFigure, "peak_rss_mb"},
    {"health", healthFigure},
    {"import_csv", importCsvFigure},
};

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
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
            std::fprintf(stderr,
                         "Usage: keyvane-bench [--runs N] [FIGURE...]\n"
                         "Prints \"name median_ms\" per figure, and the memory of those that have one.\n");
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
        std::vector<double> times, memories;
        for (int i = 0; i < runs; ++i) {
            times.push_back(figure.measure(context));
            memories.push_back(context.memoryMb);
        }
        std::printf("%s %.2f\n", figure.name, median(times));
        if (figure.memoryName) std::printf("%s %.1f\n", figure.memoryName, median(memories));
        std::fflush(stdout);
    }
    return 0;
}

double residentMb()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (status.open(QIODevice::ReadOnly))
        for (const QByteArray& line : status.readAll().split('\n'))
            if (line.startsWith("VmRSS:")) return line.mid(6).trimmed().split(' ').first().toDouble() / 1024;
    return -1;
}
