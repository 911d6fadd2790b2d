// Any bytes as a database file: the decoder must neither crash nor misbehave, and what it reads must be
// what it reads again after the store writes it back (decode, encode, decode gives the same fields).
#include "store/databasefile.h"
#include "store/entrystore.h"

#include <QBuffer>
#include <cstdio>
#include <cstdlib>

namespace {

DatabaseContents decode(QByteArray bytes)
{
    QBuffer device(&bytes);
    device.open(QIODevice::ReadOnly);
    return decodeDatabase(device);
}

[[noreturn]] void mismatch(int category, int row, int field)
{
    std::fprintf(stderr, "round trip changed category %d, entry %d, field %d\n", category, row, field);
    std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    DatabaseContents first = decode(QByteArray(reinterpret_cast<const char*>(data), qsizetype(size)));
    const std::array<QVector<Entry>, kCategoryCount> lists = first.lists;
    EntryStore store;
    store.setContents(std::move(first.lists));
    const DatabaseContents second = decode(encodeDatabase(store));
    if (!second.loadedWhole()) mismatch(-1, -1, -1);
    for (int c = 0; c < kCategoryCount; ++c) {
        if (second.lists[c].size() != lists[c].size()) mismatch(c, -1, -1);
        for (int row = 0; row < lists[c].size(); ++row)
            for (int n = 1; n <= kFieldCount; ++n)
                if (second.lists[c][row].field(n) != lists[c][row].field(n)) mismatch(c, row, n);
    }
    return 0;
}
