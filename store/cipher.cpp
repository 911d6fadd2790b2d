#include "store/cipher.h"

#include "store/cp1252.h"

namespace {

// Position i (1-based) of the text uses key character (i mod L) + 1, so the first text character takes
// the key's second character and the L-th takes its first.
void shift(char* bytes, qsizetype size, const QByteArray& k, int direction)
{
    const qsizetype length = k.size();
    if (length == 0) return;
    for (qsizetype i = 0; i < size; ++i) {
        const int keyCode = static_cast<unsigned char>(k.at((i + 1) % length));
        const int code = static_cast<unsigned char>(bytes[i]);
        bytes[i] = char((code + direction * keyCode + 256) & 0xFF);
    }
}

QByteArray shift(QByteArray bytes, const QString& key, int direction)
{
    shift(bytes.data(), bytes.size(), cipherKey(key), direction);
    return bytes;
}

} // namespace

QByteArray cipherKey(const QString& key)
{
    return Cp1252::fromUnicode(key.toUpper());
}

void encryptInPlace(char* bytes, qsizetype size, const QByteArray& cipherKey)
{
    shift(bytes, size, cipherKey, +1);
}

void decryptInPlace(char* bytes, qsizetype size, const QByteArray& cipherKey)
{
    shift(bytes, size, cipherKey, -1);
}

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
