#pragma once

#include <QByteArray>
#include <QString>
#include <QtGlobal>
#include <memory>
#include <optional>

// The sealed form of the database: a short header, then the exact record-file image sealed with
// XChaCha20-Poly1305 under a key derived from the master password with Argon2id. The header is the
// associated data, so a changed parameter fails like a changed body byte. All cryptography is libsodium's.
namespace SealedLayout {
// Starts with a NUL: field 1 of a record file holds typed text, which never carries one.
inline const QByteArray kMagic = QByteArrayLiteral("\0KEYVANE");
constexpr quint32 kVersion = 1;
constexpr quint32 kArgon2id = 2; // libsodium's id for Argon2id version 1.3
constexpr int kVersionOffset = 8;
constexpr int kKdfOffset = 12;
constexpr int kMemoryOffset = 16; // 8 bytes, little-endian
constexpr int kPassesOffset = 24;
constexpr int kLanesOffset = 28;
constexpr int kSaltOffset = 32;
constexpr int kSaltSize = 16;
constexpr int kNonceOffset = 48;
constexpr int kNonceSize = 24;
constexpr int kHeaderSize = 72;
constexpr int kTagSize = 16;
constexpr int kKeySize = 32;
} // namespace SealedLayout

// How the key is derived; travels in the header so later versions can raise it.
struct KdfParams {
    quint64 memoryBytes = 0;
    quint32 passes = 0;
    quint32 lanes = 1; // libsodium's Argon2id works with one lane
    QByteArray salt;

    // What a new seal uses: 64 MiB, and passes for an unlock of about half a second here.
    static KdfParams standard();
    // Checked before any derivation, so a damaged header is refused at once rather than asking for
    // gigabytes or minutes.
    bool usable() const;
};

// The key derived from the master password, held in locked memory that is wiped when the key goes.
class SealKey {
public:
    ~SealKey();
    SealKey(const SealKey&) = delete;
    SealKey& operator=(const SealKey&) = delete;

    // Derives the key from the password's UTF-8 bytes and wipes those bytes and, where it holds the only
    // copy, the password's own text. Null when the parameters are unusable or memory runs out; error then
    // holds the sentence for the user (callers check the parameters first, so it speaks of memory).
    static std::unique_ptr<SealKey> derive(QString& password, const KdfParams& params,
                                           QString* error = nullptr);

    const KdfParams& params() const { return m_params; }
    // The same key, compared in constant time: the password typed gives this key under these parameters.
    bool sameAs(const SealKey& other) const;
    const unsigned char* bytes() const { return m_key; }

private:
    SealKey(unsigned char* key, KdfParams params);

    unsigned char* m_key;
    KdfParams m_params;
};

namespace SealedFile {

// The bytes begin with the sealed header's magic.
bool isSealed(const QByteArray& bytes);
bool isSealedFile(const QString& path);
// The key derivation's parameters as the header holds them; nullopt when the header is not one of ours.
std::optional<KdfParams> readParams(const QByteArray& bytes, QString* error);

// The header and the sealed image, with a fresh nonce.
QByteArray seal(const QByteArray& image, const SealKey& key);
// The same where the image lies: in buffer after kHeaderSize bytes of room, with kTagSize bytes of room
// after it. The buffer becomes the sealed file, and no clear copy is left.
void sealInPlace(QByteArray& buffer, const SealKey& key);
// The record-file image; nullopt when the tag does not verify (a wrong password or any changed byte).
std::optional<QByteArray> open(const QByteArray& sealed, const SealKey& key);
// The same, deciphered where it lies: the image is the view into sealed, which then holds it in the clear
// (the caller wipes it). A file is opened without a second copy of itself.
std::optional<QByteArrayView> openInPlace(QByteArray& sealed, const SealKey& key);

// Derives the key from the file's own parameters and opens the bytes with it: the password check of a
// sealed file. On success the key is returned and the image put in *image when asked for.
std::unique_ptr<SealKey> unlock(const QByteArray& sealed, QString& password, QByteArray* image,
                                QString* error);

// The sentence for a password that does not open the file (or a file changed since it was sealed).
QString refusedText(const QString& path);

} // namespace SealedFile

// Overwrites the bytes of a secret held in memory before it goes.
void wipe(QByteArray& bytes);
void wipe(QString& text);
