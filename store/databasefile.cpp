#include "store/databasefile.h"

#include "store/atomicfile.h"

#include "store/cipher.h"
#include "store/cp1252.h"
#include "store/entrystore.h"
#include "store/sealedfile.h"

#include <QBuffer>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <cmath>
#include <cstring>
#include <sys/stat.h>

using namespace DatabaseLayout;

namespace {

// The program's key, prepared once for every field the reader and writer shift.
const QByteArray& programKey()
{
    static const QByteArray key = cipherKey(kProgramKey);
    return key;
}

// Encodes the first 50 characters straight into the slot and pads it; returns the bytes written.
qsizetype putText(char* slot, QStringView text)
{
    const qsizetype n = Cp1252::fromUnicode(text.left(kFieldSize), slot);
    std::memset(slot + n, ' ', size_t(kFieldSize - n));
    return n;
}

// The end of a slot without its right-hand padding. Most fields are short: the padding goes eight bytes at
// a time.
int paddedEnd(const char* slot)
{
    static constexpr char kEightSpaces[8] = {' ', ' ', ' ', ' ', ' ', ' ', ' ', ' '};
    int end = kFieldSize;
    while (end >= 8 && std::memcmp(slot + end - 8, kEightSpaces, 8) == 0)
        end -= 8;
    while (end > 0 && slot[end - 1] == ' ')
        --end;
    return end;
}

QByteArrayView trimmedBytes(const char* slot)
{
    const int end = paddedEnd(slot);
    int begin = 0;
    while (begin < end && slot[begin] == ' ')
        ++begin;
    return QByteArrayView(slot + begin, end - begin);
}

// Deciphers field 3 into clear (room for a whole field); returns its length. Only the right-hand padding
// goes: the writer never pads on the left, and an enciphered value may begin with a space.
int decipheredField(const char* slot, char* clear)
{
    const int end = paddedEnd(slot);
    std::memcpy(clear, slot, size_t(end));
    decryptInPlace(clear, end, programKey());
    return end;
}

// A record's five fields as the store takes them, field 3 deciphered into pass (room for a whole field).
DatabaseFile::RecordFields fieldsOf(const char* record, char* pass)
{
    return {trimmedBytes(record), trimmedBytes(record + kFieldSize),
            QByteArrayView(pass, decipheredField(record + 2 * kFieldSize, pass)),
            trimmedBytes(record + 3 * kFieldSize), trimmedBytes(record + 4 * kFieldSize)};
}

// Decodes the fields straight into the one string the entry keeps them in.
Entry decodedEntry(const char* record)
{
    char pass[kFieldSize];
    const DatabaseFile::RecordFields fields = fieldsOf(record, pass);
    std::array<int, kFieldCount> ends;
    int end = 0;
    for (int i = 0; i < kFieldCount; ++i)
        ends[i] = end += int(fields[i].size());
    QString text(end, Qt::Uninitialized);
    auto* out = reinterpret_cast<char16_t*>(text.data());
    for (const QByteArrayView field : fields)
        out = Cp1252::toUnicode(field.data(), field.size(), out);
    return Entry(std::move(text), ends);
}

// The category is stored as a little-endian double; it names a list only when it rounds to 0-5.
int categoryOf(const char* record)
{
    unsigned char raw[8];
    std::memcpy(raw, record + kCategoryOffset, 8);
    quint64 bits = 0;
    for (int i = 7; i >= 0; --i)
        bits = (bits << 8) | raw[i];
    double value;
    std::memcpy(&value, &bits, 8);
    if (!std::isfinite(value)) return -1;
    const double rounded = std::nearbyint(value); // to nearest, ties to even
    return (rounded >= 0 && rounded < kCategoryCount) ? int(rounded) : -1;
}

void putCategory(char* record, int category)
{
    const double value = category;
    quint64 bits;
    std::memcpy(&bits, &value, 8);
    for (int i = 0; i < 8; ++i)
        record[kCategoryOffset + i] = char((bits >> (8 * i)) & 0xFF);
}

void encodeInto(char* record, const Entry& e, int category)
{
    putText(record, e.site());
    putText(record + kFieldSize, e.user());
    char* pass = record + 2 * kFieldSize;
    encryptInPlace(pass, putText(pass, e.pass()), programKey());
    putText(record + 3 * kFieldSize, e.url());
    putText(record + 4 * kFieldSize, e.notes());
    putCategory(record, category);
}

// The records with room for other bytes before and after them, so that sealing needs no second buffer.
QByteArray encodeRecords(const EntryStore& store, qsizetype before, qsizetype after)
{
    QByteArray bytes(before + qsizetype(store.totalCount()) * kRecordSize + after, Qt::Uninitialized);
    char* out = bytes.data() + before;
    for (int c = 0; c < kCategoryCount; ++c)
        for (const Entry& e : store.list(c).entries()) {
            encodeInto(out, e, c);
            out += kRecordSize;
        }
    return bytes;
}

// Takes records in file order, as far as the store's limit, skipping those of no category and counting
// what it leaves out. A first pass counts each category's records, so that every list is allocated once at
// its size, and notes whether the records come in category order.
class RecordDecoder {
public:
    explicit RecordDecoder(DatabaseContents& contents) : m_contents(contents) {}

