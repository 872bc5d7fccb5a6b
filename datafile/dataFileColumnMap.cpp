// Column line of the data files.
#include "dataFileColumnMap.h"

#include "dataFileHeaderLine.h"
#include "dataFileNumbers.h"
#include "loadedFile.h"
#include "modelTable.h"

#include <algorithm>
#include <string_view>

namespace {

struct namedChannel {
    int column;
    int number;
};

// "Channel 3 [°C] TC:User 1 OTD enabled": detection flag and type name. The name runs to
// the detection suffix or the end of the column, so "User 1" and "User 2" keep their number.
void describeChannel(std::string_view token, loadedFileChannel &channel)
{
    channel.present = 1;
    const std::size_t otd = token.find("OTD enabled");
    channel.otd = otd != std::string_view::npos ? 1 : 0;
    const std::size_t tc = token.find("TC:");
    if (tc == std::string_view::npos)
        return;
    const std::size_t end = otd != std::string_view::npos && otd > tc ? otd : token.size();
    std::string_view type = token.substr(tc + 3, end - (tc + 3));
    while (!type.empty() && type.back() == ' ')
        type.remove_suffix(1);
    copyCut(channel.type, sizeof channel.type, type.data(), type.size());
}

} // namespace

void dataFileColumnMap::parse(const char *text, std::size_t length, int channelCount,
                              loadedFileRecord *record)
{
    timestampColumn = -1;
    temperatures.clear();
    std::vector<namedChannel> named;
    bool seen[49] = {};
    const std::string_view line(text, length);
    std::size_t start = 0;
    for (int column = 0; start <= length; ++column) {
        std::size_t comma = line.find(',', start);
        if (comma == std::string_view::npos)
            comma = length;
        std::string_view token = line.substr(start, comma - start);
        start = comma + 1;
        while (!token.empty() && token.front() == ' ')
            token.remove_prefix(1);
        if (beginsWithNoCase(token.data(), token.size(), "Timestamp")) {
            if (timestampColumn < 0)
                timestampColumn = column;
            if (record)
                record->hasTimestamps = 1;
        } else if (beginsWithNoCase(token.data(), token.size(), "TC ")) {
            if (record)
                record->hasVoltage = 1;
        } else if (beginsWithNoCase(token.data(), token.size(), "CJ ")) {
            if (record)
                record->hasColdJunction = 1;
        } else if (beginsWithNoCase(token.data(), token.size(), "Channel ")) {
            const char *stop = nullptr;
            const long long number = parseLeadingInt(token.data() + 8, token.data() + token.size(), &stop);
            if (stop == token.data() + 8 || number < 1 || number > channelCount || number > modelTable::maxChannels || seen[number])
                continue;
            seen[number] = true;
            named.push_back({column, int(number)});
            if (record)
                describeChannel(token, record->channels[number - 1]);
        }
    }
    for (const namedChannel &c : named) {
        int rank = 0;
        for (int n = 1; n < c.number; ++n)
            rank += seen[n] ? 1 : 0;
        temperatures.push_back({c.column, rank});
    }
}
