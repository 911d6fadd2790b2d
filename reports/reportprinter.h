#pragma once

#include "reports/textreport.h"

#include <QString>
#include <QVector>

class QPrinter;

namespace Reports {

// The name the print job carries.
inline const QString kPrintJobName = QStringLiteral("Keyvane");

// Lays the printed document out on the printer's pages in a fixed-pitch font, TABs expanded to every
// eighth column, and ends the job. A line too wide for the page wraps onto the next row; a page break
// never falls inside a line. False (and error) when the printer could not be started or finished.
bool printDocument(QPrinter& printer, const QVector<PrintedLine>& lines, QString* error = nullptr);

// A line with its TABs replaced by spaces up to the next multiple of eight columns.
QString expandTabs(const QString& text);

} // namespace Reports
