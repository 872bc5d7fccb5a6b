// Storage functions: disk information, file list, delete and download.
#include "ts4720.h"

#include "callArguments.h"
#include "downloadFile.h"
#include "sessionCall.h"

#include <cstdint>
#include <string>

using namespace ts4720;

namespace {
const size_t kMaxFileListBytes = 16u * 1024u * 1024u; // some 300,000 files

bool validLocation(ViInt16 location)
{
    return location == ts4720_STORAGE_HD || location == ts4720_STORAGE_RAM;
}

// `<loc>,"<name>"`; false for a name the instrument's parser cannot carry.
bool fileArgument(ViInt16 location, ViConstString fileName, std::string *argument)
{
    std::string quoted;
    if (fileName == nullptr || fileName[0] == '\0' || !scpi::quote(fileName, &quoted))
        return false;
    *argument = std::to_string(location) + "," + quoted;
    return true;
}

ViStatus fetchFileList(DriverSession &session, ViInt32 *length)
{
    std::string bytes;
    session.fileList.clear();
    *length = 0;
    ViStatus status = session.queryBlock("MMEM:CAT?", kMaxFileListBytes, &bytes);
    if (status < 0)
        return status;
    session.fileList = bytes.substr(0, bytes.find('\0'));
    *length = static_cast<ViInt32>(session.fileList.size());
    return status;
}
} // namespace

ViStatus ts4720_getStorageInfo(ViSession vi, ViInt16 location, ViChar info[], ViInt32 *totalKB,
                               ViInt32 *freeKB)
{
    if (!validLocation(location))
        return TS4720_ERROR_INV_PARAMETER;
    if (totalKB == nullptr || freeKB == nullptr)
        return TS4720_ERROR_NULL_POINTER;
    std::string unit;
    ViStatus status = sessionQuery(vi, "MMEM:INFO? " + std::to_string(location), &unit);
    if (status < 0)
        return status;
    std::vector<std::string> fields = scpi::split(unit, ',');
    std::string text;
    long long total = 0, free = 0;
    if (fields.size() != 3 || !scpi::unquote(fields[0], &text) || !scpi::toLong(fields[1], &total)
        || !scpi::toLong(fields[2], &free) || total < 0 || free < 0 || total > 0x7FFFFFFF
        || free > 0x7FFFFFFF)
        return TS4720_ERROR_BAD_RESPONSE;
    copyText(info, TS4720_STORAGE_INFO_SIZE, text);
    *totalKB = static_cast<ViInt32>(total);
    *freeKB = static_cast<ViInt32>(free);
    return status;
}

ViStatus ts4720_getStorageFileList(ViSession vi, ViChar buffer[], ViInt32 *length)
{
    if (buffer == nullptr && length == nullptr)
        return TS4720_ERROR_NULL_POINTER;
    if (buffer != nullptr && length != nullptr && *length < 1)
        return TS4720_ERROR_INV_PARAMETER;
    SessionCall call(vi);
    if (call.status() != 0)
        return call.status();
    if (buffer == nullptr)
        return fetchFileList(call.session(), length);
    const std::string &list = call->fileList;
    if (length == nullptr) {
        copyText(buffer, list.size() + 1, list);
        return VI_SUCCESS;
    }
    ViInt32 size = *length;
    copyText(buffer, static_cast<size_t>(size), list);
    *length = static_cast<ViInt32>(list.size());
    return list.size() + 1 > static_cast<size_t>(size) ? TS4720_ERROR_BUFFER_TOO_SMALL : VI_SUCCESS;
}

ViStatus ts4720_deleteFile(ViSession vi, ViInt16 location, ViConstString fileName)
{
    std::string argument;
    if (!validLocation(location) || !fileArgument(location, fileName, &argument))
        return TS4720_ERROR_INV_PARAMETER;
    return sessionCommand(vi, "MMEM:DEL " + argument);
}

ViStatus ts4720_downloadFile(ViSession vi, ViInt16 location, ViConstString fileName,
                             ViConstString destinationPath)
{
    std::string argument;
    if (!validLocation(location) || !fileArgument(location, fileName, &argument)
        || destinationPath == nullptr || destinationPath[0] == '\0')
        return TS4720_ERROR_INV_PARAMETER;
    SessionCall call(vi);
    if (call.status() != 0)
        return call.status();
    // Streamed to the file as the bytes arrive, so memory stays the same whatever the size.
    DownloadFile file(destinationPath);
    ViStatus status = call->queryBlock("MMEM:DATA? " + argument, SIZE_MAX,
                                       [&file](const char *data, size_t size) { return file.write(data, size); });
    if (status >= 0 && !file.commit())
        status = TS4720_ERROR_FILE_IO;
    return status;
}
