#include "store/sealedfile.h"

#include <QFile>
#include <QtEndian>
#include <sodium.h>

using namespace SealedLayout;

namespace {

constexpr quint64 kStandardMemory = quint64(64) << 20;
// Measured on a quiet two-core machine at 64 MiB: about 27 ms a pass, so twelve passes make an unlock of a
// full store (derivation plus under 20 ms to open) take about a third of a second, inside the 0.3-1 s we
// want. Files keep their own passes in the header, so raising this never locks out an older file.
constexpr quint32 kStandardPasses = 12;
// Far above anything chosen today, low enough that a damaged header fails in moments.
constexpr quint64 kMaxMemory = quint64(4) << 30;
constexpr quint32 kMaxPasses = 64;

bool sodiumReady()
{
    static const bool ready = sodium_init() >= 0;
    return ready;
}

const unsigned char* uchars(const QByteArray& bytes)
{
    return reinterpret_cast<const unsigned char*>(bytes.constData());
}

unsigned char* uchars(QByteArray& bytes)
{
    return reinterpret_cast<unsigned char*>(bytes.data());
}

void putHeader(char* h, const KdfParams& params)
{
    std::fill(h, h + kHeaderSize, '\0');
    std::copy(kMagic.begin(), kMagic.end(), h);
    qToLittleEndian<quint32>(kVersion, h + kVersionOffset);
    qToLittleEndian<quint32>(kArgon2id, h + kKdfOffset);
    qToLittleEndian<quint64>(params.memoryBytes, h + kMemoryOffset);
    qToLittleEndian<quint32>(params.passes, h + kPassesOffset);
    qToLittleEndian<quint32>(params.lanes, h + kLanesOffset);
    std::copy(params.salt.begin(), params.salt.end(), h + kSaltOffset);
    randombytes_buf(h + kNonceOffset, kNonceSize);
}

} // namespace

void wipe(QByteArray& bytes)
{
    // A shared buffer belongs to others too; only a sole copy is ours to overwrite.
    if (bytes.isDetached() && !bytes.isEmpty()) sodium_memzero(bytes.data(), size_t(bytes.size()));
    bytes.clear();
}

void wipe(QString& text)
{
    if (text.isDetached() && !text.isEmpty())
        sodium_memzero(text.data(), size_t(text.size()) * sizeof(QChar));
    text.clear();
}

KdfParams KdfParams::standard()
{
    KdfParams params;
    params.memoryBytes = kStandardMemory;
    params.passes = kStandardPasses;
    params.salt = QByteArray(kSaltSize, Qt::Uninitialized);
    if (sodiumReady()) randombytes_buf(params.salt.data(), kSaltSize);
    return params;
}

bool KdfParams::usable() const
{
    return lanes == 1 && salt.size() == kSaltSize && memoryBytes >= crypto_pwhash_argon2id_MEMLIMIT_MIN &&
           memoryBytes <= kMaxMemory && passes >= crypto_pwhash_argon2id_OPSLIMIT_MIN && passes <= kMaxPasses;
}

SealKey::SealKey(unsigned char* key, KdfParams params) : m_key(key), m_params(std::move(params)) {}

SealKey::~SealKey()
{
    sodium_free(m_key); // wipes before it frees
}

std::unique_ptr<SealKey> SealKey::derive(QString& password, const KdfParams& params, QString* error)
{
    QByteArray utf8 = password.toUtf8();
    wipe(password);
    auto* key =
        sodiumReady() && params.usable() ? static_cast<unsigned char*>(sodium_malloc(kKeySize)) : nullptr;
    if (key && crypto_pwhash(key, kKeySize, utf8.constData(), quint64(utf8.size()), uchars(params.salt),
                             params.passes, size_t(params.memoryBytes), crypto_pwhash_ALG_ARGON2ID13) != 0) {
        sodium_free(key);
        key = nullptr;
    }
    wipe(utf8);
    if (!key) {
        if (error) *error = QStringLiteral("There is not enough memory to derive the key.");
        return nullptr;
    }
    sodium_mprotect_readonly(key);
    return std::unique_ptr<SealKey>(new SealKey(key, params));
}

bool SealKey::sameAs(const SealKey& other) const
{
    return sodium_memcmp(m_key, other.m_key, kKeySize) == 0;
}

