// Simulated instruments for tests.
#include "testInstrument.h"

#include "visa.h"

#include <QCoreApplication>
#include <QStringList>

#include <atomic>

std::string testAddress(int area)
{
    static std::atomic<int> next{1 + int(QCoreApplication::applicationPid() % 1000)};
    const int n = next++;
    return "127.42." + std::to_string(area * 8 + (n / 250) % 8) + "." + std::to_string(1 + n % 250);
}

tssim::Options testOptions(const std::string &address, const std::string &subType, const std::string &identity)
{
    tssim::Options options;
    options.address = address;
    options.subType = subType;
    options.identity = identity;
    options.webPort = -1;
    return options;
}

std::unique_ptr<tssim::Instrument> startInstrument(const tssim::Options &options, std::string *error)
{
    auto instrument = std::make_unique<tssim::Instrument>(options);
    std::string why;
    if (instrument->start(&why))
        return instrument;
    qWarning("cannot start a simulated instrument on %s: %s", options.address.c_str(), why.c_str());
    if (error)
        *error = why;
    return nullptr;
}

std::unique_ptr<tssim::Instrument> startInstrument(int area, tssim::Options options, std::string *error)
{
    // An address used by an earlier run may still be held by connections in TIME_WAIT, or
    // by another test program: then the next one is taken.
    for (int attempt = 0; attempt < 50; ++attempt) {
        options.address = testAddress(area);
        auto instrument = std::make_unique<tssim::Instrument>(options);
        if (instrument->start(error))
            return instrument;
    }
    return nullptr;
}

QString instrumentAddress(const tssim::Instrument &instrument)
{
    return QString::fromStdString(instrument.descriptor()).section(QStringLiteral("::"), 1, 1);
}

ViSession openSession(tssim::Instrument &instrument)
{
    ViSession vi = 0;
    if (ts4720_init(instrument.descriptor().c_str(), VI_FALSE, VI_FALSE, &vi) < 0)
        return 0;
    return vi;
}

testInstrument::~testInstrument()
{
    if (vi != 0)
        ts4720_close(vi);
}

bool testInstrument::start(int area, const std::string &identity)
{
    std::string why;
    instrument = startInstrument(area, testOptions(std::string(), "AC", identity), &why);
    if (!instrument) {
        error = QString::fromStdString(why);
        qWarning("no instrument: %s", why.c_str());
        return false;
    }
    return openSessionOnIt();
}

bool testInstrument::start(const tssim::Options &options)
{
    std::string why;
    instrument = startInstrument(options, &why);
    if (!instrument) {
        error = QString::fromStdString(why);
        return false;
    }
    return openSessionOnIt();
}

bool testInstrument::openSessionOnIt()
{
    vi = openSession(*instrument);
    if (vi == 0)
        error = QStringLiteral("no driver session on ") + QString::fromStdString(instrument->descriptor());
    return vi != 0;
}

QString testInstrument::command(const QString &message)
{
    return QString::fromStdString(instrument->command(message.toStdString()));
}

void testInstrument::reopen()
{
    ts4720_close(vi);
    vi = openSession(*instrument);
}

panelContext testInstrument::context(int channelCount) const
{
    panelContext c;
    c.vi = vi;
    c.channelCount = channelCount;
    return c;
}

bool testInstruments::start(const std::string &address, const std::string &identity)
{
    auto instrument = startInstrument(testOptions(address, "AC", identity));
    if (!instrument)
        return false;
    m_instruments.push_back(std::move(instrument));
    return true;
}

panelContext demoContext(int channelCount)
{
    panelContext c;
    c.demo = true;
    c.channelCount = channelCount;
    return c;
}

void setConfiguredResources(const QStringList &descriptors)
{
    qputenv("TSVISA_RESOURCES", descriptors.join(QLatin1Char(';')).toLatin1());
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
