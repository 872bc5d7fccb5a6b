// Texts of replies: numbers in '.' notation whatever the locale, quoted strings, blocks.
#ifndef TSSIM_REPLYFORMAT_H
#define TSSIM_REPLYFORMAT_H

#include <cstdint>
#include <string>

namespace tssim {

// Shortest text that reads back as the same double; "NAN", "INF", "-INF".
std::string formatReal(double value);
// "\"text\"" with inner quotes doubled.
std::string quoted(const std::string &text);
// IEEE 488.2 definite-length block "#<n><length><bytes>".
std::string definiteBlock(const std::string &bytes);
// Appends the little-endian bytes of a value.
void appendLittleEndian(std::string *out, double value);
void appendLittleEndian(std::string *out, int32_t value);

} // namespace tssim

#endif