namespace SealedFile {

bool isSealed(const QByteArray& bytes)
{
    return bytes.startsWith(kMagic);
}

bool isSealedFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) && isSealed(file.read(kMagic.size()));
}

std::optional<KdfParams> readParams(const QByteArray& bytes, QString* error)
{
    auto fail = [error](const QString& why) -> std::optional<KdfParams> {
        if (error) *error = why;
        return std::nullopt;
    };
    if (!isSealed(bytes) || bytes.size() < kHeaderSize + kTagSize)
        return fail(QStringLiteral("The file is not a whole sealed database."));
    const char* h = bytes.constData();
    if (qFromLittleEndian<quint32>(h + kVersionOffset) != kVersion ||
        qFromLittleEndian<quint32>(h + kKdfOffset) != kArgon2id)
        return fail(QStringLiteral("The file is sealed in a form this version of Keyvane does not know."));
    KdfParams params;
    params.memoryBytes = qFromLittleEndian<quint64>(h + kMemoryOffset);
    params.passes = qFromLittleEndian<quint32>(h + kPassesOffset);
    params.lanes = qFromLittleEndian<quint32>(h + kLanesOffset);
    params.salt = bytes.mid(kSaltOffset, kSaltSize);
    if (!params.usable())
        return fail(QStringLiteral("The file's key derivation parameters are damaged or out of range."));
    return params;
}

QByteArray seal(const QByteArray& image, const SealKey& key)
{
    QByteArray out(kHeaderSize + image.size() + kTagSize, Qt::Uninitialized);
    std::copy(image.begin(), image.end(), out.begin() + kHeaderSize);
    sealInPlace(out, key);
    return out;
}

void sealInPlace(QByteArray& buffer, const SealKey& key)
{
    putHeader(buffer.data(), key.params());
    // libsodium allows the ciphertext over its own message.
    unsigned char* body = uchars(buffer) + kHeaderSize;
    unsigned long long sealedSize = 0;
    crypto_aead_xchacha20poly1305_ietf_encrypt(
        body, &sealedSize, body, quint64(buffer.size() - kHeaderSize - kTagSize), uchars(buffer), kHeaderSize,
        nullptr, uchars(buffer) + kNonceOffset, key.bytes());
}

std::optional<QByteArrayView> openInPlace(QByteArray& sealed, const SealKey& key)
{
    if (!isSealed(sealed) || sealed.size() < kHeaderSize + kTagSize) return std::nullopt;
    // libsodium checks the tag before it deciphers, and allows the message over its own ciphertext.
    unsigned char* body = uchars(sealed) + kHeaderSize;
    unsigned long long imageSize = 0;
    if (crypto_aead_xchacha20poly1305_ietf_decrypt(
            body, &imageSize, nullptr, body, quint64(sealed.size() - kHeaderSize), uchars(sealed),
            kHeaderSize, uchars(sealed) + kNonceOffset, key.bytes()) != 0)
        return std::nullopt;
    return QByteArrayView(sealed.constData() + kHeaderSize, qsizetype(imageSize));
}

std::optional<QByteArray> open(const QByteArray& sealed, const SealKey& key)
{
    QByteArray bytes = sealed;
    const std::optional<QByteArrayView> image = openInPlace(bytes, key);
    if (!image) return std::nullopt;
    // The image moved to the front of the same buffer: no copy of it is left behind.
    bytes.remove(0, kHeaderSize);
    bytes.truncate(image->size());
    return bytes;
}

std::unique_ptr<SealKey> unlock(const QByteArray& sealed, QString& password, QByteArray* image,
                                QString* error)
{
    const std::optional<KdfParams> params = readParams(sealed, error);
    if (!params) {
        wipe(password);
        return nullptr;
    }
    std::unique_ptr<SealKey> key = SealKey::derive(password, *params, error);
    if (!key) return nullptr;
    std::optional<QByteArray> opened = open(sealed, *key);
    if (!opened) {
        if (error)
            *error = QStringLiteral("The password is wrong, or the file was changed since it was sealed.");
        return nullptr;
    }
    if (image)
        *image = std::move(*opened);
    else
        wipe(*opened);
    return key;
}

QString refusedText(const QString& path)
{
    return QStringLiteral("The database %1 does not open with this password, or it was changed since it was "
                          "sealed. It is left as it is.")
        .arg(path);
}

} // namespace SealedFile
