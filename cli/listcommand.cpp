#include "cli/clidatabase.h"
#include "cli/commandline.h"
#include "cli/commands.h"
#include "store/cp1252.h"

#include <cstring>

namespace {

// The UTF-8 of each Windows-1252 byte, and its length.
struct Utf8Table {
    char bytes[256][3];
    int sizes[256];

    Utf8Table()
    {
        for (int b = 0; b < 256; ++b) {
            const char byte = char(b);
            const QByteArray utf8 = Cp1252::toUnicode(&byte, 1).toUtf8();
            sizes[b] = int(utf8.size());
            std::copy(utf8.begin(), utf8.end(), bytes[b]);
        }
    }
};

// UTF-8 written straight into a buffer of fixed size, which goes to stdout whenever it is nearly full: a
// full store lists in a few writes, never as one text of its own.
class Utf8Output {
public:
    Utf8Output() : m_buffer(kSize, Qt::Uninitialized), m_end(m_buffer.data()) {}
    ~Utf8Output() { flush(); }

    void append(char byte)
    {
        room(1);
        *m_end++ = byte;
    }
    void append(QByteArrayView utf8)
    {
        room(utf8.size());
        std::memcpy(m_end, utf8.data(), size_t(utf8.size()));
        m_end += utf8.size();
    }
    // A field's Windows-1252 bytes on one line whatever they hold: TAB, LF and CR as \t, \n and \r.
    void appendField(QByteArrayView field)
    {
        static const Utf8Table table;
        room(3 * field.size());
        for (const char byte : field) {
            const auto b = static_cast<unsigned char>(byte);
            if (byte == '\t' || byte == '\n' || byte == '\r') {
                *m_end++ = '\\';
                *m_end++ = byte == '\t' ? 't' : byte == '\n' ? 'n' : 'r';
            } else if (b < 0x80) {
                *m_end++ = byte;
            } else {
                std::memcpy(m_end, table.bytes[b], 3); // within the room: three bytes for every byte
                m_end += table.sizes[b];
            }
        }
    }
    void flush()
    {
        print(QByteArray::fromRawData(m_buffer.constData(), m_end - m_buffer.constData()));
        m_end = m_buffer.data();
    }

private:
    static constexpr qsizetype kSize = 64 * 1024;
    void room(qsizetype bytes)
    {
        if (m_end + bytes > m_buffer.data() + kSize) flush();
    }

    QByteArray m_buffer;
    char* m_end;
};

} // namespace

int listCommand(const CommandLine& line)
{
    const int only = line.number("category", -1);
    const bool show = line.isSet("show");
    const QByteArray mask = EntryModel::kMask.toUtf8();

    // The fields go from the file's bytes to the output: no entries are built.
    DatabaseContents contents;
    {
        Utf8Output out;
        contents =
            scanForListing(databasePathFor(line), [&](int c, const DatabaseFile::RecordFields& fields) {
                if (only >= 0 && c != only) return;
                out.append(char('0' + c));
                for (int k = 0; k < kFieldCount; ++k) {
                    out.append('\t');
                    if (k == kSensitiveColumn && !show)
                        out.append(mask);
                    else
                        out.appendField(fields[k]);
                }
                out.append('\n');
            });
    }
    if (!contents.loadedWhole()) {
        note(QStringLiteral("not everything was listed: %1").arg(contents.problems()));
        return 2;
    }
    return 0;
}
