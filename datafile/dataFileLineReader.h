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

    // The last line handed out ended at the end of the file without a "\n" (a file cut
    // short while it was written ends so).
    bool lastLineUnterminated() const { return m_unterminated; }
    // Reading the file failed (not merely ended).
    bool readFailed() const { return m_file && std::ferror(m_file); }

private:
    bool refill();
    bool skipRestOfLine();

    std::FILE *m_file;
    std::size_t m_maxLine;
    std::size_t m_size;                  // of the buffer, at least twice maxLine
    std::unique_ptr<char[]> m_buffer;    // not zero-filled: only bytes read are looked at
    std::size_t m_begin = 0;     // first unread byte
    std::size_t m_end = 0;       // end of the bytes read so far
    bool m_endOfFile = false;
    bool m_skipping = false;     // the previous line was cut; its rest is still to be skipped
    bool m_unterminated = false; // the last line handed out had no "\n"
};

#endif
