#pragma once

#include "store/categories.h"

#include <QString>
#include <array>

namespace Reports {

// What the user chose in the reports dialog (or on the command line) for one report.
struct ReportOptions {
    std::array<bool, kCategoryCount> categories{};  // ticked categories; reports take them in order 0 to 5
    bool hideSensitive = false;                     // mask field 3
    QString titleColor = QStringLiteral("#000000"); // heading colour of the HTML report
    bool boldTitles = false;                        // section titles in bold on paper
};

// The captions of the dialog's category check boxes, which are also the text report's section titles.
QString reportCategoryCaption(int category);

} // namespace Reports
