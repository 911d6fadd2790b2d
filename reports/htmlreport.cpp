#include "reports/htmlreport.h"

#include "reports/reportlayout.h"
#include "store/entrystore.h"

namespace Reports {

namespace {

struct Swatch {
    const char* name;
    const char* html;
};
constexpr Swatch kSwatches[kTitleColorCount] = {{"white", "#FFFFFF"},
                                                {"blue", "#0000FF"},
                                                {"green", "#00FF00"},
                                                {"red", "#FF0000"},
                                                {"black", "#000000"}};

// Room for one category, so that appending never reallocates on the way (a report can hold 32,767 rows).
qsizetype estimatedSize(const QVector<Entry>& entries, const QStringList& headers, const QString& color)
{
    qsizetype size = 256 + color.size();
    for (const QString& header : headers)
        size += header.size() + Layout::kHeaderCellSeparator.size();
    for (const Entry& e : entries)
        size +=
            160 + e.site().size() + e.user().size() + e.pass().size() + 2 * e.url().size() + e.notes().size();
    return size;
}

} // namespace

QString titleColorName(int index)
{
    return index >= 0 && index < kTitleColorCount ? QString::fromLatin1(kSwatches[index].name) : QString();
}

QString titleColor(int index)
{
    if (index < 0 || index >= kTitleColorCount) return QStringLiteral("#000000");
    return QString::fromLatin1(kSwatches[index].html);
}

int titleColorIndex(const QString& name)
{
    for (int i = 0; i < kTitleColorCount; ++i)
        if (name.compare(QLatin1String(kSwatches[i].name), Qt::CaseInsensitive) == 0) return i;
    return -1;
}

void GenerateHTML(QString& buffer, const EntryStore& store, int whatLV, bool hideSensitive,
                  const QString& titleColor)
{
    if (!isCategory(whatLV)) return;
    const QVector<Entry>& entries = store.list(whatLV).entries();
    const QStringList headers = columnCaptions(whatLV);
    buffer.reserve(buffer.size() + estimatedSize(entries, headers, titleColor));
    StringOut out{buffer};
    HtmlLayout<StringOut> layout(out, hideSensitive, titleColor);
    layOutEntries(layout, whatLV, entries);
}

QString htmlReport(const EntryStore& store, const ReportOptions& options)
{
    QString buffer;
    qsizetype size = 0;
    for (int c = 0; c < kCategoryCount; ++c)
        if (options.categories[c])
            size += estimatedSize(store.list(c).entries(), columnCaptions(c), options.titleColor);
    buffer.reserve(size);
    for (int c = 0; c < kCategoryCount; ++c)
        if (options.categories[c]) GenerateHTML(buffer, store, c, options.hideSensitive, options.titleColor);
    return buffer;
}

} // namespace Reports