    void count(const char* records, qsizetype n)
    {
        for (qsizetype i = 0; i < n && m_counted < EntryStore::kMaxEntries; ++i) {
            const int category = categoryOf(records + i * kRecordSize);
            if (category < 0) continue;
            m_inOrder = m_inOrder && category >= m_lastCategory;
            m_lastCategory = category;
            ++m_counts[category];
            ++m_counted;
        }
    }
    bool inCategoryOrder() const { return m_inOrder; }
    const std::array<int, kCategoryCount>& counts() const { return m_counts; }

    void reserve()
    {
        for (int c = 0; c < kCategoryCount; ++c)
            m_contents.lists[c].reserve(m_counts[c]);
    }

    // Hands each record taken to take(category, record).
    template <typename Take> void take(const char* records, qsizetype n, Take take)
    {
        for (qsizetype i = 0; i < n; ++i) {
            if (m_contents.recordsLoaded >= EntryStore::kMaxEntries) {
                m_contents.recordsBeyondLimit += int(n - i);
                return;
            }
            const char* record = records + i * kRecordSize;
            const int category = categoryOf(record);
            if (category < 0) {
                ++m_contents.badCategoryRecords;
                continue;
            }
            take(category, record);
            ++m_contents.recordsLoaded;
        }
    }

    void decode(const char* records, qsizetype n)
    {
        take(records, n, [this](int category, const char* record) {
            m_contents.lists[category].append(decodedEntry(record));
        });
    }

private:
    DatabaseContents& m_contents;
    std::array<int, kCategoryCount> m_counts{};
    int m_counted = 0;
    int m_lastCategory = 0;
    bool m_inOrder = true;
};

// Hands the whole records of an open file to take, a piece at a time, so that the file is never held whole
// in memory. Returns the bytes of a partial last record, or -1 on a read error.
template <typename Take> qsizetype readRecords(QIODevice& file, Take take)
{
    constexpr qsizetype kPiece = 256 * kRecordSize;
    std::unique_ptr<char[]> buffer(new char[kPiece]);
    qsizetype held = 0;
    for (;;) {
        const qint64 n = file.read(buffer.get() + held, kPiece - held);
        if (n < 0) return -1;
        if (n == 0) return held;
        held += n;
        const qsizetype whole = held / kRecordSize;
        take(buffer.get(), whole);
        held -= whole * kRecordSize;
        std::memmove(buffer.get(), buffer.get() + whole * kRecordSize, size_t(held));
    }
}

DiskState stateOf(const struct stat& info)
{
    DiskState state;
    state.exists = true;
    state.size = info.st_size;
    state.modifiedNs = qint64(info.st_mtim.tv_sec) * 1000000000 + info.st_mtim.tv_nsec;
    state.changedNs = qint64(info.st_ctim.tv_sec) * 1000000000 + info.st_ctim.tv_nsec;
    state.inode = info.st_ino;
    return state;
}

// Another copy's bytes as entries: a sealed file opened with key.
DatabaseContents decodeOther(QByteArray bytes, const SealKey* key)
{
    const bool sealed = SealedFile::isSealed(bytes.left(SealedLayout::kMagic.size()));
    if (!sealed && (!key || bytes.isEmpty())) return decodeImage(bytes);
    // A sealed copy opens with this session's key, or is not merged without asking. It is opened in a copy
    // of its own, since the bytes as they were may have to be kept aside.
    const std::optional<QByteArrayView> image =
        sealed && key ? SealedFile::openInPlace(bytes, *key) : std::nullopt;
    DatabaseContents contents;
    if (image)
        contents = decodeImage(*image);
    else
        contents.readError = QStringLiteral("it does not open with this session's password");
    wipe(bytes);
    return contents;
}

} // namespace

