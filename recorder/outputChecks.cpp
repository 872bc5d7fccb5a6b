// Up-front checks of the output file.
#include "outputChecks.h"

#include "dataFileWriter.h"
#include "progressLine.h"

#include <filesystem>

namespace fs = std::filesystem;

namespace {

fs::path folderOf(const std::string &path)
{
    const fs::path parent = fs::path(path).parent_path();
    return parent.empty() ? fs::path(".") : parent;
}

} // namespace

bool checkOutputPath(const std::string &path, bool replace, std::string *error)
{
    std::error_code ec;
    const fs::path folder = folderOf(path);
    if (!fs::is_directory(folder, ec)) {
        *error = "the folder '" + folder.string() + "' does not exist";
        return false;
    }
    const fs::file_status status = fs::status(path, ec);
    if (fs::is_directory(status)) {
        *error = "'" + path + "' is a folder";
        return false;
    }
    if (fs::exists(status) && !replace) {
        *error = "'" + path + "' already exists (--force replaces it)";
        return false;
    }
    return true;
}

long long rowBytesAtMost(const dataFileColumns &columns)
{
    // "-2147483648.000000000," for the timestamp, "-9999.999999," for a value, then "\n".
    const long long perValue = 13;
    const long long timestamp = columns.timestamps ? 22 : 0;
    return timestamp + perValue * (long long)columns.channels.size() * columns.valuesPerChannel() + 1;
}

bool checkFreeSpace(const std::string &path, long long bytes, std::string *error)
{
    std::error_code ec;
    const fs::space_info space = fs::space(folderOf(path), ec);
    if (ec) // cannot tell: the run's own write check still catches a full disk
        return true;
    if ((unsigned long long)bytes <= space.available)
        return true;
    *error = "the run needs up to " + sizeText(bytes) + " but the disk of '" + folderOf(path).string()
             + "' has " + sizeText((long long)space.available) + " free";
    return false;
}
