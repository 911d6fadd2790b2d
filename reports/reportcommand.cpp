#include "reports/reportcommand.h"

#include "reports/htmlreport.h"
#include "reports/reportfile.h"
#include "reports/textreport.h"
#include "store/entrystore.h"

#include <QIODevice>
#include <QTextStream>
#include <optional>

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

int fail(QTextStream& err, const QString& message)
{
    err << "keyvane-cli report: " << message << '\n';
    err.flush();
    return 1;
}

} // namespace

QString reportCommandUsage()
{
    return QStringLiteral("usage: keyvane-cli report (--html|--text) --categories LIST [--mask] "
                          "[--color white|blue|green|red|black] [-o FILE]");
}

int runReportCommand(const EntryStore& store, const QStringList& args, QIODevice& out, QTextStream& err)
{
    enum class Kind { None, Html, Text };
    Kind kind = Kind::None;
    std::optional<QString> categoryList;
    std::optional<QString> color;
    std::optional<QString> outputFile;
    bool mask = false;

    QStringList words = args;
    if (!words.isEmpty() && words.first() == QLatin1String("report")) words.removeFirst();

    for (int i = 0; i < words.size(); ++i) {
        const QString& word = words.at(i);
        const auto value = [&]() -> std::optional<QString> {
            if (i + 1 >= words.size()) return std::nullopt;
            return words.at(++i);
        };
        if (word == QLatin1String("--html") || word == QLatin1String("--text")) {
            const Kind wanted = word == QLatin1String("--html") ? Kind::Html : Kind::Text;
            if (kind != Kind::None && kind != wanted)
                return fail(err, QStringLiteral("choose one of --html and --text"));
            kind = wanted;
        } else if (word == QLatin1String("--mask")) {
            mask = true;
        } else if (word == QLatin1String("--categories") || word == QLatin1String("--color") ||
                   word == QLatin1String("-o")) {
            const std::optional<QString> v = value();
            if (!v) return fail(err, word + QStringLiteral(" needs a value"));
            if (word == QLatin1String("--categories"))
                categoryList = v;
            else if (word == QLatin1String("--color"))
                color = v;
            else
                outputFile = v;
        } else {
            return fail(err, QStringLiteral("unknown argument \"%1\"; %2").arg(word, reportCommandUsage()));
        }
    }

    if (kind == Kind::None)
        return fail(err, QStringLiteral("choose --html or --text; ") + reportCommandUsage());
    if (!categoryList) return fail(err, QStringLiteral("--categories is required; ") + reportCommandUsage());
    if (outputFile && outputFile->isEmpty()) return fail(err, QStringLiteral("-o needs a file name"));

    ReportOptions options;
    options.hideSensitive = mask;
    for (const QString& item : categoryList->split(QLatin1Char(','))) {
        const QString name = item.trimmed();
        if (name.isEmpty()) return fail(err, QStringLiteral("empty category in \"%1\"").arg(*categoryList));
        const std::optional<int> category = categoryNamed(name);
        if (!category)
            return fail(err,
                        QStringLiteral("unknown category \"%1\" (use 0-5 or a category name)").arg(name));
        // The dialog offers only categories that hold entries; a report of an empty one is refused alike.
        if (store.list(*category).count() == 0)
            return fail(err, QStringLiteral("category \"%1\" has no entries").arg(tabCaption(*category)));
        options.categories[*category] = true;
    }

    if (color) {
        if (kind != Kind::Html) return fail(err, QStringLiteral("--color applies to the HTML report only"));
        const int index = titleColorIndex(*color);
        if (index < 0)
            return fail(
                err, QStringLiteral("unknown colour \"%1\" (white, blue, green, red or black)").arg(*color));
        options.titleColor = titleColor(index);
    }

    const QString buffer = kind == Kind::Html ? htmlReport(store, options) : textReport(store, options);
    if (outputFile) {
        QString error;
        if (!writeReportFile(*outputFile, buffer, &error))
            return fail(err, QStringLiteral("cannot write \"%1\": %2").arg(*outputFile, error));
        return 0;
    }
    const QByteArray bytes = reportFileBytes(buffer);
    if (out.write(bytes) != bytes.size())
        return fail(err, QStringLiteral("cannot write the report: ") + out.errorString());
    return 0;
}

} // namespace Reports
