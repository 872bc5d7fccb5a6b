// Little-endian values inside IEEE 488.2 blocks.
#ifndef TS4720_BLOCKVALUES_H
#define TS4720_BLOCKVALUES_H

#include <cstdint>
#include <cstring>
#include <string>

namespace ts4720 {

inline uint64_t littleEndian(const std::string &bytes, size_t offset, int width)
{
    uint64_t value = 0;
    for (int i = width - 1; i >= 0; --i)
        value = (value << 8) | static_cast<unsigned char>(bytes[offset + static_cast<size_t>(i)]);
    return value;
}

inline double doubleAt(const std::string &bytes, size_t offset)
{
    uint64_t raw = littleEndian(bytes, offset, 8);
    double value;
    std::memcpy(&value, &raw, sizeof value);
    return value;
}

inline int32_t int32At(const std::string &bytes, size_t offset)
{
    return static_cast<int32_t>(static_cast<uint32_t>(littleEndian(bytes, offset, 4)));
}

} // namespace ts4720

#endif
