#include "bench.h"

#include <QApplication>
#include <algorithm>
#include <cstdio>
#include <sys/resource.h>

namespace {

// One line per figure; a new figure is one function (bench.h) and one line here.
const Figure kFigures[] = {
    {"load", loadFigure},
    {"save", saveFigure},
    {"save_sync", saveSyncFigure},
    {"mask_toggle", maskToggleFigure},
};

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

double peakRssMb()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_maxrss) / 1024.0; // kilobytes on Linux
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
                                 "Prints \"name median_ms\" per figure, then peak_rss_mb.\n");
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
    std::printf("peak_rss_mb %.1f\n", peakRssMb());
    return 0;
}
