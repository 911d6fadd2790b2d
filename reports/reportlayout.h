#pragma once

#include "reports/textreport.h"
#include "store/categories.h"
#include "store/cp1252.h"
#include "store/entry.h"

#include <QString>
#include <array>

// The layout of both reports, written once for every output: the app lays entries out into a QString, the
// command line lays the file's records out straight into Windows-1252 bytes. An Out takes add(QLatin1String)
// for markup, add(QStringView) for captions, masks and the title colour, and add(View) for a field's value
// or a run of it, where View is what its rows hold: QStringView, or QByteArrayView in Windows-1252.
namespace Reports {

template <typename View> using ReportRow = std::array<View, kFieldCount>;

// The app's report buffer as an Out.
struct StringOut {
    QString& buffer;
    void add(QLatin1String text) { buffer += text; }
    void add(QStringView text) { buffer += text; }
};

namespace Layout {

inline const QLatin1String kCrLf("\r\n");
inline const QLatin1String kHeaderCellSeparator("</td><td width=20% bgcolor=#C0C0C0>");
inline const QLatin1String kCellOpen("<td width=20%>");
inline const QLatin1String kCellClose("</td>");
inline constexpr QStringView kHtmlMask = u"******";

// A field's code unit as it is held, and the character it stands for, whichever form the field comes in.
// The characters markup takes for its own are ASCII, the same in both.
inline char16_t unit(QChar c)
{
    return c.unicode();
}
inline char16_t unit(char byte)
{
    return static_cast<unsigned char>(byte);
}
inline QChar character(QChar c)
{
    return c;
}
inline QChar character(char byte)
{
    return Cp1252::character(byte);
}

// Text as HTML reads it back: the four characters markup would take for its own are written as entities,
// everything else as it is, in runs.
template <typename Out, typename View> void addEscaped(Out& out, View text)
{
    qsizetype start = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        QLatin1String entity;
        switch (unit(text[i])) {
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
        out.add(text.sliced(start, i - start));
        out.add(entity);
        start = i + 1;
    }
    out.add(text.sliced(start));
}

// A link target stays bare, as reports have always written it, where a browser reads a bare value whole:
// no blank, no quote, '=', '<', '>', '`' or '&', and no closing '/', which would end the tag. Any other
// is quoted.
template <typename View> bool bareTarget(View target)
{
    if (!target.isEmpty() && unit(target.back()) == u'/') return false;
    for (const auto c : target) {
        switch (unit(c)) {
        case u'"':
        case u'\'':
        case u'=':
        case u'<':
        case u'>':
        case u'`':
        case u'&':
            return false;
        default:
            if (character(c).isSpace()) return false;
        }
    }
    return true;
}

} // namespace Layout

// One category of the HTML report: begin() writes its heading and header row, row() an entry, end() closes
// the table. Every value read from the store is escaped, so markup in an entry shows as text.
template <typename Out> class HtmlLayout {
public:
    HtmlLayout(Out& out, bool hideSensitive, QStringView titleColor)
        : m_out(out), m_hideSensitive(hideSensitive), m_titleColor(titleColor)
    {
    }

    void begin(int category)
    {
        using namespace Layout;
        m_out.add(QLatin1String("<br><h2><font color="));
        m_out.add(m_titleColor);
        m_out.add(QLatin1String("><b>"));
        m_out.add(tabCaption(category));
        m_out.add(QLatin1String("</b></h2></font>"));
        m_out.add(QLatin1String("<table border=1 width=100%><tr><td width=20% bgcolor=#C0C0C0>"));
        const QStringList headers = columnCaptions(category);
        for (int k = 0; k < kFieldCount; ++k) {
            if (k > 0) m_out.add(kHeaderCellSeparator);
            m_out.add(headers.value(k));
        }
        m_out.add(QLatin1String("</td></tr>"));
        m_out.add(kCrLf);
        // Web pages, serial numbers and applications hold an address or a file in field 4: a link to itself.
        m_linkColumn = category <= Applications;
    }

    template <typename View> void row(const ReportRow<View>& fields)
    {
        using namespace Layout;
        m_out.add(QLatin1String("<tr>"));
        m_out.add(kCrLf);
        for (int k = 0; k < kFieldCount; ++k) {
            if (k == kSensitiveColumn && m_hideSensitive)
                cell(kHtmlMask);
            else if (k == 3 && m_linkColumn)
                link(fields[k]);
            else
                cell(fields[k]);
        }
        m_out.add(QLatin1String("</tr>"));
        m_out.add(kCrLf);
    }

    void end()
    {
        m_out.add(QLatin1String("</table>"));
        m_out.add(Layout::kCrLf);
    }

private:
    template <typename View> void cell(View text)
    {
        m_out.add(Layout::kCellOpen);
        Layout::addEscaped(m_out, text);
        m_out.add(Layout::kCellClose);
        m_out.add(Layout::kCrLf);
    }

    template <typename View> void link(View target)
    {
        using namespace Layout;
        m_out.add(QLatin1String("<td width=20%><a href="));
        if (bareTarget(target)) {
            m_out.add(target);
        } else {
            m_out.add(QLatin1String("\""));
            addEscaped(m_out, target);
            m_out.add(QLatin1String("\""));
        }
        m_out.add(QLatin1String(">"));
        addEscaped(m_out, target);
        m_out.add(QLatin1String("</a></td>"));
        m_out.add(kCrLf);
    }

    Out& m_out;
    bool m_hideSensitive;
    QStringView m_titleColor;
    bool m_linkColumn = false;
};

// One category of the text report: begin() writes an empty line, the title and an empty line, row() an
// entry's five "label<TAB>value" lines and an empty line. Lines end with CR LF.
template <typename Out> class TextLayout {
public:
    TextLayout(Out& out, bool hideSensitive) : m_out(out), m_hideSensitive(hideSensitive) {}

    void begin(int category)
    {
        m_out.add(Layout::kCrLf);
        m_out.add(reportCategoryCaption(category));
        m_out.add(Layout::kCrLf);
        m_out.add(Layout::kCrLf);
        m_labels = paddedLabels(category);
    }

    template <typename View> void row(const ReportRow<View>& fields)
    {
        for (int k = 0; k < kFieldCount; ++k) {
            m_out.add(m_labels[k]);
            m_out.add(QLatin1String("\t"));
            if (k == kSensitiveColumn && m_hideSensitive)
                m_out.add(kTextMask);
            else
                m_out.add(fields[k]);
            m_out.add(Layout::kCrLf);
        }
        m_out.add(Layout::kCrLf);
    }

    void end() {}

private:
    Out& m_out;
    bool m_hideSensitive;
    std::array<QString, kFieldCount> m_labels;
};

// One category of the store's entries, laid out whole.
template <typename Layout> void layOutEntries(Layout& layout, int category, const QVector<Entry>& entries)
{
    layout.begin(category);
    for (const Entry& e : entries)
        layout.row(ReportRow<QStringView>{e.site(), e.user(), e.pass(), e.url(), e.notes()});
    layout.end();
}

} // namespace Reports
