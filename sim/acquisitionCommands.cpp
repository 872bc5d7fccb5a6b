// ACQuire, DATA, PTP and TRIGger: the recorded acquisition and the rear-panel lines.
#include "instrumentCore.h"
#include "dataFileFormat.h"
#include "replyFormat.h"
#include "sampleFiles.h"
#include "thermocouple.h"

namespace tssim {

namespace {

const long long second = 1000000000LL;

void setMode(CommandContext &c)
{
    long long clock = 0, scans = 0, start = 0, stop = 0;
    double rate = 0;
    bool timestamps = false;
    if (!c.expectCount(6, 6) || !c.integer(0, 0, 3, &clock) || !c.real(1, 1.0, 1000.0, &rate) ||
        !c.integer(2, 0, 1000000000, &scans) || !c.integer(3, 0, 3, &start) || !c.integer(4, 0, 2, &stop) ||
        !c.boolean(5, &timestamps))
        return;
    if (c.model.acquisition.state() != AcquisitionEngine::Idle) {
        c.fail(-221, "acquisition running");
        return;
    }
    AcquisitionMode &m = c.model.settings.acquisition;
    m.clockSource = static_cast<int>(clock);
    m.scanRate = rate;
    m.scans = scans;
    m.startMode = static_cast<int>(start);
    m.stop = static_cast<int>(stop);
    m.timestamps = timestamps;
}

// Why this mode cannot start now; empty when it can.
std::string startConflict(const InstrumentModel &m, long long now)
{
    const AcquisitionMode &a = m.settings.acquisition;
    if (m.acquisition.state() != AcquisitionEngine::Idle)
        return "acquisition running";
    if (a.clockSource >= 2 && a.clockSource == a.startMode)
        return "clock and start use the same rear-panel line";
    if (a.stop != 0 && a.startMode < 2)
        return "a trigger stop needs a rear-panel line start";
    if (a.startMode == 1 && m.alarmNs <= now)
        return "PTP alarm in the past";
    for (int i = 0; i < m.channelCount; ++i)
        if (m.settings.channels[i].enabled)
            return std::string();
    return "no channel enabled";
}

// Opens the shadow copy on its disk and returns the sink that appends each scan's row.
bool openShadowCopy(CommandContext &c, AcquisitionEngine::Setup *setup)
{
    InstrumentModel &m = c.model;
    StorageDisk *disk = m.disk(m.settings.shadowCopy == 2 ? 0 : 1);
    DataFileColumns columns;
    columns.timestamps = setup->mode.timestamps;
    columns.voltage = (m.settings.dataFormat & 2) != 0;
    columns.coldJunction = (m.settings.dataFormat & 4) != 0;
    for (int ch : setup->channels) {
        columns.channels.push_back(ch);
        columns.typeNames.push_back(thermocoupleTypeName(m.settings.channels[ch - 1].type));
        columns.otd.push_back(m.settings.channels[ch - 1].otd);
    }
    std::string name = SampleFiles::recordingName(c.nowNs);
    for (int n = 2; disk->exists(name); ++n)
        name = name.substr(0, 19) + "_" + std::to_string(n) + ".csv";
    const DataFileFormat format(columns);
    const std::string header = format.header(m.subType, m.serialText, setup->mode, m.alarmNs / second);
    if (!disk->create(name, header, c.nowNs)) {
        c.fail(-250, "cannot create " + name);
        return false;
    }
    m.shadowDisk = disk;
    m.shadowFile = name;
    setup->sink = [disk, name, format](long long t, const double *values) {
        return disk->append(name, format.row(t, values));
    };
    return true;
}

void start(CommandContext &c)
{
    InstrumentModel &m = c.model;
    const std::string conflict = startConflict(m, c.nowNs);
    if (!conflict.empty()) {
        c.fail(-221, conflict);
        return;
    }
    AcquisitionEngine::Setup setup;
    setup.mode = m.settings.acquisition;
    setup.alarmNs = m.alarmNs;
    for (int i = 0; i < m.channelCount; ++i)
        if (m.settings.channels[i].enabled)
            setup.channels.push_back(i + 1);
    const int format = m.settings.dataFormat;
    setup.dataFormat = format;
    // Each scan keeps the temperature (the shadow copy always has it) plus what the format asks.
    setup.valuesPerChannel = 1 + ((format & 2) ? 1 : 0) + ((format & 4) ? 1 : 0);
    const std::vector<int> channels = setup.channels;
    InstrumentModel *model = &m;
    setup.sampler = [model, channels, format](long long t, double *out) {
        for (int ch : channels) {
            const ChannelReading r = model->reading(ch - 1, t);
            *out++ = r.temperature;
            if (format & 2)
                *out++ = r.voltage;
            if (format & 4)
                *out++ = r.coldJunction;
        }
    };
    m.shadowDisk = nullptr;
    m.shadowFile.clear();
    if (m.settings.shadowCopy != 0 && !openShadowCopy(c, &setup))
        return;
    m.acquisition.start(setup, c.nowNs);
}

// Scans as a block: per scan its timestamp (when stored), then per channel the values the
// data format asks for.
std::string scanBlock(const AcquisitionEngine &a, const std::vector<long long> &times, const std::vector<double> &values)
{
    const size_t perChannel = static_cast<size_t>(a.setup().valuesPerChannel);
    const bool withTemperature = (a.setup().dataFormat & 1) != 0 || perChannel == 1;
    std::string bytes;
    size_t v = 0;
    for (long long t : times) {
        if (a.setup().mode.timestamps) {
            appendLittleEndian(&bytes, static_cast<int32_t>(t / second));
            appendLittleEndian(&bytes, static_cast<int32_t>(t % second));
        }
        for (size_t ch = 0; ch < a.setup().channels.size(); ++ch, v += perChannel)
            for (size_t k = withTemperature ? 0 : 1; k < perChannel; ++k)
                appendLittleEndian(&bytes, values[v + k]);
    }
    return definiteBlock(bytes);
}

void removeData(CommandContext &c)
{
    long long n = 0;
    if (!c.expectCount(1, 1) || !c.integer(0, 1, 1000000, &n))
        return;
    AcquisitionEngine &a = c.model.acquisition;
    std::vector<long long> times;
    std::vector<double> values;
    a.take(static_cast<size_t>(n), &times, &values);
    c.reply = scanBlock(a, times, values);
}

const long long lastScanNumber = 4000000000000000000LL;

// "<first>,<n>": the scans from number <first> on, releasing the ones before it.
void fetchData(CommandContext &c)
{
    long long first = 0, n = 0;
    if (!c.expectCount(2, 2) || !c.integer(0, 0, lastScanNumber, &first) || !c.integer(1, 1, 1000000, &n))
        return;
    AcquisitionEngine &a = c.model.acquisition;
    std::vector<long long> times;
    std::vector<double> values;
    if (a.fetch(first, static_cast<size_t>(n), &times, &values) < 0) {
        c.fail(-222, "scan " + std::to_string(first) + " is not held (" + std::to_string(a.firstHeld()) + ".."
                         + std::to_string(a.endHeld()) + ")");
        return;
    }
    c.reply = scanBlock(a, times, values);
}

// The scans from <first> (default: the end of the held ones) to the last one taken.
void lostScans(CommandContext &c)
{
    const AcquisitionEngine &a = c.model.acquisition;
    long long first = a.endHeld();
    if (!c.expectCount(0, 1) || (c.unit.arguments.size() == 1 && !c.integer(0, 0, lastScanNumber, &first)))
        return;
    AcquisitionEngine::Span s;
    if (!a.span(first, &s)) {
        c.fail(-222, "no time known for scan " + std::to_string(first));
        return;
    }
    auto time = [](long long ns) { return std::to_string(ns / second) + "," + std::to_string(ns % second); };
    c.reply = std::to_string(s.count) + "," + std::to_string(s.first) + "," + time(s.firstNs) + ","
              + std::to_string(s.last) + "," + time(s.lastNs);
}

void layout(CommandContext &c)
{
    const AcquisitionEngine::Setup &s = c.model.acquisition.setup();
    const int format = s.dataFormat;
    const int inBlock = s.valuesPerChannel - (((format & 1) == 0 && s.valuesPerChannel > 1) ? 1 : 0);
    c.reply = std::string(s.mode.timestamps ? "1," : "0,") + std::to_string(inBlock) + "," +
              std::to_string(s.channels.size());
    for (int ch : s.channels)
        c.reply += "," + std::to_string(ch);
}

void setAlarm(CommandContext &c)
{
    long long s = 0, ns = 0;
    if (!c.expectCount(1, 2) || !c.integer(0, 0, 4294967295LL, &s))
        return;
    if (c.unit.arguments.size() == 2 && !c.integer(1, 0, second - 1, &ns))
        return;
    if (s * second + ns <= c.nowNs) {
        c.fail(-221, "PTP alarm in the past");
        return;
    }
    if (c.model.acquisition.state() != AcquisitionEngine::Idle) {
        c.fail(-221, "acquisition running");
        return;
    }
    c.model.alarmNs = s * second + ns;
}

} // namespace

void addAcquisitionCommands(CommandTable &t)
{
    t.add("ACQuire:MODE", false, setMode);
    t.add("ACQuire:MODE", true, [](CommandContext &c) {
        const AcquisitionMode &m = c.model.settings.acquisition;
        c.reply = std::to_string(m.clockSource) + "," + formatReal(m.scanRate) + "," + std::to_string(m.scans) + "," +
                  std::to_string(m.startMode) + "," + std::to_string(m.stop) + (m.timestamps ? ",1" : ",0");
    });
    t.add("ACQuire:STARt", false, start);
    t.add("ACQuire:STOP", false, [](CommandContext &c) { c.model.acquisition.stop(c.nowNs); });
    t.add("ACQuire:STATe", true, [](CommandContext &c) {
        const AcquisitionEngine &a = c.model.acquisition;
        c.reply = std::to_string(a.state()) + "," + std::to_string(a.unsent()) + "," + std::to_string(a.errorCode());
    });
    t.add("ACQuire:LAYout", true, layout);
    t.add("DATA:POINts", true, [](CommandContext &c) { c.reply = std::to_string(c.model.acquisition.unsent()); });
    t.add("DATA:REMove", true, removeData, true);
    t.add("DATA:FETCh", true, fetchData, true);
    t.add("DATA:RANGe", true, [](CommandContext &c) {
        const AcquisitionEngine &a = c.model.acquisition;
        c.reply = std::to_string(a.id()) + "," + std::to_string(a.firstHeld()) + "," + std::to_string(a.endHeld()) + ","
                  + std::to_string(a.scansTaken());
    });
    t.add("DATA:LOST", true, lostScans);
    t.add("ACQuire:SHADow", true, [](CommandContext &c) {
        const InstrumentModel &m = c.model;
        const int where = m.shadowDisk == nullptr ? 0 : m.shadowDisk == m.ramDisk.get() ? 1 : 2;
        c.reply = std::to_string(where) + "," + quoted(m.shadowFile);
    });
    t.add("PTP:TIME", true, [](CommandContext &c) {
        c.reply = std::to_string(c.nowNs / second) + "," + std::to_string(c.nowNs % second);
    });
    t.add("PTP:ALARm", false, setAlarm);
    t.add("PTP:ALARm", true, [](CommandContext &c) {
        c.reply = std::to_string(c.model.alarmNs / second) + "," + std::to_string(c.model.alarmNs % second);
    });
    t.add("TRIGger:LINE:STATe", false, [](CommandContext &c) {
        long long line = 0, state = 0;
        if (c.expectCount(2, 2) && c.integer(0, 0, 3, &line) && c.integer(1, 0, 1, &state))
            c.model.settings.lineActive[line] = static_cast<int>(state);
    });
    t.add("TRIGger:LINE:STATe", true, [](CommandContext &c) {
        long long line = 0;
        if (c.expectCount(1, 1) && c.integer(0, 0, 3, &line))
            c.reply = std::to_string(c.model.settings.lineActive[line]);
    });
    t.add("TRIGger:OUTPut:FUNCtion", false, [](CommandContext &c) {
        long long out = 0, function = 0;
        if (c.expectCount(2, 2) && c.integer(0, 0, 1, &out) && c.integer(1, 0, 4, &function))
            c.model.settings.outputFunction[out] = static_cast<int>(function);
    });
    t.add("TRIGger:OUTPut:FUNCtion", true, [](CommandContext &c) {
        long long out = 0;
        if (c.expectCount(1, 1) && c.integer(0, 0, 1, &out))
            c.reply = std::to_string(c.model.settings.outputFunction[out]);
    });
}

} // namespace tssim
