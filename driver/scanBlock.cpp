// Block layout: scan after scan, oldest first; each scan is its timestamp (two 32-bit
// integers, seconds and nanoseconds; present only when the mode stores timestamps)
// followed by the values of the enabled channels in channel order, each channel with
// its temperature, then the voltage and the cold-junction temperature when the data
// format holds them (doubles).
#include "scanBlock.h"

#include "blockValues.h"
#include "driverSession.h"

namespace ts4720 {

long scanCount(const std::string &bytes, const AcquisitionLayout &layout)
{
    size_t size = layout.scanBytes();
    if (size == 0 || bytes.size() % size != 0)
        return -1;
    return static_cast<long>(bytes.size() / size);
}

void unpackScans(const std::string &bytes, const AcquisitionLayout &layout, ViReal64 data[],
                 ViInt32 timestamps[])
{
    const size_t size = layout.scanBytes();
    const size_t n = bytes.size() / size;
    const size_t vpc = static_cast<size_t>(layout.valuesPerChannel);
    const size_t channels = static_cast<size_t>(layout.enabledChannels);
    for (size_t i = 0; i < n; ++i) {
        size_t offset = i * size;
        if (layout.timestamps) {
            if (timestamps != nullptr) {
                timestamps[2 * i] = int32At(bytes, offset);
                timestamps[2 * i + 1] = int32At(bytes, offset + 4);
            }
            offset += 8;
        } else if (timestamps != nullptr) {
            timestamps[2 * i] = 0;
            timestamps[2 * i + 1] = 0;
        }
        for (size_t k = 0; k < channels; ++k) {
            for (size_t j = 0; j < vpc; ++j, offset += 8)
                data[(n * k + i) * vpc + j] = doubleAt(bytes, offset);
        }
    }
}

long long lastTimestamp(const std::string &bytes, const AcquisitionLayout &layout)
{
    const size_t size = layout.scanBytes();
    if (!layout.timestamps || size == 0 || bytes.size() < size)
        return -1;
    const size_t offset = (bytes.size() / size - 1) * size;
    return static_cast<long long>(static_cast<ViUInt32>(int32At(bytes, offset))) * 1000000000LL
           + int32At(bytes, offset + 4);
}

} // namespace ts4720
