// A VISA resource descriptor taken apart: interface, board and, for TCPIP, host, device
// name and port.
#ifndef TSVISA_RESOURCEDESCRIPTOR_H
#define TSVISA_RESOURCEDESCRIPTOR_H

#include "visatype.h"

#include <string>

namespace tsvisa {

enum class ResourceClass { Instr, Socket, Other };

struct ResourceDescriptor {
    ViUInt16 interfaceType = 0; // VI_INTF_...
    ViUInt16 board = 0;
    ResourceClass resourceClass = ResourceClass::Other;
    std::string interfaceName;  // upper case, e.g. "GPIB-VXI"
    std::string className;      // upper case, e.g. "INSTR"
    std::string host;           // TCPIP: as written, without the brackets of an IPv6 address
    std::string deviceName;     // TCPIP INSTR: "inst0" when none is given
    ViUInt16 port = 0;          // TCPIP: 5025 for INSTR

    bool isTcpip() const;
    // "TCPIP<board>::<host>::<device>::INSTR" or "TCPIP<board>::<host>::<port>::SOCKET";
    // other interfaces: upper-case interface and class around the parts as written.
    std::string canonicalName() const;
};

// VI_SUCCESS, or VI_ERROR_INV_RSRC_NAME when the text is not a descriptor this library
// understands (unknown interface, missing parts, bad port, spaces ...).
ViStatus parseDescriptor(const std::string &text, ResourceDescriptor *out);

// Case-insensitive comparison of two descriptors by their canonical names; texts that
// are no descriptors are equal only to themselves (ignoring case).
bool sameResource(const std::string &a, const std::string &b);

} // namespace tsvisa

#endif
