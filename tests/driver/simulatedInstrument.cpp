#include "simulatedInstrument.h"

#include "visa.h"

#include <QStringList>

#include <atomic>

std::string testAddress(int area)
{
    static std::atomic<int> next{1};
    const int n = next++;
    return "127.42." + std::to_string(area * 8 + (n / 250) % 8) + "." + std::to_string(1 + n % 250);
}

std::unique_ptr<tssim::Instrument> startInstrument(int area, std::string *error,
                                                   const std::string &identity)
{
    // An address used by an earlier run may still be held by connections in TIME_WAIT:
    // then the next one is taken.
    for (int attempt = 0; attempt < 50; ++attempt) {
        tssim::Options options;
        options.address = testAddress(area);
        options.identity = identity;
        options.webPort = -1;
        auto instrument = std::make_unique<tssim::Instrument>(options);
        if (instrument->start(error))
            return instrument;
    }
    return nullptr;
}

ViSession openSession(tssim::Instrument &instrument)
{
    ViSession vi = 0;
    if (ts4720_init(instrument.descriptor().c_str(), VI_FALSE, VI_FALSE, &vi) < 0)
        return 0;
    return vi;
}

bool TestRig::start(int area, const std::string &identity)
{
    std::string error;
    instrument = startInstrument(area, &error, identity);
    if (!instrument)
        qWarning("no instrument: %s", error.c_str());
    vi = instrument ? openSession(*instrument) : 0;
    return vi != 0;
}

TestRig::~TestRig()
{
    if (vi != 0)
        ts4720_close(vi);
}

std::string statusText(ViSession vi, ViStatus status)
{
    ViChar text[TS4720_ERROR_MESSAGE_SIZE] = {0};
    ts4720_error_message(vi, status, text);
    return text;
}

bool sendOverNetwork(tssim::Instrument &instrument, const std::string &message)
{
    ViSession rm = 0, vi = 0;
    if (viOpenDefaultRM(&rm) < 0)
        return false;
    bool ok = viOpen(rm, instrument.descriptor().c_str(), VI_NO_LOCK, 2000, &vi) >= 0;
    if (ok) {
        const std::string text = message + ";*OPC?\n";
        ViUInt32 count = 0;
        ViByte reply[64];
        ok = viWrite(vi, reinterpret_cast<ViConstBuf>(text.data()), ViUInt32(text.size()), &count) >= 0
             && viRead(vi, reply, sizeof reply, &count) >= 0;
        // A dropping message closes the connections after its reply: wait until ours is.
        if (ok && message.find("DROP") != std::string::npos)
            ok = viRead(vi, reply, sizeof reply, &count) < 0;
        viClose(vi);
    }
    viClose(rm);
    return ok;
}

QString storedFileList(ViSession vi)
{
    ViInt32 n = -1;
    if (ts4720_getStorageFileList(vi, VI_NULL, &n) != VI_SUCCESS || n < 0)
        return "<failed>";
    QByteArray buffer(n + 1, '\0');
    if (ts4720_getStorageFileList(vi, buffer.data(), VI_NULL) != VI_SUCCESS)
        return "<failed>";
    return QString::fromLatin1(buffer.constData());
}

QString fileOn(const QString &list, const QString &location)
{
    for (const QString &line : list.split('\n')) {
        const QStringList fields = line.split(',');
        if (fields.size() == 4 && fields.at(1) == location)
            return fields.at(0);
    }
    return QString();
}
