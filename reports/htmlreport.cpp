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

// Text as HTML reads it back: the four characters markup would take for its own are written as entities,
// everything else as it is, in runs.
void appendEscaped(QString& buffer, const QString& text)
{
    qsizetype start = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        QLatin1String entity;
        switch (text.at(i).unicode()) {
        case u'&':
            entity = QLatin1String("&amp;");
            break;
        case u'<':
            entity = QLatin1String("&lt;");
            break;
        case u'>':
            entity = QLatin1String("&gt;");
            break;
        case u'"':
            entity = QLatin1String("&quot;");
            break;
        default:
            continue;
        }
        buffer += QStringView(text).mid(start, i - start);
        buffer += entity;
        start = i + 1;
    }
    buffer += QStringView(text).mid(start);
}

void appendCell(QString& buffer, const QString& text)
{
    buffer += kCellOpen;
    appendEscaped(buffer, text);
    buffer += kCellClose;
    buffer += kCrLf;
}

// A link target stays bare, as reports have always written it, where a browser reads a bare value whole:
// no blank, no quote, '=', '<', '>', '`' or '&', and no closing '/', which would end the tag. Any other
// is quoted.
bool bareTarget(const QString& target)
{
    if (target.endsWith(u'/')) return false;
    for (const QChar c : target)
        if (c.isSpace() || QStringView(u"\"'=<>`&").contains(c)) return false;
    return true;
}

void appendLink(QString& buffer, const QString& target)
{
    buffer += QLatin1String("<td width=20%><a href=");
    if (bareTarget(target)) {
        buffer += target;
    } else {
        buffer += u'"';
        appendEscaped(buffer, target);
        buffer += u'"';
    }
    buffer += QLatin1Char('>');
    appendEscaped(buffer, target);
    buffer += QLatin1String("</a></td>");
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
        if (linkColumn)
            appendLink(buffer, e.url);
        else
            appendCell(buffer, e.url);
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
