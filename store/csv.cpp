#include "store/csv.h"

#include <QStringDecoder>
#include <array>

namespace Csv {

QString decodeUtf8(const QByteArray& bytes, QString* error)
{
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = decoder.decode(bytes.startsWith("\xEF\xBB\xBF") ? bytes.mid(3) : bytes);
    if (decoder.hasError()) {
        if (error) *error = QStringLiteral("The file is not UTF-8 text.");
        return {};
    }
    return text;
}

QChar detectSeparator(QStringView text)
{
    const std::array<QChar, 3> candidates = {QLatin1Char(','), QLatin1Char(';'), QLatin1Char('\t')};
    std::array<int, 3> counts{};
    bool quoted = false;
    for (const QChar c : text) {
        if (c == QLatin1Char('"')) quoted = !quoted;
        if (!quoted && (c == QLatin1Char('\n') || c == QLatin1Char('\r'))) break;
        for (size_t i = 0; i < candidates.size(); ++i)
            counts[i] += !quoted && c == candidates[i];
    }
    size_t best = 0;
    for (size_t i = 1; i < candidates.size(); ++i)
        if (counts[i] > counts[best]) best = i;
    return candidates[best];
}

Table parse(QStringView text, QChar separator)
{
    Table table;
    Record record;
    QString field;
    int line = 1;
    bool quoted = false;      // inside a quoted field
    bool fieldQuoted = false; // the field began with a quote
    bool recordStarted = false;
    int quoteLine = 0;

    const auto endField = [&] {
        record.fields << field;
        field.clear();
        fieldQuoted = false;
    };
    const auto endRecord = [&] {
        endField();
        // A line with nothing on it is no record.
        if (!(record.fields.size() == 1 && record.fields.first().isEmpty() && !recordStarted))
            table.records << record;
        record = Record{};
        recordStarted = false;
    };

    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (!recordStarted && record.fields.isEmpty() && field.isEmpty() && !fieldQuoted) record.line = line;
        if (quoted) {
            if (c == QLatin1Char('"')) {
                if (i + 1 < text.size() && text[i + 1] == QLatin1Char('"')) {
                    field += c;
                    ++i;
                } else {
                    quoted = false;
                }
            } else {
                if (c == QLatin1Char('\n')) ++line;
                field += c;
            }
            continue;
        }
        if (c == QLatin1Char('"') && field.isEmpty() && !fieldQuoted) {
            quoted = fieldQuoted = recordStarted = true;
            quoteLine = line;
        } else if (c == separator) {
            recordStarted = true;
            endField();
        } else if (c == QLatin1Char('\r') || c == QLatin1Char('\n')) {
            if (c == QLatin1Char('\r') && i + 1 < text.size() && text[i + 1] == QLatin1Char('\n')) ++i;
            endRecord();
            ++line;
        } else {
            // Text after a closing quote is kept as it stands, as most readers do.
            recordStarted = true;
            field += c;
        }
    }
    if (quoted) {
        table.error = QStringLiteral("Line %1: a quoted field is never closed.").arg(quoteLine);
        return table;
    }
    if (recordStarted || !field.isEmpty() || !record.fields.isEmpty()) endRecord();
    return table;
}

QString formatRecord(const QStringList& fields, QChar separator)
{
    QString out;
    for (qsizetype i = 0; i < fields.size(); ++i) {
        if (i) out += separator;
        const QString& f = fields.at(i);
        const bool quote = f.contains(separator) || f.contains(QLatin1Char('"')) ||
                           f.contains(QLatin1Char('\n')) || f.contains(QLatin1Char('\r')) ||
                           f.startsWith(QLatin1Char(' ')) || f.endsWith(QLatin1Char(' '));
        if (quote) {
            out += QLatin1Char('"');
            out += QString(f).replace(QLatin1String("\""), QLatin1String("\"\""));
            out += QLatin1Char('"');
        } else {
            out += f;
        }
    }
    out += QLatin1String("\r\n");
    return out;
}

} // namespace Csv
