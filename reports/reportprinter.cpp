#include "reports/reportprinter.h"

#include <QFontDatabase>
#include <QFontMetrics>
#include <QPainter>
#include <QPrinter>

namespace Reports {

namespace {

constexpr int kTabWidth = 8;
constexpr int kPointSize = 10;

} // namespace

QString expandTabs(const QString& text)
{
    if (!text.contains(QLatin1Char('\t'))) return text;
    QString out;
    out.reserve(text.size() + kTabWidth);
    for (const QChar c : text) {
        if (c == QLatin1Char('\t'))
            out += QString(kTabWidth - out.size() % kTabWidth, QLatin1Char(' '));
        else
            out += c;
    }
    return out;
}

bool printDocument(QPrinter& printer, const QVector<PrintedLine>& lines, QString* error)
{
    printer.setDocName(kPrintJobName);
    QPainter painter;
    if (!painter.begin(&printer)) {
        if (error) *error = QStringLiteral("The printer could not be started.");
        return false;
    }

    QFont normal = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    normal.setPointSize(kPointSize);
    normal.setStyleHint(QFont::TypeWriter);
    QFont bold = normal;
    bold.setBold(true);
    const QFontMetrics normalMetrics(normal, &printer);
    const QFontMetrics boldMetrics(bold, &printer);
    const int lineHeight = std::max(normalMetrics.lineSpacing(), boldMetrics.lineSpacing());
    const int ascent = std::max(normalMetrics.ascent(), boldMetrics.ascent());
    const int charWidth = std::max(normalMetrics.horizontalAdvance(QLatin1Char('M')),
                                   boldMetrics.horizontalAdvance(QLatin1Char('M')));

    // The painter's origin is the top left of the printable area.
    const QRectF area = printer.pageRect(QPrinter::DevicePixel);
    const int pageHeight = int(area.height());
    const int columns = std::max(1, int(area.width()) / std::max(1, charWidth));

    int y = 0;
    for (const PrintedLine& line : lines) {
        const QString text = expandTabs(line.text);
        const int rows = std::max<int>(1, int((text.size() + columns - 1) / columns));
        if (y > 0 && y + rows * lineHeight > pageHeight) {
            if (!printer.newPage()) {
                painter.end();
                if (error) *error = QStringLiteral("The printer did not accept another page.");
                return false;
            }
            y = 0;
        }
        painter.setFont(line.bold ? bold : normal);
        for (int row = 0; row < rows; ++row) {
            const QString part = text.mid(qsizetype(row) * columns, columns);
            if (!part.isEmpty()) painter.drawText(0, y + ascent, part);
            y += lineHeight;
        }
    }
    if (!painter.end()) {
        if (error) *error = QStringLiteral("The printout could not be finished.");
        return false;
    }
    return true;
}

} // namespace Reports
