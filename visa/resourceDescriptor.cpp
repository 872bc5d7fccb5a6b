// Parsing of VISA resource descriptors.
#include "resourceDescriptor.h"

#include "asciiText.h"
#include "visa.h"

#include <vector>

namespace tsvisa {

namespace {

const ViUInt16 instrPort = 5025;

struct InterfaceName {
    const char *name;
    ViUInt16 type;
};

// GPIB-VXI before GPIB, so that the longer name wins.
const InterfaceName interfaceNames[] = {
    {"TCPIP", VI_INTF_TCPIP}, {"GPIB-VXI", VI_INTF_GPIB_VXI}, {"GPIB", VI_INTF_GPIB},
    {"VXI", VI_INTF_VXI},     {"ASRL", VI_INTF_ASRL},         {"PXI", VI_INTF_PXI},
    {"USB", VI_INTF_USB},
};

const char *const classNames[] = {"INSTR", "SOCKET", "INTFC", "BACKPLANE", "MEMACC", "SERVANT", "RAW"};

// Splits at "::"; a part starting with '[' runs to the matching ']' so that an IPv6
// address keeps its colons. False on an unterminated bracket or text behind it.
bool splitParts(const std::string &text, std::vector<std::string> *parts)
{
    size_t pos = 0;
    while (true) {
        size_t end;
        if (pos < text.size() && text[pos] == '[') {
            const size_t close = text.find(']', pos);
            if (close == std::string::npos)
                return false;
            end = close + 1;
            if (end < text.size() && text.compare(end, 2, "::") != 0)
                return false;
        } else {
            end = text.find("::", pos);
            if (end == std::string::npos)
                end = text.size();
        }
        parts->push_back(text.substr(pos, end - pos));
        if (end >= text.size())
            return true;
        pos = end + 2;
    }
}

bool isPlainPart(const std::string &part)
{
    if (part.empty())
        return false;
    for (char c : part) {
        const auto u = static_cast<unsigned char>(c);
        if (ascii::isSpace(c) || c == ':' || c == '[' || c == ']' || u < 32 || u >= 127)
            return false;
    }
    return true;
}

// Reads an unsigned decimal number that fills the whole text; false when out of range.
bool readNumber(const std::string &text, unsigned long maximum, unsigned long *value)
{
    if (text.empty() || text.size() > 6)
        return false;
    unsigned long v = 0;
    for (char c : text) {
        if (!ascii::isDigit(c))
            return false;
        v = v * 10 + static_cast<unsigned long>(c - '0');
    }
    if (v > maximum)
        return false;
    *value = v;
    return true;
}

bool parseInterface(const std::string &first, ResourceDescriptor *d)
{
    const std::string name = ascii::upper(first);
    for (const InterfaceName &known : interfaceNames) {
        const std::string prefix = known.name;
        if (name.compare(0, prefix.size(), prefix) != 0)
            continue;
        const std::string boardText = name.substr(prefix.size());
        unsigned long board = 0;
        if (!boardText.empty() && !readNumber(boardText, 0xFFFF, &board))
            return false;
        d->interfaceName = prefix;
        d->interfaceType = known.type;
        d->board = static_cast<ViUInt16>(board);
        return true;
    }
    return false;
}

bool parseHost(const std::string &part, std::string *host)
{
    if (part.size() > 2 && part.front() == '[' && part.back() == ']') {
        // IPv6: hex digits, colons, dots and a zone after '%'.
        *host = part.substr(1, part.size() - 2);
        for (char c : *host) {
            if (!ascii::isAlnum(c) && c != ':' && c != '.' && c != '%')
                return false;
        }
        return true;
    }
    *host = part;
    return isPlainPart(part);
}

bool parseTcpip(const std::vector<std::string> &parts, ResourceDescriptor *d)
{
    const size_t middle = parts.size() - 2;
    if (!parseHost(parts[1], &d->host))
        return false;
    if (d->className == "INSTR" && (middle == 1 || middle == 2)) {
        d->resourceClass = ResourceClass::Instr;
        d->port = instrPort;
        d->deviceName = middle == 2 ? parts[2] : "inst0";
        return isPlainPart(d->deviceName);
    }
    if (d->className == "SOCKET" && middle == 2) {
        unsigned long port = 0;
        if (!readNumber(parts[2], 0xFFFF, &port) || port == 0)
            return false;
        d->resourceClass = ResourceClass::Socket;
        d->port = static_cast<ViUInt16>(port);
        return true;
    }
    return false;
}

} // namespace

bool ResourceDescriptor::isTcpip() const
{
    return interfaceType == VI_INTF_TCPIP;
}

std::string ResourceDescriptor::canonicalName() const
{
    const std::string head = interfaceName + std::to_string(board) + "::";
    if (!isTcpip())
        return head + ascii::upper(host) + className;
    const std::string hostText = host.find(':') != std::string::npos ? "[" + host + "]" : host;
    if (resourceClass == ResourceClass::Socket)
        return head + hostText + "::" + std::to_string(port) + "::SOCKET";
    return head + hostText + "::" + deviceName + "::INSTR";
}

ViStatus parseDescriptor(const std::string &text, ResourceDescriptor *out)
{
    ResourceDescriptor d;
    std::vector<std::string> parts;
    if (!splitParts(text, &parts) || parts.size() < 2 || !parseInterface(parts.front(), &d))
        return VI_ERROR_INV_RSRC_NAME;
    d.className = ascii::upper(parts.back());
    bool knownClass = false;
    for (const char *name : classNames)
        knownClass = knownClass || d.className == name;
    if (!knownClass)
        return VI_ERROR_INV_RSRC_NAME;
    if (d.isTcpip()) {
        if (parts.size() < 3 || !parseTcpip(parts, &d))
            return VI_ERROR_INV_RSRC_NAME;
    } else {
        // Other interfaces are only listed, never opened: keep their address parts
        // (in host, joined again) for the canonical name.
        for (size_t i = 1; i + 1 < parts.size(); ++i) {
            if (!isPlainPart(parts[i]))
                return VI_ERROR_INV_RSRC_NAME;
            d.host += parts[i] + "::";
        }
        d.resourceClass = d.className == "INSTR" ? ResourceClass::Instr : ResourceClass::Other;
    }
    *out = d;
    return VI_SUCCESS;
}

bool sameResource(const std::string &a, const std::string &b)
{
    ResourceDescriptor da;
    ResourceDescriptor db;
    if (parseDescriptor(a, &da) != VI_SUCCESS || parseDescriptor(b, &db) != VI_SUCCESS)
        return ascii::upper(a) == ascii::upper(b);
    return ascii::upper(da.canonicalName()) == ascii::upper(db.canonicalName());
}

} // namespace tsvisa
