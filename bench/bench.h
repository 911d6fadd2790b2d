#pragma once

#include "store/categories.h"
#include "store/entry.h"
#include "store/entrystore.h"

#include <QTemporaryDir>
#include <QVector>
#include <QWidget>
#include <array>
#include <memory>

class QTableView;

// What every figure may use, made once per benchmark run: a temporary folder holding a full database
// file, and a store loaded from it. Nothing here is a real secret, and nothing of it is printed.
struct BenchContext {
    BenchContext();
    ~BenchContext();

    QString file(const QString& name) const { return folder.filePath(name); }
    // A data folder holding the full database under the shared file name, as KEYVANE_HOME for the app.
    QString appHome();
    // Six table views over the store's lists, shown as the main window shows them; made on first use.
    const std::array<QTableView*, kCategoryCount>& views();
    // How many paint events the views' viewports have had so far.
    int viewPaints() const;

    QTemporaryDir folder;
    QString databasePath;                // the full database, as the app would find it
    EntryStore store;                    // loaded from databasePath
    double memoryMb = -1;                // what the last run of a figure with a memory figure measured
    std::unique_ptr<QWidget> mainWindow; // a figure's own main window, kept for its further runs

private:
    std::unique_ptr<QWidget> m_window;
    std::array<QTableView*, kCategoryCount> m_views{};
    class PaintCounter* m_paintCounter = nullptr;
};

// A store of exactly `count` entries in all categories, from a fixed seed, with realistic field lengths
// and some characters above 127.
EntryLists sampleLists(int count);

// One figure: the time of one run in milliseconds. The table in main.cpp runs each several times and
// prints the median. A figure that needs its own preparation does it before it starts its clock. A figure
// with a memory name also leaves its memory in megabytes in BenchContext::memoryMb, printed as a median too.
struct Figure {
    const char* name;
    double (*measure)(BenchContext& context);
    const char* memoryName = nullptr;
};

// The resident memory of this process now, in megabytes.
double residentMb();

double loadFigure(BenchContext& context);
double saveFigure(BenchContext& context);
double saveSyncFigure(BenchContext& context);
double unlockFigure(BenchContext& context);
double loadSealedFigure(BenchContext& context);
double saveSealedSyncFigure(BenchContext& context);
double maskToggleFigure(BenchContext& context);
double reportHtmlFigure(BenchContext& context);
double reportTextFigure(BenchContext& context);
double startupFigure(BenchContext& context);
double previewHtmlFigure(BenchContext& context);
double cliListFigure(BenchContext& context);
double cliReportHtmlFigure(BenchContext& context);
double cliReportTextFigure(BenchContext& context);
double appStartFigure(BenchContext& context);
double filterFigure(BenchContext& context);
double healthFigure(BenchContext& context);
double importCsvFigure(BenchContext& context);
