// Reads a data file line by line through one large buffer (no per-line allocation, no
// iostreams). A line ends at "\n"; a "\r" before it is dropped, so CR-LF files read alike.
#ifndef TS4720_DATAFILELINEREADER_H
#define TS4720_DATAFILELINEREADER_H

#include <cstddef>
#include <cstdio>
#include <memory>

class dataFileLineReader
{
public:
    // Lines longer than maxLine characters are handed out cut to maxLine characters; the rest
    // of such a line is skipped, so it still counts as one line.
    explicit dataFileLineReader(std::FILE *file, std::size_t maxLine = 65536,
                                std::size_t bufferSize = 1 << 18);

    // The next line, valid until the next call. False at the end of the file.
    bool next(const char *&line, std::size_t &length);

    // Number of lines from here to the end of the file.
    long long countRemaining();

private:
    bool refill();
    bool skipRestOfLine();

    std::FILE *file_;
    std::size_t maxLine_;
    std::size_t size_;                  // of the buffer, at least twice maxLine
    std::unique_ptr<char[]> buffer_;    // not zero-filled: only bytes read are looked at
    std::size_t begin_ = 0;     // first unread byte
    std::size_t end_ = 0;       // end of the bytes read so far
    bool endOfFile_ = false;
    bool skipping_ = false;     // the previous line was cut; its rest is still to be skipped
};

#endif
