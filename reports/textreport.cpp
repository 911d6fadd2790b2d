#include "reports/textreport.h"

#include "reports/reportlayout.h"
#include "store/entrystore.h"

namespace Reports {

namespace {

qsizetype estimatedSize(const QVector<Entry>& entries)
{
    qsizetype size = 64;
    for (const Entry& e : entries)
        size += 5 * (kLabelWidth + 8) + 2 + e.site().size() + e.user().size() + e.pass().size() +
                e.url().size() + e.notes().size();
    return size;
}

QStringView fieldValue(const Entry& e, int field, bool hideSensitive)
{
    return field == 3 && hideSensitive ? kTextMask : e.field(field);
}

} // namespace

std::array<QString, kFieldCount> paddedLabels(int category)
{
    // Padded once per category rather than once per entry.
    const QStringList captions = columnCaptions(category);
    std::array<QString, kFieldCount> labels;
    for (int k = 0; k < kFieldCount; ++k) {
        labels[k] = captions.value(k);
        FormatHeader(labels[k]);
    }
    return labels;
}

QString FormatHeader(QString& header)
{
    if (header.size() < kLabelWidth) header += QString(kLabelWidth - header.size(), QLatin1Char(' '));
    return header;
}

void SaveTXT(QString& buffer, const EntryStore& store, int whatLV, bool hideSensitive)
{
    if (!isCategory(whatLV)) return;
    const QVector<Entry>& entries = store.list(whatLV).entries();
    buffer.reserve(buffer.size() + estimatedSize(entries));
    StringOut out{buffer};
    TextLayout<StringOut> layout(out, hideSensitive);
    layOutEntries(layout, whatLV, entries);
}

QString textReport(const EntryStore& store, const ReportOptions& options)
{
    QString buffer;
    qsizetype size = 0;
    for (int c = 0; c < kCategoryCount; ++c)
        if (options.categories[c]) size += estimatedSize(store.list(c).entries());
    buffer.reserve(size);
    for (int c = 0; c < kCategoryCount; ++c)
        if (options.categories[c]) SaveTXT(buffer, store, c, options.hideSensitive);
    return buffer;
}

QString printTitle()
{
    return QStringLiteral("Keyvane version 1.0");
}

QString printRule()
{
    return QString(54, QLatin1Char('*'));
}

QVector<PrintedLine> printedDocument(const EntryStore& store, const ReportOptions& options)
{
    QVector<PrintedLine> lines;
    qsizetype count = 6;
    for (int c = 0; c < kCategoryCount; ++c)
        if (options.categories[c]) count += 5 + qsizetype(store.list(c).count()) * (kFieldCount + 2);
    lines.reserve(count);

    // A CR LF printed on its own advances two lines: its own line end and the one every print adds.
    const auto blankPrint = [&lines] {
        lines.append({QString(), false});
        lines.append({QString(), false});
    };

    blankPrint();
    lines.append({printTitle(), false});
    lines.append({printRule(), false});
    blankPrint();

    for (int c = 0; c < kCategoryCount; ++c) {
        if (!options.categories[c]) continue;
        const auto labels = paddedLabels(c);
        blankPrint();
        lines.append({reportCategoryCaption(c), options.boldTitles});
        blankPrint();
        for (const Entry& e : store.list(c).entries()) {
            for (int k = 1; k <= kFieldCount; ++k)
                lines.append(
                    {labels[k - 1] + QLatin1Char('\t') + fieldValue(e, k, options.hideSensitive).toString(),
                     false});
            blankPrint();
        }
    }
    return lines;
}

} // namespace Reports