DatabaseContents readAnotherDatabase(const QString& path, const SealKey* key)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        DatabaseContents contents;
        contents.readError = file.errorString();
        return contents;
    }
    const bool sealed = SealedFile::isSealed(file.peek(SealedLayout::kMagic.size()));
    return sealed ? decodeOther(file.readAll(), key) : decodeDatabase(file);
}

QStringList conflictCopiesBeside(const QString& databasePath)
{
    const QFileInfo database(databasePath);
    const QString base = QRegularExpression::escape(database.completeBaseName());
    const QString suffix = QRegularExpression::escape(database.suffix());
    const QString name = QRegularExpression::escape(database.fileName());
    const QRegularExpression copy(
        QStringLiteral("^(?:%1\\.sync-conflict-\\d{8}-\\d{6}-\\w+\\.%2|%1 \\(.*conflicted copy.*\\)\\.%2|"
                       "%3\\.conflict-\\d{8}-\\d{6}(?:-\\d+)?)$")
            .arg(base, suffix, name));
    QStringList copies = database.dir().entryList(QDir::Files);
    copies.removeIf([&copy](const QString& file) { return !copy.match(file).hasMatch(); });
    return copies;
}

DiskState DiskState::of(const QString& path)
{
    struct stat info;
    return ::stat(QFile::encodeName(path).constData(), &info) == 0 ? stateOf(info) : DiskState();
}

bool DiskState::operator==(const DiskState& other) const
{
    return exists == other.exists && size == other.size && modifiedNs == other.modifiedNs &&
           changedNs == other.changedNs && inode == other.inode;
}

bool DatabaseContents::loadedWhole() const
{
    return badCategoryRecords == 0 && recordsBeyondLimit == 0 && strayBytes == 0 && readError.isEmpty();
}

QString DatabaseContents::problems() const
{
    QStringList parts;
    if (!readError.isEmpty()) parts << QStringLiteral("the file could not be read (%1)").arg(readError);
    if (badCategoryRecords > 0)
        parts << QStringLiteral("%1 record(s) with an unknown category were skipped").arg(badCategoryRecords);
    if (recordsBeyondLimit > 0)
        parts << QStringLiteral("%1 record(s) beyond the limit of %2 entries were not loaded")
                     .arg(recordsBeyondLimit)
                     .arg(EntryStore::kMaxEntries);
    if (strayBytes > 0)
        parts << QStringLiteral("an incomplete last record of %1 byte(s) was not loaded").arg(strayBytes);
    return parts.join(QStringLiteral("; "));
}

QString sensitiveFieldProblem(const QString& clear, const QString& caption)
{
    const QString stored = clear.left(kFieldSize);
    const QByteArray enciphered = encryptBytes(Cp1252::fromUnicode(stored), kProgramKey);
    if (enciphered.isEmpty() || !enciphered.endsWith(' ')) return {};
    return QStringLiteral(
               "The %1 cannot end in \"%2\" at this length: the database file would lose that last "
               "character. Add a character after it, or choose another.")
        .arg(caption, stored.right(1));
}

