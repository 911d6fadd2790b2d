#include "cipher.h"

#include "cp1252.h"

namespace {

// Position i (1-based) of the text uses key character (i mod L) + 1, so the first text character takes
// the key's second character and the L-th takes its first.
QByteArray shift(QByteArray bytes, const QString& key, int direction)
{
    const QByteArray k = Cp1252::fromUnicode(key.toUpper());
    if (k.isEmpty())
        return bytes;
    const qsizetype length = k.size();
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const int keyCode = static_cast<unsigned char>(k.at((i + 1) % length));
        const int code = static_cast<unsigned char>(bytes.at(i));
        bytes[i] = char((code + direction * keyCode + 256) & 0xFF);
    }
    return bytes;
}

} // namespace

QByteArray encryptBytes(QByteArray bytes, const QString& key)
{
    return shift(std::move(bytes), key, +1);
}

QByteArray decryptBytes(QByteArray bytes, const QString& key)
{
    return shift(std::move(bytes), key, -1);
}

QString EncryptText(const QString& text, const QString& key)
{
    return Cp1252::toUnicode(encryptBytes(Cp1252::fromUnicode(text), key));
}

QString DecryptText(const QString& text, const QString& key)
{
    return Cp1252::toUnicode(decryptBytes(Cp1252::fromUnicode(text), key));
}
