// Discovery for the recorder over plain VISA calls.
#include "instrumentFinder.h"

#include "ts4720.h"
#include "visa.h"

#include <QThreadPool>
#include <QtConcurrent/QtConcurrentMap>

#include <algorithm>

namespace {

std::vector<std::string> listResources(ViSession rm)
{
    std::vector<std::string> descriptors;
    ViFindList list = 0;
    ViUInt32 count = 0;
    ViChar descriptor[VI_FIND_BUFLEN] = {};
    if (viFindRsrc(rm, "?*INSTR", &list, &count, descriptor) != VI_SUCCESS)
        return descriptors;
    while (count-- > 0) {
        descriptor[VI_FIND_BUFLEN - 1] = 0;
        descriptors.push_back(descriptor);
        if (count > 0 && viFindNext(list, descriptor) != VI_SUCCESS)
            break;
    }
    viClose(list);
    return descriptors;
}

std::string identityReply(ViSession rm, const std::string &descriptor)
{
    ViSession vi = 0;
    if (viOpen(rm, descriptor.c_str(), VI_NULL, 0, &vi) < VI_SUCCESS)
        return std::string();
    std::string reply;
    ViUInt16 type = 0;
    static const char query[] = "*IDN?\n";
    ViUInt32 count = 0;
    ViByte buffer[256] = {};
    if (viGetAttribute(vi, VI_ATTR_INTF_TYPE, &type) == VI_SUCCESS && type == VI_INTF_TCPIP
        && viWrite(vi, reinterpret_cast<ViConstBuf>(query), sizeof query - 1, &count) == VI_SUCCESS
        && viRead(vi, buffer, sizeof buffer - 1, &count) >= VI_SUCCESS)
        reply.assign(reinterpret_cast<const char *>(buffer), std::min<ViUInt32>(count, sizeof buffer - 1));
    viClose(vi);
    while (!reply.empty() && (reply.back() == '\n' || reply.back() == '\r'))
        reply.pop_back();
    return reply;
}

// The sub-type comes from the driver: *IDN? names the model family only.
std::string modelText(const std::string &descriptor)
{
    std::string model = "Korvan 4720";
    ViSession vi = 0;
    if (ts4720_init(descriptor.c_str(), VI_FALSE, VI_FALSE, &vi) < 0)
        return model;
    ViChar subType[TS4720_ATTR_STRING_SIZE] = {};
    if (ts4720_getAttribute(vi, ts4720_ATTR_SUB_TYPE, subType) >= 0 && subType[0])
        model += "-" + std::string(subType);
    ts4720_close(vi);
    return model;
}

struct probe {
    ViSession rm = 0;
    std::string descriptor;
    bool found = false;
    foundInstrument instrument;
};

void runProbe(probe &p)
{
    std::string serial;
    if (!isKorvan4720(identityReply(p.rm, p.descriptor), &serial))
        return;
    p.found = true;
    p.instrument = {p.descriptor, modelText(p.descriptor), serial};
}

} // namespace

bool isKorvan4720(const std::string &reply, std::string *serial)
{
    static const std::string prefix = "Tarsel Ltd.,Korvan 4720,";
    if (reply.compare(0, prefix.size(), prefix) != 0)
        return false;
    const size_t end = reply.find(',', prefix.size());
    *serial = reply.substr(prefix.size(), end == std::string::npos ? std::string::npos : end - prefix.size());
    return true;
}

discoveryResult findInstruments()
{
    discoveryResult result;
    ViSession rm = 0;
    if (viOpenDefaultRM(&rm) != VI_SUCCESS)
        return result;
    std::vector<probe> probes;
    for (const std::string &d : listResources(rm))
        probes.push_back({rm, d, false, {}});
    result.resources = int(probes.size());
    if (!probes.empty()) {
        QThreadPool::globalInstance()->setMaxThreadCount(int(std::min<size_t>(probes.size(), 128)));
        QtConcurrent::blockingMap(probes, runProbe);
    }
    viClose(rm);
    for (const probe &p : probes)
        if (p.found)
            result.instruments.push_back(p.instrument);
    std::sort(result.instruments.begin(), result.instruments.end(),
              [](const foundInstrument &a, const foundInstrument &b) { return a.descriptor < b.descriptor; });
    return result;
}

std::string instrumentListText(const std::vector<foundInstrument> &instruments)
{
    std::string text;
    for (const foundInstrument &i : instruments)
        text += i.descriptor + "  " + i.model + "  serial " + i.serial + "\n";
    return text;
}