QString entryProblem(const Entry& entry, const QStringList& captions)
{
    for (int n = 1; n <= kFieldCount; ++n)
        if (QString problem = Cp1252::unkeptProblem(trimSpaces(entry.field(n)).left(kFieldSize).toString(),
                                                    captions.value(n - 1));
            !problem.isEmpty())
            return problem;
    return sensitiveFieldProblem(trimSpaces(entry.pass()).toString(), captions.value(kSensitiveColumn));
}

QByteArray encodeRecord(const Entry& entry, int category)
{
    QByteArray record(kRecordSize, Qt::Uninitialized);
    encodeInto(record.data(), entry, category);
    return record;
}

QByteArray encodeDatabase(const EntryStore& store)
{
    return encodeRecords(store, 0, 0);
}

DatabaseContents decodeImage(QByteArrayView image)
{
    DatabaseContents contents;
    RecordDecoder decoder(contents);
    const qsizetype whole = image.size() / kRecordSize;
    decoder.count(image.data(), whole);
    decoder.reserve();
    decoder.decode(image.data(), whole);
    contents.strayBytes = int(image.size() - whole * kRecordSize);
    return contents;
}

DatabaseContents decodeDatabase(QIODevice& device)
{
    DatabaseContents contents;
    RecordDecoder decoder(contents);
    qsizetype stray =
        readRecords(device, [&](const char* records, qsizetype n) { decoder.count(records, n); });
    decoder.reserve();
    if (stray >= 0 && device.seek(0))
        stray = readRecords(device, [&](const char* records, qsizetype n) { decoder.decode(records, n); });
    else
        stray = -1;
    if (stray < 0)
        contents.readError = device.errorString();
    else
        contents.strayBytes = int(stray);
    return contents;
}

DatabaseFile::DatabaseFile(QString path) : m_path(std::move(path)) {}

DatabaseFile::~DatabaseFile() = default;

bool DatabaseFile::lock(QString* error)
{
    const QString lockPath = m_path + QStringLiteral(".lock");
    m_lock = std::make_unique<QLockFile>(lockPath);
    m_lock->setStaleLockTime(0); // a lock is stale only when no live process holds it
    if (m_lock->tryLock(0)) return true;
    qint64 pid = 0;
    QString host, app;
    // A file that names no process (empty: its writer died before writing; or no process id in it) is held
    // by no one; QLockFile itself takes over one that names a dead process. The removal fails while a live
    // Keyvane holds the file locked, even one that has not yet written its process id, and for a file we
    // may not open at all, which may well be another user's live lock.
    if (m_lock->error() == QLockFile::LockFailedError && !m_lock->getLockInfo(&pid, &host, &app) &&
        m_lock->removeStaleLockFile() && m_lock->tryLock(0))
        return true;
    if (error) {
        switch (m_lock->error()) {
        case QLockFile::LockFailedError:
            *error = QStringLiteral("The database %1 is in use by another Keyvane%2. Close that one first.")
                         .arg(m_path, pid > 0 ? QStringLiteral(" (process %1)").arg(pid) : QString());
            break;
        case QLockFile::PermissionError:
            *error =
                QStringLiteral("The database %1 cannot be locked: its folder is not writable.").arg(m_path);
            break;
        default: {
            // The lock file could not be written (a full disk, a quota): the system's own reason.
            const QString why = writeProblem(QFileInfo(lockPath).absolutePath());
            *error =
                QStringLiteral("The database %1 cannot be locked: %2")
                    .arg(m_path, why.isEmpty() ? QStringLiteral("its lock file could not be written.") : why);
        }
        }
    }
    m_lock.reset();
    return false;
}

bool DatabaseFile::isLocked() const
{
    return m_lock && m_lock->isLocked();
}

