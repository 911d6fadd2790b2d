#include "store/csvtransfer.h"

#include "store/categories.h"
#include "store/cp1252.h"
#include "store/csv.h"
#include "store/databasefile.h"
#include "store/entrystore.h"

#include <QHash>
#include <array>

namespace {

struct LayoutInfo {
    CsvLayout layout;
    const char* name;
    const char* shownName;
    QStringList header;                          // as the program writes it
    QString group;                               // the column of the category; empty when the layout has none
    std::array<const char*, kFieldCount> fields; // the columns of fields 1 to 5
    QStringList optional;                        // header columns an import does without
};

const QVector<LayoutInfo>& layouts()
{
    static const QVector<LayoutInfo> table = {
        {CsvLayout::Keyvane,
         "keyvane",
         "Keyvane",
         {"Category", "Site Name", "User Name", "Password", "Site URL", "Notes"},
         "Category",
         {"Site Name", "User Name", "Password", "Site URL", "Notes"},
         {}},
        {CsvLayout::KeePassXC,
         "keepassxc",
         "KeePassXC",
         {"Group", "Title", "Username", "Password", "URL", "Notes", "TOTP", "Icon", "Last Modified",
          "Created"},
         "Group",
         {"Title", "Username", "Password", "URL", "Notes"},
         {"TOTP", "Icon", "Last Modified", "Created"}},
        {CsvLayout::Bitwarden,
         "bitwarden",
         "Bitwarden",
         {"folder", "favorite", "type", "name", "notes", "fields", "reprompt", "login_uri", "login_username",
          "login_password", "login_totp"},
         "folder",
         {"name", "login_username", "login_password", "login_uri", "notes"},
         {"favorite", "type", "fields", "reprompt", "login_totp"}},
        {CsvLayout::Chrome,
         "chrome",
         "Chrome",
         {"name", "url", "username", "password", "note"},
         {},
         {"name", "username", "password", "url", "note"},
         {"note"}},
    };
    return table;
}

const LayoutInfo& info(CsvLayout layout)
{
    return layouts().at(int(layout));
}

// The values of the layout's extra columns in an export.
QString extraValue(CsvLayout layout, const QString& column)
{
    if (layout == CsvLayout::Bitwarden && column == QLatin1String("type")) return QStringLiteral("login");
    if (layout == CsvLayout::Bitwarden && column == QLatin1String("reprompt")) return QStringLiteral("0");
    return {};
}

// A tab caption (one of captions), or for a group path such as "Root/Web Pages" its last part, names the
// category; so does its number.
int categoryOf(QStringView group, const QStringList& captions, int fallback)
{
    const QStringView last = group.mid(group.lastIndexOf(u'/') + 1).trimmed();
    for (int c = 0; c < kCategoryCount; ++c)
        if (last.compare(captions.at(c), Qt::CaseInsensitive) == 0 ||
            (last.size() == 1 && last.at(0) == QChar(u'0' + c)))
            return c;
    return fallback;
}

QString missingColumns(const LayoutInfo& layout, const QHash<QString, int>& columns)
{
    QStringList missing;
    for (const QString& name : layout.header)
        if (!layout.optional.contains(name) && !columns.contains(name.toLower())) missing << name;
    return missing.join(QStringLiteral(", "));
}

} // namespace

QStringList csvLayoutNames()
{
    QStringList names;
    for (const LayoutInfo& l : layouts())
        names << QLatin1String(l.name);
    return names;
}

std::optional<CsvLayout> csvLayoutNamed(const QString& name)
{
    for (const LayoutInfo& l : layouts())
        if (name.compare(QLatin1String(l.name), Qt::CaseInsensitive) == 0) return l.layout;
    return std::nullopt;
}

QString csvLayoutName(CsvLayout layout)
{
    return QLatin1String(info(layout).name);
}

QStringList csvHeader(CsvLayout layout)
{
    return info(layout).header;
}

QByteArray exportCsv(const EntryStore& store, CsvLayout layout)
{
    const LayoutInfo& l = info(layout);
    // What each column holds, found once for all the rows: the category (-1), a field (1-5), or a constant.
    QVector<int> fieldOf;
    QStringList row;
    for (const QString& column : l.header) {
        const auto field = std::find(l.fields.cbegin(), l.fields.cend(), column);
        fieldOf << (column == l.group          ? -1
                    : field != l.fields.cend() ? int(field - l.fields.cbegin()) + 1
                                               : 0);
        row << extraValue(layout, column);
    }
    QString text = Csv::formatRecord(l.header);
    for (int c = 0; c < kCategoryCount; ++c) {
        for (const Entry& e : store.list(c).entries()) {
            for (int i = 0; i < row.size(); ++i)
                if (fieldOf[i] != 0) row[i] = fieldOf[i] < 0 ? tabCaption(c) : e.field(fieldOf[i]).toString();
            text += Csv::formatRecord(row);
        }
    }
    return text.toUtf8();
}

