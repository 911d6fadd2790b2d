#include "store/cp1252.h"

#include <array>

namespace {

// Unicode code points of bytes 0x80..0x9F; the rest of the code page equals Latin-1.
constexpr std::array<char16_t, 32> kHighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

char byteFor(char16_t unit)
{
    if (unit < 0x80 || (unit >= 0xA0 && unit <= 0xFF)) return char(unit);
    for (size_t i = 0; i < kHighControls.size(); ++i)
        if (kHighControls[i] == unit) return char(0x80 + i);
    return '?';
}

} // namespace

namespace Cp1252 {

qsizetype fromUnicode(QStringView text, char* out)
{
    qsizetype n = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t unit = text.at(i).unicode();
        // A surrogate pair is one character outside the code page: one '?'.
        if (QChar::isHighSurrogate(unit) && i + 1 < text.size() && text.at(i + 1).isLowSurrogate()) ++i;
        out[n++] = byteFor(unit);
    }
    return n;
}

QByteArray fromUnicode(const QString& text)
{
    QByteArray bytes(text.size(), Qt::Uninitialized);
    bytes.truncate(fromUnicode(QStringView(text), bytes.data()));
    return bytes;
}

QString toUnicode(const char* bytes, qsizetype size)
{
    QString text(size, Qt::Uninitialized);
    if (size <= 0) return text; // empty, and no allocation: many fields are empty
    QChar* out = text.data();
    for (qsizetype i = 0; i < size; ++i) {
        const auto byte = static_cast<unsigned char>(bytes[i]);
        out[i] = (byte >= 0x80 && byte < 0xA0) ? QChar(kHighControls[byte - 0x80]) : QChar(char16_t(byte));
    }
    return text;
}

QString toUnicode(const QByteArray& bytes)
{
    return toUnicode(bytes.constData(), bytes.size());
}

} // namespace Cp1252
