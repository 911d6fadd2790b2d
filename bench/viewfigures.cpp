#include "bench/bench.h"

#include <QApplication>
#include <QElapsedTimer>

// Hiding and then showing the sensitive column, each drawn by the six views.
double maskToggleFigure(BenchContext& context)
{
    context.views();
    context.store.showPasswords(true);
    QApplication::processEvents();

    const int before = context.viewPaints();
    QElapsedTimer timer;
    timer.start();
    context.store.showPasswords(false);
    QApplication::processEvents();
    const int hidePaints = context.viewPaints() - before;
    context.store.showPasswords(true);
    QApplication::processEvents();
    const double ms = double(timer.nsecsElapsed()) / 1e6;
    // Each view must have been drawn after each change, not only scheduled for drawing.
    const int paints = context.viewPaints() - before;
    if (hidePaints < kCategoryCount || paints < 2 * kCategoryCount)
        qFatal("mask_toggle: the views were not repainted (%d, %d paints)", hidePaints, paints);
    return ms;
}