CsvImport readCsvImport(const QByteArray& bytes, const CsvImportOptions& options)
{
    CsvImport result;
    const QString text = Csv::decodeUtf8(bytes, &result.error);
    if (!result.error.isEmpty()) return result;
    Csv::Table table = Csv::parse(text, Csv::detectSeparator(text));
    if (!table.error.isEmpty()) {
        result.error = table.error;
        return result;
    }
    if (table.records.isEmpty()) {
        result.error = QStringLiteral("The file is empty: it has no header row.");
        return result;
    }

    QHash<QString, int> columns; // by lower-case name
    const QStringList& header = table.records.first().fields;
    for (int i = 0; i < header.size(); ++i)
        columns.insert(header.at(i).trimmed().toLower(), i);
    const LayoutInfo* layout = nullptr;
    if (options.layout) {
        layout = &info(*options.layout);
        const QString missing = missingColumns(*layout, columns);
        if (!missing.isEmpty()) {
            result.error = QStringLiteral("The header row is not that of the %1 layout: it has no %2.")
                               .arg(QLatin1String(layout->name), missing);
            return result;
        }
    } else {
        for (const LayoutInfo& l : layouts())
            if (missingColumns(l, columns).isEmpty()) {
                layout = &l;
                break;
            }
        if (!layout) {
            result.error = QStringLiteral("The header row is not one of a known layout (%1).")
                               .arg(csvLayoutNames().join(QStringLiteral(", ")));
            return result;
        }
    }
    result.layout = layout->layout;

    const int groupColumn = layout->group.isEmpty() ? -1 : columns.value(layout->group.toLower());
    std::array<int, kFieldCount> fieldColumn{};
    std::array<QString, kFieldCount> columnName; // as the problems name it
    QStringList captions;
    for (int c = 0; c < kCategoryCount; ++c)
        captions << tabCaption(c);
    QStringList mapping;
    mapping << (groupColumn < 0 ? QStringLiteral("every entry to %1").arg(tabCaption(options.defaultCategory))
                                : QStringLiteral("%1 to the category").arg(header.at(groupColumn).trimmed()));
    for (int f = 0; f < kFieldCount; ++f) {
        fieldColumn[f] = columns.value(QString::fromLatin1(layout->fields[f]).toLower(), -1);
        if (fieldColumn[f] >= 0) {
            columnName[f] = header.at(fieldColumn[f]).trimmed();
            mapping << QStringLiteral("%1 to field %2").arg(columnName[f]).arg(f + 1);
        }
    }
    result.mapping = QStringLiteral("%1 layout: %2.")
                         .arg(QLatin1String(layout->shownName), mapping.join(QStringLiteral(", ")));

    const int rows = int(table.records.size()) - 1;
    result.entries.reserve(rows);
    result.categories.reserve(rows);
    result.lines.reserve(rows);
    for (int r = 1; r < table.records.size(); ++r) {
        const Csv::Record& record = table.records.at(r);
        const auto cell = [&record](int column) {
            return column >= 0 && column < record.fields.size() ? record.fields.at(column) : QString();
        };
        // The row's fields, made into one entry only once they are known: each setField would copy it anew.
        std::array<QString, kFieldCount> values;
        QStringList rowProblems;
        for (int f = 0; f < kFieldCount; ++f) {
            QString& value = values[f];
            value = trimSpaces(cell(fieldColumn[f]));
            const QString& column = columnName[f];
            if (value.size() > DatabaseLayout::kFieldSize) {
                ++result.longFields;
                if (options.cutLongFields)
                    value = trimSpaces(value.left(DatabaseLayout::kFieldSize));
                else
                    rowProblems << QStringLiteral("%1 has %2 characters; an entry keeps %3")
                                       .arg(column)
                                       .arg(value.size())
                                       .arg(DatabaseLayout::kFieldSize);
            }
            if (!Cp1252::unkeptCharacters(value).isEmpty())
                rowProblems << QStringLiteral("%1 holds characters the database cannot store").arg(column);
        }
        const QString sealed = sensitiveFieldProblem(values[2], QStringLiteral("password"));
        if (!sealed.isEmpty()) rowProblems << sealed.chopped(1);
        if (!rowProblems.isEmpty()) {
            result.problems << QStringLiteral("Line %1: %2.")
                                   .arg(record.line)
                                   .arg(rowProblems.join(QStringLiteral("; ")));
            continue;
        }
        result.categories << (groupColumn < 0
                                  ? options.defaultCategory
                                  : categoryOf(cell(groupColumn), captions, options.defaultCategory));
        result.entries << Entry(values[0], values[1], values[2], values[3], values[4]);
        result.lines << record.line;
    }
    if (rows > options.room)
        result.problems << QStringLiteral("The file holds %1 entries, but the store has room for %2 more.")
                               .arg(rows)
                               .arg(options.room);
    return result;
}

int addImport(EntryStore& store, const CsvImport& import)
{
    if (!import.ok()) return 0;
    for (int i = 0; i < import.entries.size(); ++i)
        store.addEntry(import.entries.at(i), import.categories.at(i));
    return int(import.entries.size());
}
