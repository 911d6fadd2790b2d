#pragma once

#include "reports/reportoptions.h"

#include <QString>

class EntryStore;

namespace Reports {

// The five title colours in the order of the colour picker's swatches.
inline constexpr int kTitleColorCount = 5;
// The swatch names "white", "blue", "green", "red", "black" (index 0 to 4).
QString titleColorName(int index);
// "#FFFFFF", "#0000FF", "#00FF00", "#FF0000", "#000000" for indices 0 to 4; black for any other index,
// which is what "nothing chosen" (index -1) gives.
QString titleColor(int index);
// The index of a swatch name (case-insensitive), or -1.
int titleColorIndex(const QString& name);

// Appends one category's heading and table to buffer. Nothing read from the store is escaped: markup in
// an entry reaches the page as it is. Field 3 is taken in clear, or as six asterisks when hideSensitive.
void GenerateHTML(QString& buffer, const EntryStore& store, int whatLV, bool hideSensitive,
                  const QString& titleColor);

// The whole HTML report buffer: GenerateHTML for each selected category, in category order.
QString htmlReport(const EntryStore& store, const ReportOptions& options);

} // namespace Reports
