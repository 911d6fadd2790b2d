#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <functional>

// Output gathered in a buffer of fixed size that goes to write whenever the next piece would not fit: a
// large output (a listing, a report of the whole store) leaves in a few writes and is never held whole.
class PieceWriter {
public:
    explicit PieceWriter(std::function<bool(QByteArrayView)> write);

    // Where the next bytes, at most that many (and never more than 64 KiB), are to be put; took() then says
    // where they end.
    char* room(qsizetype bytes);
    void took(char* end) { m_end = end; }
    void add(QByteArrayView bytes) { took(std::copy(bytes.begin(), bytes.end(), room(bytes.size()))); }
    // Hands what is gathered to write. False once a write has failed; nothing is written after it.
    bool flush();

private:
    static constexpr qsizetype kSize = 64 * 1024;
    QByteArray m_buffer;
    char* m_end;
    std::function<bool(QByteArrayView)> m_write;
    bool m_written = true;
};
