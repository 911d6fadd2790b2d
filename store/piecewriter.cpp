#include "store/piecewriter.h"

PieceWriter::PieceWriter(std::function<bool(QByteArrayView)> write)
    : m_buffer(kSize, Qt::Uninitialized), m_end(m_buffer.data()), m_write(std::move(write))
{
}

char* PieceWriter::room(qsizetype bytes)
{
    if (m_end + bytes > m_buffer.data() + kSize) flush();
    return m_end;
}

bool PieceWriter::flush()
{
    const qsizetype size = m_end - m_buffer.data();
    m_written = m_written && (size == 0 || m_write(QByteArrayView(m_buffer.data(), size)));
    m_end = m_buffer.data();
    return m_written;
}
