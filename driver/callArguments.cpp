#include "callArguments.h"

#include "ts4720.h"

#include <cstring>

namespace ts4720 {

namespace {
const char *const kChannelTypes[] = {"J", "K", "T", "E", "B", "S", "R", "N", "User 1", "User 2"};
const char *const kCustomTypes[] = {"User 1", "User 2", "WebInterface_UA", "WebInterface_UB"};

template <size_t N>
bool listed(const char *name, const char *const (&names)[N])
{
    if (name == nullptr)
        return false;
    for (const char *candidate : names) {
        if (std::strcmp(name, candidate) == 0)
            return true;
    }
    return false;
}
} // namespace

bool validChannel(ViInt16 channel)
{
    return channel >= 1 && channel <= TS4720_MAX_CHANNELS;
}

bool validChannelType(const char *name)
{
    return listed(name, kChannelTypes);
}

bool validCustomTypeName(const char *name)
{
    return listed(name, kCustomTypes);
}

void copyText(char *destination, size_t size, const std::string &text)
{
    if (destination == nullptr || size == 0)
        return;
    size_t n = text.size() < size - 1 ? text.size() : size - 1;
    std::memcpy(destination, text.data(), n);
    destination[n] = '\0';
}

ViStatus worse(ViStatus a, ViStatus b)
{
    if (a < 0)
        return a;
    if (b < 0)
        return b;
    return a != 0 ? a : b;
}

} // namespace ts4720
