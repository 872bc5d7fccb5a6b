// Up-front checks of the output file.
#include "outputChecks.h"

#include "dataFileSpace.h"
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

bool checkFreeSpace(const std::string &path, long long bytes, std::string *error)
{
    const long long available = freeBytesOn(path);
    if (available < 0) // cannot tell: the run's own write check still catches a full disk
        return true;
    if (bytes <= available)
        return true;
    *error = "the run needs up to " + sizeText(bytes) + " but the disk of '" + folderOf(path).string()
             + "' has " + sizeText(available) + " free";
    return false;
}