std::optional<QByteArrayView> DatabaseFile::openImage(QFile& file, bool sealed, QByteArray& bytes,
                                                      DatabaseContents& contents)
{
    m_writeRefused = true; // until it has opened
    bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        contents.readError = file.errorString();
        return std::nullopt;
    }
    std::optional<QByteArrayView> image =
        sealed && m_key ? SealedFile::openInPlace(bytes, *m_key) : std::nullopt;
    m_writeRefused = !image;
    if (!image)
        contents.readError =
            QStringLiteral("it does not open with the password given, or it was changed since it was sealed");
    return image;
}

DatabaseContents DatabaseFile::read()
{
    DatabaseContents contents;
    m_writeRefused = false;
    struct stat info;
    bool statted = false;
    QFile file(m_path);
    if (!file.exists()) {
        // A missing file is created empty, so that the first run starts on a file of its own.
        if (file.open(QIODevice::WriteOnly)) {
            file.close();
            makeOwnerOnly(m_path);
        } else {
            contents.createError = file.errorString();
        }
    } else if (!file.open(QIODevice::ReadOnly)) {
        contents.readError = file.errorString();
    } else {
        // With a key, only a sealed file is ours: one that no longer starts like one was changed too. A
        // sealed file is opened whole, then its image decoded in memory.
        const bool sealed = SealedFile::isSealed(file.peek(SealedLayout::kMagic.size()));
        if (sealed || (m_key && file.size() > 0)) {
            QByteArray bytes;
            if (const std::optional<QByteArrayView> image = openImage(file, sealed, bytes, contents))
                contents = decodeImage(*image);
            wipe(bytes);
        } else {
            contents = decodeDatabase(file);
        }
        // The state of the file read, not of whatever may have replaced it since.
        statted = ::fstat(file.handle(), &info) == 0;
    }
    remember(contents.lists, statted ? stateOf(info) : DiskState::of(m_path));
    m_loadedWhole = contents.loadedWhole();
    return contents;
}

DatabaseContents DatabaseFile::scan(const std::function<void(int, const RecordFields&)>& visit,
                                    const std::function<bool(const CategoryCounts&)>& begin)
{
    DatabaseContents contents;
    m_writeRefused = false;
    QFile file(m_path);
    // A sealed file is opened whole with the key; its image is then scanned as the file would be.
    QByteArray bytes;
    QByteArray image; // a view of bytes, not a copy
    QBuffer opened(&image);
    if (!file.open(QIODevice::ReadOnly)) {
        contents.readError = file.errorString();
    } else if (const bool sealed = SealedFile::isSealed(file.peek(SealedLayout::kMagic.size()));
               sealed || (m_key && file.size() > 0)) {
        if (const std::optional<QByteArrayView> view = openImage(file, sealed, bytes, contents)) {
            image = QByteArray::fromRawData(view->data(), view->size());
            opened.open(QIODevice::ReadOnly);
        }
    }
    if (!contents.readError.isEmpty()) {
        if (begin) begin(CategoryCounts{});
        return contents;
    }
    QIODevice& device = opened.isOpen() ? static_cast<QIODevice&>(opened) : file;
    const auto visitRecord = [&visit](int category, const char* record) {
        char pass[kFieldSize];
        visit(category, fieldsOf(record, pass));
    };

    DatabaseContents counted; // the problems; a pass in category order only visits
    RecordDecoder order(counted);
    qsizetype stray = readRecords(device, [&](const char* records, qsizetype n) { order.count(records, n); });
    if (begin && !begin(order.counts())) {
        wipe(bytes);
        return contents;
    }
    // A file Keyvane wrote holds its records in category order: one pass. Any other goes once per category.
    const int passes = order.inCategoryOrder() ? 1 : kCategoryCount;
    for (int pass = 0; pass < passes && stray >= 0; ++pass) {
        contents = DatabaseContents();
        RecordDecoder decoder(contents);
        if (!device.seek(0)) break;
        stray = readRecords(device, [&](const char* records, qsizetype n) {
            decoder.take(records, n, [&](int category, const char* record) {
                if (passes == 1 || category == pass) visitRecord(category, record);
            });
        });
    }
    if (stray < 0 || file.error() != QFileDevice::NoError)
        contents.readError = device.errorString();
    else
        contents.strayBytes = int(stray);
    wipe(bytes);
    return contents;
}

