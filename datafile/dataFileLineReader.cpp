// Buffered line reader for the data files.
#include "dataFileLineReader.h"

#include <cstring>

dataFileLineReader::dataFileLineReader(std::FILE *file, std::size_t maxLine, std::size_t bufferSize)
    : file_(file), maxLine_(maxLine ? maxLine : 1),
      size_(bufferSize > 2 * maxLine_ ? bufferSize : 2 * maxLine_), buffer_(new char[size_])
{
}

// Moves the unread bytes to the front and reads more behind them. False when nothing came.
bool dataFileLineReader::refill()
{
    if (endOfFile_ || !file_ || (begin_ == 0 && end_ == size_))
        return false;
    if (begin_ > 0) {
        std::memmove(buffer_.get(), buffer_.get() + begin_, end_ - begin_);
        end_ -= begin_;
        begin_ = 0;
    }
    std::size_t got = std::fread(buffer_.get() + end_, 1, size_ - end_, file_);
    end_ += got;
    if (got == 0)
        endOfFile_ = true;
    return got > 0;
}

bool dataFileLineReader::skipRestOfLine()
{
    skipping_ = false;
    for (;;) {
        const char *start = buffer_.get() + begin_;
        const void *newline = std::memchr(start, '\n', end_ - begin_);
        if (newline) {
            begin_ += std::size_t(static_cast<const char *>(newline) - start) + 1;
            return true;
        }
        begin_ = end_;
        if (!refill())
            return false;
    }
}

bool dataFileLineReader::next(const char *&line, std::size_t &length)
{
    if (skipping_)
        skipRestOfLine();
    for (;;) {
        const char *start = buffer_.get() + begin_;
        const std::size_t available = end_ - begin_;
        const void *newline = std::memchr(start, '\n', available < maxLine_ ? available : maxLine_);
        if (newline) {
            length = std::size_t(static_cast<const char *>(newline) - start);
            begin_ += length + 1;
        } else if (available >= maxLine_) {
            length = maxLine_;
            begin_ += length;
            skipping_ = true;
        } else if (refill()) {
            continue;
        } else if (available > 0) {
            length = available;
            begin_ = end_;
        } else {
            return false;
        }
        line = buffer_.get() + (begin_ - length - (newline ? 1 : 0));
        if (length > 0 && line[length - 1] == '\r')
            --length;
        return true;
    }
}

long long dataFileLineReader::countRemaining()
{
    if (skipping_)
        skipRestOfLine();
    long long lines = 0;
    bool open = false;      // bytes of a line whose end has not been seen yet
    for (;;) {
        const char *p = buffer_.get() + begin_;
        const char *end = buffer_.get() + end_;
        while (const void *newline = std::memchr(p, '\n', std::size_t(end - p))) {
            ++lines;
            open = false;
            p = static_cast<const char *>(newline) + 1;
        }
        if (p < end)
            open = true;
        begin_ = end_;
        if (!refill())
            break;
    }
    return lines + (open ? 1 : 0);
}
