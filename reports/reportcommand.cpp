#include "reports/reportcommand.h"

#include "reports/htmlreport.h"
#include "reports/reportfile.h"
#include "reports/textreport.h"
#include "store/atomicfile.h"
#include "store/entrystore.h"

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

} // namespace

bool writeRequestedReport(const EntryStore& store, const ReportRequest& request, QIODevice& out,
                          QString* error)
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
        // The dialog offers only categories that hold entries; a report of an empty one is refused alike.
        if (store.list(*category).count() == 0)
            return refuse(error, QStringLiteral("category \"%1\" has no entries").arg(tabCaption(*category)));
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

    const auto build = [&](QString& buffer, int category) {
        if (request.html)
            GenerateHTML(buffer, store, category, options.hideSensitive, options.titleColor);
        else
            SaveTXT(buffer, store, category, options.hideSensitive);
    };
    if (!request.outputFile.isEmpty()) {
        QByteArray bytes;
        writeReportPieces(options, build, [&bytes](QByteArrayView piece) {
            bytes.append(piece);
            return true;
        });
        QString problem;
        if (!writeFileAtomically(request.outputFile, bytes, kOwnerOnly, &problem))
            return refuse(error, QStringLiteral("cannot write \"%1\": %2").arg(request.outputFile, problem));
        return true;
    }
    if (!writeReportPieces(options, build, [&out](QByteArrayView piece) {
            return out.write(piece.data(), piece.size()) == piece.size();
        }))
        return refuse(error, QStringLiteral("cannot write the report: ") + out.errorString());
    return true;
}

} // namespace Reports
