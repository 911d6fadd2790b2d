#pragma once

#include "reports/reportoptions.h"

#include <QString>
#include <QVector>
#include <array>

class EntryStore;

namespace Reports {

inline constexpr int kLabelWidth = 25;
// The text report masks field 3 with five asterisks (the HTML report uses six).
inline const QString kTextMask = QStringLiteral("*****");

// Pads header with spaces to 25 characters, in place, and returns it; a longer label stays as it is.
QString FormatHeader(QString& header);

// The five labels of a category, each padded by FormatHeader.
std::array<QString, kFieldCount> paddedLabels(int category);

// Appends one category's section to buffer: an empty line, the title, an empty line, then per entry its
// five "label<TAB>value" lines and an empty line. Lines end with CR LF.
void SaveTXT(QString& buffer, const EntryStore& store, int whatLV, bool hideSensitive);

// The whole text report buffer: SaveTXT for each selected category, in category order.
QString textReport(const EntryStore& store, const ReportOptions& options);

// One line of the printed document; TABs are left for the page layout to expand.
struct PrintedLine {
    QString text;
    bool bold = false;
    bool operator==(const PrintedLine& other) const { return text == other.text && bold == other.bold; }
};

// The title line of the printed document.
QString printTitle();
// The rule of 54 asterisks under it.
QString printRule();

// The printed document line by line: the title block, then each selected category's section. Every
// print of a CR LF gives two empty lines, as a printed line end follows it.
QVector<PrintedLine> printedDocument(const EntryStore& store, const ReportOptions& options);

} // namespace Reports