void DatabaseFile::remember(EntryLists lists, const DiskState& disk)
{
    m_disk = disk;
    m_base = std::move(lists);
    m_theirDisk = {};
    m_theirBytes.clear();
}

std::optional<DatabaseContents> DatabaseFile::changedOnDisk()
{
    const DiskState now = DiskState::of(m_path);
    // A file that is gone (a sync engine between its delete and its write) holds nothing to merge: a save
    // writes it again.
    if (now == m_disk || !now.exists) {
        m_disk = now;
        return std::nullopt;
    }
    QByteArray bytes;
    QString readError;
    QFile file(m_path);
    if (file.open(QIODevice::ReadOnly)) bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) readError = file.errorString();
    m_theirUnreadable = !readError.isEmpty();
    DatabaseContents theirs = decodeOther(bytes, m_key.get());
    if (!readError.isEmpty()) theirs.readError = readError;
    // Touched, or written again with the same entries: nothing to merge. Comparing the entries, which the
    // merge needs anyway, spares every save a hash over the whole file.
    if (theirs.loadedWhole() && sameEntries(theirs.lists, m_base)) {
        m_disk = now;
        return std::nullopt;
    }
    m_theirDisk = now;
    m_theirBytes = bytes;
    return theirs;
}

MergeResult DatabaseFile::mergeChangesInto(EntryStore& store, const DatabaseContents& theirs)
{
    MergeResult result = mergeChanges(m_base, store.contents(), theirs.lists);
    if (result.overLimit > 0) return result;
    store.setContents(result.lists);
    // From now on theirs is what the file held last: the merged store is compared with it.
    m_base = theirs.lists;
    m_disk = m_theirDisk;
    // A damaged file replaced by a whole copy is no longer one to ask about; a damaged theirs was merged
    // by the user's choice, and its bytes kept aside.
    if (theirs.loadedWhole()) m_loadedWhole = true;
    m_theirBytes.clear();
    // Saved only when the merge holds something the file does not.
    store.setDatabaseChanged(!sameEntries(result.lists, theirs.lists));
    return result;
}

bool DatabaseFile::keepConflictCopy(QString* copyPath, QString* error)
{
    const QString stamp = QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss"));
    QString candidate = m_path + QStringLiteral(".conflict-") + stamp;
    for (int n = 1; QFile::exists(candidate); ++n)
        candidate = m_path + QStringLiteral(".conflict-%1-%2").arg(stamp).arg(n);
    if (!writeFileAtomically(candidate, m_theirBytes, kOwnerOnly, error)) return false;
    if (copyPath) *copyPath = candidate;
    m_disk = m_theirDisk;
    return true;
}

bool DatabaseFile::keepBackup(QString* error)
{
    if (!m_backupPath.isEmpty() || !QFile::exists(m_path)) return true;
    QString candidate = m_path + QStringLiteral(".bak");
    for (int n = 1; QFile::exists(candidate); ++n)
        candidate = m_path + QStringLiteral(".bak.%1").arg(n);
    if (!QFile::copy(m_path, candidate)) {
        if (error)
            *error = QStringLiteral("The copy of the old database could not be made at %1.").arg(candidate);
        return false;
    }
    makeOwnerOnly(candidate);
    m_backupPath = candidate;
    return true;
}

void DatabaseFile::setKey(std::unique_ptr<SealKey> key)
{
    m_key = std::move(key);
}

