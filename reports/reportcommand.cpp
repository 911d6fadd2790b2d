#include "reports/reportcommand.h"

#include "reports/htmlreport.h"
#include "reports/reportlayout.h"
#include "store/atomicfile.h"
#include "store/databasefile.h"
#include "store/piecewriter.h"

#include <QIODevice>

namespace Reports {

namespace {

std::optional<int> categoryNamed(const QString& name)
{
    bool isNumber = false;
    const int number = name.toInt(&isNumber);
    if (isNumber) return isCategory(number) ? std::optional<int>(number) : std::nullopt;
    for (int c = 0; c < kCategoryCount; ++c) {
        for (const QString& known : {categoryKeyword(c), tabCaption(c), reportCategoryCaption(c)})
            if (name.compare(known, Qt::CaseInsensitive) == 0) return c;
    }
    return std::nullopt;
}

bool refuse(QString* error, const QString& message)
{
    *error = message;
    return false;
}

// A report's Out: Windows-1252 bytes laid straight into the writer's buffer.
struct ByteOut {
    PieceWriter& writer;
    void add(QLatin1String text) { writer.add(QByteArrayView(text.data(), text.size())); }
    void add(QByteArrayView bytes) { writer.add(bytes); }
    void add(QStringView text)
    {
        char* out = writer.room(text.size());
        writer.took(out + Cp1252::fromUnicode(text, out));
    }
};

// The selected categories' records laid out as the file is read, one category after the other.
template <typename Layout>
DatabaseContents layOutRecords(Layout& layout, DatabaseFile& database, const ReportOptions& options,
                               const std::function<bool(const DatabaseFile::CategoryCounts&)>& begin)
{
    int open = -1; // the category laid out last
    const DatabaseContents read = database.scan(
        [&](int category, const DatabaseFile::RecordFields& fields) {
            if (!options.categories[category]) return;
            if (category != open) {
                if (open >= 0) layout.end();
                layout.begin(category);
                open = category;
            }
            layout.row(fields);
        },
        begin);
    if (open >= 0) layout.end();
    return read;
}

} // namespace

bool writeRequestedReport(DatabaseFile& database, const ReportRequest& request, QIODevice& out,
                          DatabaseContents* read, QString* error)
{
    ReportOptions options;
    options.hideSensitive = request.mask;
    for (const QString& item : request.categories.split(QLatin1Char(','))) {
        const QString name = item.trimmed();
        if (name.isEmpty())
            return refuse(error, QStringLiteral("empty category in \"%1\"").arg(request.categories));
        const std::optional<int> category = categoryNamed(name);
        if (!category)
            return refuse(error,
                          QStringLiteral("unknown category \"%1\" (use 0-5 or a category name)").arg(name));
        options.categories[*category] = true;
    }

    if (request.color) {
        if (!request.html) return refuse(error, QStringLiteral("--color applies to the HTML report only"));
        const int index = titleColorIndex(*request.color);
        if (index < 0)
            return refuse(error, QStringLiteral("unknown colour \"%1\" (white, blue, green, red or black)")
                                     .arg(*request.color));
        options.titleColor = titleColor(index);
    }

    // The dialog offers only categories that hold entries; a report of an empty one is refused alike.
    QString refusal;
    const auto begin = [&](const DatabaseFile::CategoryCounts& counts) {
        for (int c = 0; c < kCategoryCount && refusal.isEmpty(); ++c)
            if (options.categories[c] && counts[c] == 0)
                refusal = QStringLiteral("category \"%1\" has no entries").arg(tabCaption(c));
        return refusal.isEmpty();
    };
    const bool toFile = !request.outputFile.isEmpty();
    QByteArray fileBytes;
    PieceWriter writer([&](QByteArrayView piece) {
        if (toFile) {
            fileBytes.append(piece);
            return true;
        }
        return out.write(piece.data(), piece.size()) == piece.size();
    });
    ByteOut bytes{writer};
    if (request.html) {
        HtmlLayout<ByteOut> layout(bytes, options.hideSensitive, options.titleColor);
        *read = layOutRecords(layout, database, options, begin);
    } else {
        TextLayout<ByteOut> layout(bytes, options.hideSensitive);
        *read = layOutRecords(layout, database, options, begin);
    }
    if (!refusal.isEmpty()) return refuse(error, read->readError.isEmpty() ? refusal : read->problems());
    bytes.add(Layout::kCrLf); // what every report file ends with
    if (!writer.flush())
        return refuse(error, QStringLiteral("cannot write the report: ") + out.errorString());

    QString problem;
    if (toFile && !writeFileAtomically(request.outputFile, fileBytes, kOwnerOnly, &problem))
        return refuse(error, QStringLiteral("cannot write \"%1\": %2").arg(request.outputFile, problem));
    return true;
}

} // namespace Reports
