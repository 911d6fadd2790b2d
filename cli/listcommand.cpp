#include "cli/clidatabase.h"
#include "cli/commandline.h"
#include "cli/commands.h"
#include "store/cp1252.h"
#include "store/piecewriter.h"

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

// UTF-8 written straight into the writer's buffer, which goes to stdout whenever it is nearly full.
class Utf8Output {
public:
    ~Utf8Output() { m_writer.flush(); }

    void append(char byte) { m_writer.add(QByteArrayView(&byte, 1)); }
    void append(QByteArrayView utf8) { m_writer.add(utf8); }
    // A field's Windows-1252 bytes on one line whatever they hold: TAB, LF and CR as \t, \n and \r.
    void appendField(QByteArrayView field)
    {
        static const Utf8Table table;
        char* end = m_writer.room(3 * field.size());
        for (const char byte : field) {
            const auto b = static_cast<unsigned char>(byte);
            if (byte == '\t' || byte == '\n' || byte == '\r') {
                *end++ = '\\';
                *end++ = byte == '\t' ? 't' : byte == '\n' ? 'n' : 'r';
            } else if (b < 0x80) {
                *end++ = byte;
            } else {
                std::memcpy(end, table.bytes[b], 3); // within the room: three bytes for every byte
                end += table.sizes[b];
            }
        }
        m_writer.took(end);
    }

private:
    PieceWriter m_writer{[](QByteArrayView utf8) {
        print(QByteArray::fromRawData(utf8.data(), utf8.size()));
        return true;
    }};
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
        contents = scanDatabase(line, show ? Access::Secrets : Access::Masked,
                                [&](int c, const DatabaseFile::RecordFields& fields) {
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
    return readStatus(contents.problems(), "listed");
}