bool DatabaseFile::rekey(std::unique_ptr<SealKey> key, QString* error)
{
    QFile file(m_path);
    if (!file.open(QIODevice::ReadOnly)) {
        if (error) *error = file.errorString();
        return false;
    }
    QByteArray image = file.readAll();
    if (SealedFile::isSealed(image)) {
        std::optional<QByteArray> opened = m_key ? SealedFile::open(image, *m_key) : std::nullopt;
        if (!opened) {
            if (error) *error = SealedFile::refusedText(m_path);
            return false;
        }
        image = std::move(*opened);
    }
    QByteArray bytes = key ? SealedFile::seal(image, *key) : image;
    wipe(image);
    const bool written = writeFileAtomically(m_path, bytes, kOwnerOnly, error);
    if (!key) wipe(bytes);
    if (written) m_key = std::move(key);
    return written;
}

bool DatabaseFile::save(const EntryStore& store, QString* error)
{
    return write(store, DiskState::of(m_path), error);
}

bool DatabaseFile::write(const EntryStore& store, const DiskState& expected, QString* error)
{
    if (m_writeRefused) {
        if (error) *error = SealedFile::refusedText(m_path);
        return false;
    }
    if (needsOverwriteConsent()) {
        if (error)
            *error =
                QStringLiteral("The database %1 did not load whole; it is not overwritten without consent.")
                    .arg(m_path);
        return false;
    }
    if (!m_loadedWhole && !keepBackup(error)) return false;

    using namespace SealedLayout;
    QByteArray bytes = m_key ? encodeRecords(store, kHeaderSize, kTagSize) : encodeDatabase(store);
    if (m_key) SealedFile::sealInPlace(bytes, *m_key);
    // Another copy that writes while this save is under way is not written over.
    m_changedDuringSave = false;
    const auto stillOurs = [&](QString* why) {
        if (DiskState::of(m_path) == expected) return true;
        m_changedDuringSave = true;
        if (why) *why = QStringLiteral("Another copy changed %1 during the save.").arg(m_path);
        return false;
    };
    if (!writeFileAtomically(m_path, bytes, kOwnerOnly, error, stillOurs)) return false;
    remember(store.contents(), DiskState::of(m_path));
    return true;
}

SaveOutcome DatabaseFile::saveWithChanges(EntryStore& store, const DecideConflict& decide)
{
    SaveOutcome outcome;
    // A few rounds: each one merges what another copy wrote since the last.
    for (int round = 0; round < 5; ++round) {
        if (const std::optional<DatabaseContents> theirs = changedOnDisk()) {
            if (m_theirUnreadable) {
                outcome.error =
                    QStringLiteral("Another copy of %1 could not be read (%2); it is not written over.")
                        .arg(m_path, theirs->readError);
                return outcome;
            }
            if (!takeInChanges(store, *theirs, decide, outcome)) return outcome;
        }
        if (write(store, m_disk, &outcome.error)) {
            outcome.saved = true;
            outcome.error.clear();
            return outcome;
        }
        if (!m_changedDuringSave) return outcome;
    }
    return outcome;
}

bool DatabaseFile::takeInChanges(EntryStore& store, const DatabaseContents& theirs,
                                 const DecideConflict& decide, SaveOutcome& outcome)
{
    ConflictChoice choice = ConflictChoice::MergeReadable;
    if (!theirs.loadedWhole()) {
        choice = decide(theirs);
        if (choice == ConflictChoice::Cancel) return false;
        if (!keepConflictCopy(&outcome.conflictCopy, &outcome.error)) return false;
    }
    if (choice == ConflictChoice::MergeReadable) {
        const MergeResult merged = mergeChangesInto(store, theirs);
        if (merged.overLimit > 0 && outcome.conflictCopy.isEmpty() &&
            !keepConflictCopy(&outcome.conflictCopy, &outcome.error))
            return false;
        if (merged.overLimit == 0) {
            outcome.merged = true;
            outcome.added += merged.added;
            outcome.removed += merged.removed;
        }
    }
    m_disk = m_theirDisk; // theirs is kept or merged: it may be written over
    return true;
}
