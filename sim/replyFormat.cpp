// Reply formatting helpers.
#include "replyFormat.h"

#include "asciiText.h"
#include <cmath>
#include <cstdint>
#include <cstring>

namespace tssim {

std::string formatReal(double value)
{
    return ascii::formatReal(value);
}

std::string quoted(const std::string &text)
{
    std::string out = "\"";
    for (char c : text) {
        if (c == '"')
            out += '"';
        out += c;
    }
    return out + "\"";
}

std::string definiteBlock(const std::string &bytes)
{
    const std::string length = std::to_string(bytes.size());
    return "#" + std::to_string(length.size()) + length + bytes;
}

namespace {

template <typename T> void appendBytes(std::string *out, T value)
{
    unsigned char raw[sizeof(T)];
    std::memcpy(raw, &value, sizeof(T));
    // Little-endian on the wire, whatever this machine is.
    const uint16_t probe = 1;
    unsigned char first = 0;
    std::memcpy(&first, &probe, 1);
    if (first == 0) {
        for (size_t i = 0; i < sizeof(T) / 2; ++i)
            std::swap(raw[i], raw[sizeof(T) - 1 - i]);
    }
    out->append(reinterpret_cast<const char *>(raw), sizeof(T));
}

} // namespace

void appendLittleEndian(std::string *out, double value)
{
    appendBytes(out, value);
}

void appendLittleEndian(std::string *out, int32_t value)
{
    appendBytes(out, value);
}

} // namespace tssim
