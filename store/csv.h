#pragma once

#include <QByteArray>
#include <QChar>
#include <QString>
#include <QStringList>
#include <QVector>

// Comma-separated values as RFC 4180 has them: fields in double quotes may hold the separator, line
// breaks and doubled quotes; records end in CR LF or LF.
namespace Csv {

struct Record {
    QStringList fields;
    int line = 0; // the line of the file the record begins on, 1 for the first
};

struct Table {
    QVector<Record> records; // blank lines left out
    QString error;           // a sentence naming the line, when the text is not well-formed
};

// Text from UTF-8 bytes, with or without a byte order mark; error says so when the bytes are not UTF-8.
QString decodeUtf8(const QByteArray& bytes, QString* error);

// The separator of the header line: the most frequent of comma, semicolon and TAB outside quotes (comma
// when none is there).
QChar detectSeparator(QStringView text);

Table parse(QStringView text, QChar separator);

// One record, fields quoted only where they must be, ended by CR LF.
QString formatRecord(const QStringList& fields, QChar separator = QLatin1Char(','));

} // namespace Csv
