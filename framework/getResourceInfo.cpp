// Identification of one VISA resource by *IDN?.
#include "getResourceInfo.h"

#include "trace.h"
#include "ts2900fp_genSPC.h"
#include "visa.h"

#include <cctype>
#include <climits>
#include <cstring>

namespace {

const ViUInt32 textBufferSize = 256;

// Reads the identification and the network attributes of an open TCPIP session.
void identify(ViSession vi, ViInt32 wantedModel, ts2900fp_resourceEntry &entry)
{
    ViChar hostName[textBufferSize] = {};
    ViChar deviceName[textBufferSize] = {};
    entry.model = 0;

    static const char query[] = "*IDN?";
    ViUInt32 count = 0;
    if (viWrite(vi, reinterpret_cast<ViConstBuf>(query), 5, &count) == VI_SUCCESS) {
        ViByte reply[textBufferSize] = {};
        // A read that stopped at the line end reports VI_SUCCESS_TERM_CHAR: data came
        // all the same, so every non-error status counts.
        if (viRead(vi, reply, textBufferSize - 1, &count) >= VI_SUCCESS) {
            reply[qMin(count, textBufferSize - 1)] = 0;
            entry.model = ts2900fp_modelFromIdentity(reinterpret_cast<const char *>(reply));
        }
    }
    // A failed read leaves its buffer empty; the host name is read even without a reply.
    viGetAttribute(vi, VI_ATTR_TCPIP_HOSTNAME, hostName);
    viGetAttribute(vi, VI_ATTR_TCPIP_DEVICE_NAME, deviceName);
    hostName[textBufferSize - 1] = 0;
    deviceName[textBufferSize - 1] = 0;

    const QString module = entry.model != 0 ? QStringLiteral("%1 LXI").arg(entry.model)
                                            : QStringLiteral("LXI");
    entry.columns = QStringList{QString::fromLatin1(hostName), QString::fromLatin1(deviceName),
                                module};
    if (ViInt32(entry.model) == wantedModel)
        entry.available = true;
}

} // namespace

ViInt16 ts2900fp_modelFromIdentity(const char *reply)
{
    static const char prefix[] = "Tarsel Ltd.,Korvan";
    const size_t prefixLength = sizeof prefix - 1;
    if (std::strncmp(reply, prefix, prefixLength) != 0)
        return 0;
    const char *p = reply + prefixLength;
    while (std::isspace(static_cast<unsigned char>(*p)))
        ++p;
    const bool negative = *p == '-';
    if (*p == '-' || *p == '+')
        ++p;
    if (!std::isdigit(static_cast<unsigned char>(*p)))
        return 0;
    long long value = 0;
    for (; std::isdigit(static_cast<unsigned char>(*p)) && value <= SHRT_MAX + 1LL; ++p)
        value = value * 10 + (*p - '0');
    if (negative)
        value = -value;
    // A number beyond 16 bits must not wrap around into a valid model number.
    if (value < SHRT_MIN || value > SHRT_MAX || std::isdigit(static_cast<unsigned char>(*p)))
        return 0;
    return ViInt16(value);
}

void getResourceInfo(getResourceInfo_params_t *p)
{
    ts2900fp_resourceEntry entry = p->entry;
    const QByteArray descriptor = entry.descriptor.toLatin1();
    ViSession vi = 0;
    const ViStatus status = viOpen(p->rm, descriptor.constData(), VI_NULL, 0, &vi);
    if (status < VI_SUCCESS) {
        if (status == VI_ERROR_RSRC_BUSY)
            trace("viOpen() for %s failed with VI_ERROR_RSRC_BUSY!\n", descriptor.constData());
        return;
    }
    entry.available = false;
    ViUInt16 interfaceType = 0;
    if (viGetAttribute(vi, VI_ATTR_INTF_TYPE, &interfaceType) == VI_SUCCESS
        && interfaceType == VI_INTF_TCPIP)
        identify(vi, p->spc->modelNumber, entry);
    viClose(vi);
    p->entry = entry;
}
