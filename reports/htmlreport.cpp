#include "reports/htmlreport.h"

#include "store/entrystore.h"

namespace Reports {

namespace {

const QLatin1String kCrLf("\r\n");
const QLatin1String kHeaderCellSeparator("</td><td width=20% bgcolor=#C0C0C0>");
const QLatin1String kCellOpen("<td width=20%>");
const QLatin1String kCellClose("</td>");
const QString kHtmlMask = QStringLiteral("******");

struct Swatch {
    const char* name;
    const char* html;
};
constexpr Swatch kSwatches[kTitleColorCount] = {{"white", "#FFFFFF"},
                                                {"blue", "#0000FF"},
                                                {"green", "#00FF00"},
                                                {"red", "#FF0000"},
                                                {"black", "#000000"}};

void appendCell(QString& buffer, const QString& text)
{
    buffer += kCellOpen;
    buffer += text;
    buffer += kCellClose;
    buffer += kCrLf;
}

// Room for one category, so that appending never reallocates on the way (a report can hold 32,767 rows).
qsizetype estimatedSize(const QVector<Entry>& entries, const QStringList& headers, const QString& color)
{
    qsizetype size = 256 + color.size();
    for (const QString& header : headers)
        size += header.size() + kHeaderCellSeparator.size();
    for (const Entry& e : entries)
        size += 160 + e.site.size() + e.user.size() + e.pass.size() + 2 * e.url.size() + e.notes.size();
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

    buffer += QLatin1String("<br><h2><font color=");
    buffer += titleColor;
    buffer += QLatin1String("><b>");
    buffer += tabCaption(whatLV);
    buffer += QLatin1String("</b></h2></font>");

    buffer += QLatin1String("<table border=1 width=100%><tr><td width=20% bgcolor=#C0C0C0>");
    buffer += headers.value(0);
    for (int k = 1; k < kFieldCount; ++k) {
        buffer += kHeaderCellSeparator;
        buffer += headers.value(k);
    }
    buffer += QLatin1String("</td></tr>");
    buffer += kCrLf;

    // Web pages, serial numbers and applications hold an address or a file in field 4: a link to itself.
    const bool linkColumn = whatLV <= Applications;
    for (const Entry& e : entries) {
        buffer += QLatin1String("<tr>");
        buffer += kCrLf;
        appendCell(buffer, e.site);
        appendCell(buffer, e.user);
        appendCell(buffer, hideSensitive ? kHtmlMask : e.pass);
        if (linkColumn) {
            buffer += QLatin1String("<td width=20%><a href=");
            buffer += e.url;
            buffer += QLatin1Char('>');
            buffer += e.url;
            buffer += QLatin1String("</a></td>");
            buffer += kCrLf;
        } else {
            appendCell(buffer, e.url);
        }
        appendCell(buffer, e.notes);
        buffer += QLatin1String("</tr>");
        buffer += kCrLf;
    }
    buffer += QLatin1String("</table>");
    buffer += kCrLf;
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
