// The Korvan 4720 models: sub-type text and channel count, in one table for the main panel,
// the data-file header, the recorder and the simulated instrument. Plain C++, no library.
#ifndef TS4720_MODELTABLE_H
#define TS4720_MODELTABLE_H

#include <string_view>

namespace modelTable {

// The most channels a model has; every per-channel table holds this many.
constexpr int maxChannels = 48;

struct model {
    const char *subType;
    int channels;
};
constexpr model models[] = {{"AA", 16}, {"AB", 32}, {"AC", 48}};

// The channel count of a sub-type (exact, case-sensitive); 0 when no model has it.
inline int channelsOf(std::string_view subType)
{
    for (const model &m : models) {
        if (subType == m.subType)
            return m.channels;
    }
    return 0;
}

// The sub-type of a channel count; nullptr when no model has it.
inline const char *subTypeOf(int channels)
{
    for (const model &m : models) {
        if (channels == m.channels)
            return m.subType;
    }
    return nullptr;
}

} // namespace modelTable

#endif
