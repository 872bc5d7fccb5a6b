// Buffered line reader for the data files.
#include "dataFileLineReader.h"

#include <cstring>

dataFileLineReader::dataFileLineReader(std::FILE *file, std::size_t maxLine, std::size_t bufferSize)
    : m_file(file), m_maxLine(maxLine ? maxLine : 1),
      m_size(bufferSize > 2 * m_maxLine ? bufferSize : 2 * m_maxLine), m_buffer(new char[m_size])
{
}

// Moves the unread bytes to the front and reads more behind them. False when nothing came.
bool dataFileLineReader::refill()
{
    if (m_endOfFile || !m_file || (m_begin == 0 && m_end == m_size))
        return false;
    if (m_begin > 0) {
        std::memmove(m_buffer.get(), m_buffer.get() + m_begin, m_end - m_begin);
        m_end -= m_begin;
        m_begin = 0;
    }
    std::size_t got = std::fread(m_buffer.get() + m_end, 1, m_size - m_end, m_file);
    m_end += got;
    if (got == 0)
        m_endOfFile = true;
    return got > 0;
}

bool dataFileLineReader::skipRestOfLine()
{
    m_skipping = false;
    for (;;) {
        const char *start = m_buffer.get() + m_begin;
        const void *newline = std::memchr(start, '\n', m_end - m_begin);
        if (newline) {
            m_begin += std::size_t(static_cast<const char *>(newline) - start) + 1;
            return true;
        }
        m_begin = m_end;
        if (!refill())
            return false;
    }
}

bool dataFileLineReader::next(const char *&line, std::size_t &length)
{
    if (m_skipping)
        skipRestOfLine();
    for (;;) {
        const char *start = m_buffer.get() + m_begin;
        const std::size_t available = m_end - m_begin;
        const void *newline = std::memchr(start, '\n', available < m_maxLine ? available : m_maxLine);
        if (newline) {
            length = std::size_t(static_cast<const char *>(newline) - start);
            m_begin += length + 1;
        } else if (available >= m_maxLine) {
            length = m_maxLine;
            m_begin += length;
            m_skipping = true;
        } else if (refill()) {
            continue;
        } else if (available > 0) {
            length = available;
            m_begin = m_end;
            m_unterminated = true;
        } else {
            return false;
        }
        line = m_buffer.get() + (m_begin - length - (newline ? 1 : 0));
        if (length > 0 && line[length - 1] == '\r')
            --length;
        return true;
    }
}

long long dataFileLineReader::countRemaining()
{
    if (m_skipping)
        skipRestOfLine();
    long long lines = 0;
    bool open = false;      // bytes of a line whose end has not been seen yet
    for (;;) {
        const char *p = m_buffer.get() + m_begin;
        const char *end = m_buffer.get() + m_end;
        while (const void *newline = std::memchr(p, '\n', std::size_t(end - p))) {
            ++lines;
            open = false;
            p = static_cast<const char *>(newline) + 1;
        }
        if (p < end)
            open = true;
        m_begin = m_end;
        if (!refill())
            break;
    }
    return lines + (open ? 1 : 0);
}
