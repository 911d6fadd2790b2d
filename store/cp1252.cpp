#include "store/cp1252.h"

#include <array>
#include <cstring>

namespace {

// Unicode code points of bytes 0x80..0x9F; the rest of the code page equals Latin-1.
constexpr std::array<char16_t, 32> kHighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

// Every byte's character, for a conversion that costs one lookup per byte.
constexpr std::array<char16_t, 256> kToUnicode = [] {
    std::array<char16_t, 256> table{};
    for (int byte = 0; byte < 256; ++byte)
        table[byte] = byte >= 0x80 && byte < 0xA0 ? kHighControls[byte - 0x80] : char16_t(byte);
    return table;
}();

// The characters that are their own byte: most text is nothing else.
bool isOwnByte(char16_t unit)
{
    return unit < 0x80 || (unit >= 0xA0 && unit <= 0xFF);
}

char byteFor(char16_t unit)
{
    if (isOwnByte(unit)) return char(unit);
    for (size_t i = 0; i < kHighControls.size(); ++i)
        if (kHighControls[i] == unit) return char(0x80 + i);
    return '?';
}

} // namespace

namespace Cp1252 {

qsizetype fromUnicode(QStringView text, char* out)
{
    const char16_t* in = text.utf16();
    const qsizetype size = text.size();
    qsizetype n = 0;
    for (qsizetype i = 0; i < size; ++i) {
        // Eight ASCII characters at a time, the common case (markup, addresses, names).
        while (i + 8 <= size) {
            quint64 first, second;
            std::memcpy(&first, in + i, 8);
            std::memcpy(&second, in + i + 4, 8);
            if ((first | second) & 0xFF80FF80FF80FF80ULL) break;
            // Each 16-bit unit keeps its low byte.
            for (const quint64 units : {first, second}) {
                const auto bytes = quint32((units & 0xFF) | ((units >> 8) & 0xFF00) |
                                           ((units >> 16) & 0xFF0000) | ((units >> 24) & 0xFF000000));
                std::memcpy(out + n, &bytes, 4);
                n += 4;
            }
            i += 8;
        }
        if (i >= size) break;
        const char16_t unit = in[i];
        if (isOwnByte(unit)) {
            out[n++] = char(unit);
            continue;
        }
        // A surrogate pair is one character outside the code page: one '?'.
        if (QChar::isHighSurrogate(unit) && i + 1 < size && QChar::isLowSurrogate(in[i + 1])) ++i;
        out[n++] = byteFor(unit);
    }
    return n;
}

char16_t character(char byte)
{
    return kToUnicode[static_cast<unsigned char>(byte)];
}

QByteArray fromUnicode(const QString& text)
{
    QByteArray bytes(text.size(), Qt::Uninitialized);
    bytes.truncate(fromUnicode(QStringView(text), bytes.data()));
    return bytes;
}

char16_t* toUnicode(const char* bytes, qsizetype size, char16_t* out)
{
    for (qsizetype i = 0; i < size; ++i)
        out[i] = kToUnicode[static_cast<unsigned char>(bytes[i])];
    return out + size;
}

QString toUnicode(const char* bytes, qsizetype size)
{
    QString text(size, Qt::Uninitialized);
    if (size <= 0) return text; // empty, and no allocation: many fields are empty
    toUnicode(bytes, size, reinterpret_cast<char16_t*>(text.data()));
    return text;
}

QString toUnicode(const QByteArray& bytes)
{
    return toUnicode(bytes.constData(), bytes.size());
}

QStringList unkeptCharacters(QStringView text)
{
    QStringList unkept;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t unit = text.at(i).unicode();
        const bool pair =
            QChar::isHighSurrogate(unit) && i + 1 < text.size() && text.at(i + 1).isLowSurrogate();
        // Only a character that is not kept is copied: most text holds none.
        if (unit != u'?' && byteFor(unit) == '?') {
            const QString character = text.mid(i, pair ? 2 : 1).toString();
            if (!unkept.contains(character)) unkept << character;
        }
        if (pair) ++i;
    }
    return unkept;
}

QString unkeptProblem(const QString& text, const QString& caption)
{
    const QStringList unkept = unkeptCharacters(text);
    if (unkept.isEmpty()) return {};
    return QStringLiteral("The %1 holds characters that cannot be kept: \"%2\". Remove them, or use others.")
        .arg(caption, unkept.join(QStringLiteral("\", \"")));
}

} // namespace Cp1252
