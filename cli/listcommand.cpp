#include "cli/clidatabase.h"
#include "cli/commandline.h"
#include "cli/commands.h"

#include <QStringEncoder>

namespace {

// UTF-8 written straight into a buffer of fixed size, which goes to stdout whenever it is nearly full: a
// full store lists in a few writes, never as one text of its own.
class Utf8Output {
public:
    Utf8Output() : m_buffer(kSize, Qt::Uninitialized), m_end(m_buffer.data()) {}
    ~Utf8Output() { flush(); }

    void append(QStringView text)
    {
        room(m_encoder.requiredSpace(text.size()));
        m_end = m_encoder.appendToBuffer(m_end, text);
    }
    void append(char byte)
    {
        room(1);
        *m_end++ = byte;
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
    QStringEncoder m_encoder{QStringEncoder::Utf8};
};

// Keeps one entry on one line whatever its fields hold.
void appendField(Utf8Output& out, QStringView field)
{
    qsizetype run = 0; // where the text not yet written begins
    for (qsizetype i = 0; i < field.size(); ++i) {
        const char16_t ch = field.at(i).unicode();
        if (ch != u'\t' && ch != u'\n' && ch != u'\r') continue;
        out.append(field.mid(run, i - run));
        out.append('\\');
        out.append(ch == u'\t' ? 't' : ch == u'\n' ? 'n' : 'r');
        run = i + 1;
    }
    out.append(field.mid(run));
}

} // namespace

int listCommand(const CommandLine& line)
{
    const int only = line.number("category", -1);
    const bool show = line.isSet("show");

    const DatabaseContents contents = readForListing(databasePathFor(line));
    {
        Utf8Output out;
        for (int c = 0; c < kCategoryCount; ++c) {
            if (only >= 0 && c != only) continue;
            for (const Entry& entry : contents.lists[c]) {
                out.append(char('0' + c));
                for (int n = 1; n <= kFieldCount; ++n) {
                    out.append('\t');
                    appendField(out, n == kSensitiveColumn + 1 && !show ? EntryModel::kMask : entry.field(n));
                }
                out.append('\n');
            }
        }
    }
    if (!contents.loadedWhole()) {
        note(QStringLiteral("not everything was listed: %1").arg(contents.problems()));
        return 2;
    }
    return 0;
}
