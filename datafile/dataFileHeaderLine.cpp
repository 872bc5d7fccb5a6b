// Header lines of the data files.
#include "dataFileHeaderLine.h"

#include "dataFileNumbers.h"
#include "loadedFile.h"
#include "modelTable.h"

#include <cstring>

namespace {

bool isAlnum(unsigned char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
}

bool isKeyChar(unsigned char c) { return isAlnum(c) || c == '_' || c == ':' || c == ' '; }

// '.' to ':' covers ". / 0-9 :", so neither '-' nor '(' belongs to a value.
bool isValueChar(unsigned char c) { return isAlnum(c) || (c >= '.' && c <= ':') || c == ',' || c == ' '; }

// Reads "%d.%d.%d %d:%d:%d,%d" into fields in order; stops at the first mismatch, like sscanf.
void scanAlarm(const char *text, loadedFileRecord &r)
{
    int *fields[] = {&r.alarmDay, &r.alarmMonth, &r.alarmYear, &r.alarmHour,
                     &r.alarmMinute, &r.alarmSecond, &r.alarmSeconds};
    const char separators[] = {'.', '.', ' ', ':', ':', ','};   // what follows each field but the last
    const char *p = text;
    const char *end = text + std::strlen(text);
    for (int i = 0; i < 7; ++i) {
        const char *stop = p;
        long long v = parseLeadingInt(p, end, &stop);
        if (stop == p)
            return;
        *fields[i] = clampToInt(v);
        p = stop;
        if (i == 6)
            return;
        const char separator = separators[i];
        if (separator == ' ') {
            while (p < end && *p == ' ')
                ++p;
        } else if (p < end && *p == separator) {
            ++p;
        } else {
            return;
        }
    }
}

// Keys are compared on the length of the name only: "Number of" takes any such key.
bool keyIs(const char *key, const char *name)
{
    return beginsWithNoCase(key, std::strlen(key), name);
}

} // namespace

bool beginsWithNoCase(const char *text, std::size_t length, const char *prefix)
{
    const std::size_t n = std::strlen(prefix);
    if (length < n)
        return false;
    for (std::size_t i = 0; i < n; ++i) {
        char a = text[i], b = prefix[i];
        if (a >= 'A' && a <= 'Z')
            a = char(a - 'A' + 'a');
        if (b >= 'A' && b <= 'Z')
            b = char(b - 'A' + 'a');
        if (a != b)
            return false;
    }
    return true;
}

void copyCut(char *field, std::size_t fieldSize, const char *text, std::size_t length)
{
    if (fieldSize == 0)
        return;
    const std::size_t n = length < fieldSize - 1 ? length : fieldSize - 1;
    std::memcpy(field, text, n);
    field[n] = '\0';
}

void dataFileHeaderLine::split(const char *text, std::size_t length)
{
    key[0] = fullValue[0] = value[0] = '\0';
    std::size_t i = 0;
    while (i < length && i < 64 && isKeyChar((unsigned char)text[i]))
        ++i;
    if (i == 0)
        return;
    copyCut(key, sizeof key, text, i);
    if (i >= length || text[i] != ',')
        return;
    const std::size_t start = ++i;
    while (i < length && i - start < 127 && isValueChar((unsigned char)text[i]))
        ++i;
    copyCut(fullValue, sizeof fullValue, text + start, i - start);
    const char *comma = std::strchr(fullValue, ',');
    copyCut(value, sizeof value, fullValue, comma ? std::size_t(comma - fullValue) : std::strlen(fullValue));
}

int applyDataFileHeaderLine(const char *text, std::size_t length, loadedFileRecord &r)
{
    if (beginsWithNoCase(text, length, "Korvan 4720-")) {
        const char *suffix = text + 12;
        const std::size_t rest = length - 12;
        const int channels = rest >= 2 ? modelTable::channelsOf(std::string_view(suffix, 2)) : 0;
        if (channels == 0)
            return -1;
        r.channelCount = channels;
        return 0;
    }
    dataFileHeaderLine line;
    line.split(text, length);
    const char *value = line.value;
    const std::size_t valueLength = std::strlen(value);
    if (keyIs(line.key, "Serial Number"))
        copyCut(r.serialNumber, sizeof r.serialNumber, value, valueLength);
    else if (keyIs(line.key, "Clock Source"))
        copyCut(r.clockSource, sizeof r.clockSource, value, valueLength);
    else if (keyIs(line.key, "Scan Rate"))
        r.scanRate = parseLeadingDouble(value, value + valueLength);
    else if (keyIs(line.key, "Start Mode"))
        copyCut(r.startMode, sizeof r.startMode, value, valueLength);
    else if (keyIs(line.key, "PTP Alarm"))
        scanAlarm(line.fullValue, r);
    else if (keyIs(line.key, "Stop Mode"))
        copyCut(r.stopMode, sizeof r.stopMode, value, valueLength);
    else if (keyIs(line.key, "Number of"))
        r.numberOfScans = clampToInt(parseLeadingInt(value, value + valueLength));
    return 0;
}

bool isDataFileColumnLine(const char *text, std::size_t length)
{
    return beginsWithNoCase(text, length, "Timestamp") || beginsWithNoCase(text, length, "Channel");
}
