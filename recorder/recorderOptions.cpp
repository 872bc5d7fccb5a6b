// The recorder's command line.
#include "recorderOptions.h"

#include "modelTable.h"
#include "optionValues.h"

#include <QCommandLineParser>

#include <cmath>

namespace {

const long long maxScans = 1000000000; // what the instrument accepts

// Index of text in names, or -1.
int indexOf(const QString &text, std::initializer_list<const char *> names)
{
    int i = 0;
    for (const char *name : names) {
        if (text == QLatin1String(name))
            return i;
        ++i;
    }
    return -1;
}

bool readChoices(const QCommandLineParser &p, recorderOptions *o, QString *error)
{
    if (p.isSet("clock") && (o->clock = indexOf(p.value("clock"), {"internal", "ptp", "line1", "line2"})) < 0)
        return *error = "--clock must be internal, ptp, line1 or line2", false;
    if (p.isSet("storage") && (o->storage = indexOf(p.value("storage"), {"none", "ram", "hd"})) < 0)
        return *error = "--storage must be none, ram or hd", false;
    const QString start = p.value("start");
    if (start.startsWith("ptp:")) {
        o->start = 1;
        if (!parseUtcTime(start.mid(4).toStdString(), &o->alarmSeconds))
            return *error = "--start ptp: needs a UTC time YYYY-MM-DDTHH:MM:SSZ, not '" + start.mid(4) + "'", false;
    } else if (p.isSet("start")) {
        const int mode = indexOf(start, {"immediate", "line1", "line2"});
        if (mode < 0)
            return *error = "--start must be immediate, line1, line2 or ptp:YYYY-MM-DDTHH:MM:SSZ", false;
        o->start = mode == 0 ? 0 : mode + 1;
    }
    return true;
}

bool readStopRule(const QCommandLineParser &p, recorderOptions *o, QString *error)
{
    const int given = int(p.isSet("scans")) + int(p.isSet("duration")) + int(p.isSet("stop-on"));
    if (given > 1)
        return *error = "--scans, --duration and --stop-on exclude each other", false;
    if (p.isSet("scans")) {
        o->stop = stopRule::afterScans;
        if (!parseWholeNumber(p.value("scans").toStdString(), 1, maxScans, &o->scans))
            return *error = "--scans must be a whole number from 1 to 1000000000", false;
    } else if (p.isSet("duration")) {
        o->stop = stopRule::afterTime;
        if (!parseDuration(p.value("duration").toStdString(), &o->durationSeconds))
            return *error = "--duration must be a time such as 90s, 10m, 1h30m or 2d, not '"
                            + p.value("duration") + "'", false;
        if (o->clock >= 2)
            return *error = "--duration needs an internal or PTP clock (an external clock has no "
                            "fixed rate); use --scans", false;
    } else if (p.isSet("stop-on")) {
        const int kind = indexOf(p.value("stop-on"), {"pulse", "gate"});
        if (kind < 0)
            return *error = "--stop-on must be pulse or gate", false;
        o->stop = kind == 0 ? stopRule::onPulse : stopRule::onGate;
        if (o->start < 2)
            return *error = "--stop-on needs a start on a rear-panel line (--start line1 or line2)", false;
    }
    return true;
}

} // namespace

void addRecorderOptions(QCommandLineParser &parser)
{
    parser.setApplicationDescription("Records acquisitions of a Korvan 4720 into the soft front "
                                     "panel's data-file format (CSV).");
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addPositionalArgument("RESOURCE", "VISA descriptor of the instrument, e.g. TCPIP::192.168.2.60::INSTR; "
                                             "omitted: the one instrument discovery finds.", "[RESOURCE]");
    parser.addOptions({
        {{"o", "output"}, "Data file to write (.csv).", "FILE"},
        {"force", "Replace the output file when it exists."},
        {"list", "List the instruments discovery finds, with model and serial number, and exit."},
        {"channels", "Channels to record, e.g. 1-8,12 (default: those enabled on the instrument). "
                     "They are switched on and all others off.", "LIST"},
        {"rate", "Scan rate in Hz, 1..1000 (default: the instrument's); with an external clock its "
                 "maximum rate.", "HZ"},
        {"clock", "Clock source: internal (default), ptp, line1, line2.", "SOURCE"},
        {"start", "Start: immediate (default), line1, line2, ptp:YYYY-MM-DDTHH:MM:SSZ (UTC).", "MODE"},
        {"scans", "Stop after N scans.", "N"},
        {"duration", "Stop after a time: 90s, 10m, 1h30m, 2d (internal or PTP clock).", "TIME"},
        {"stop-on", "Stop on a trigger of the start line: pulse or gate.", "KIND"},
        {"timestamps", "Store the PTP timestamp of each scan."},
        {"voltage", "Store the thermocouple voltages."},
        {"cold-junction", "Store the cold-junction temperatures."},
        {"storage", "Shadow copy on the instrument: none (default), ram, hd.", "WHERE"},
        {"quiet", "Progress at most every 10 s, also on a terminal."},
        {"reconnect", "After a broken connection, reconnect for up to this many seconds, 0..3600 "
                      "(default 60); the recording goes on without a gap. 0 ends the run at once.", "SECONDS"},
    });
}

bool readRecorderOptions(const QCommandLineParser &p, recorderOptions *o, QString *error)
{
    const QStringList positional = p.positionalArguments();
    if (positional.size() > 1)
        return *error = "only one RESOURCE may be given", false;
    o->resource = positional.isEmpty() ? std::string() : positional.first().toStdString();
    o->list = p.isSet("list");
    o->output = p.value("output").toStdString();
    if (!o->list && o->output.empty())
        return *error = "no output file: give one with -o FILE.csv", false;
    o->force = p.isSet("force");
    o->quiet = p.isSet("quiet");
    o->timestamps = p.isSet("timestamps");
    o->voltage = p.isSet("voltage");
    o->coldJunction = p.isSet("cold-junction");
    std::string why;
    o->channelsGiven = p.isSet("channels");
    if (o->channelsGiven && !parseChannelList(p.value("channels").toStdString(), modelTable::maxChannels, &o->channels, &why))
        return *error = "--channels: " + QString::fromStdString(why), false;
    long long rate = 0;
    o->rateGiven = p.isSet("rate");
    if (o->rateGiven && !parseWholeNumber(p.value("rate").toStdString(), 1, 1000, &rate))
        return *error = "--rate must be a whole number of Hz from 1 to 1000, not '" + p.value("rate") + "'", false;
    o->rate = int(rate);
    long long grace = 60;
    if (p.isSet("reconnect") && !parseWholeNumber(p.value("reconnect").toStdString(), 0, 3600, &grace))
        return *error = "--reconnect must be a whole number of seconds from 0 to 3600, not '" + p.value("reconnect")
                        + "'", false;
    o->reconnectSeconds = int(grace);
    if (!readChoices(p, o, error))
        return false;
    if (o->clock >= 2 && o->clock == o->start)
        return *error = "the clock and the start cannot use the same rear-panel line", false;
    return readStopRule(p, o, error);
}

long long fixedScanCount(const recorderOptions &o, double rate)
{
    if (o.stop == stopRule::afterScans)
        return o.scans;
    if (o.stop != stopRule::afterTime || !(rate > 0.0))
        return 0;
    const double scans = std::ceil(rate * o.durationSeconds);
    return scans < 1.0 ? 1 : scans > double(maxScans) ? maxScans + 1 : (long long)scans;
}
