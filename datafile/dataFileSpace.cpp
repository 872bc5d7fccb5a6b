// Room a data file needs and its disk has.
#include "dataFileSpace.h"

#include "dataFileWriter.h"

#include <filesystem>

namespace fs = std::filesystem;

long long rowBytesAtMost(const dataFileColumns &columns)
{
    // "-2147483648.000000000," for the timestamp, "-9999.999999," for a value, then "\n".
    const long long perValue = 13;
    const long long timestamp = columns.timestamps ? 22 : 0;
    return timestamp + perValue * (long long)columns.channels.size() * columns.valuesPerChannel() + 1;
}

long long freeBytesOn(const std::string &path)
{
    fs::path folder = fs::path(path).parent_path();
    if (folder.empty())
        folder = ".";
    std::error_code ec;
    const fs::space_info space = fs::space(folder, ec);
    return ec ? -1 : (long long)space.available;
}
