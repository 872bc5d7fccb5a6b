// ts4720-sim: runs a simulated Korvan 4720 until SIGINT, SIGTERM or SIGHUP.
#include "modelTable.h"
#include "simInstrument.h"
#include "ts4720Version.h"
#include "tsvisa_config.h"

#include <QCommandLineParser>
#include <QCoreApplication>

#include <charconv>
#include <csignal>
#include <cstdio>
#include <pthread.h>
#include <string>

namespace {

struct ProgramOptions {
    tssim::Options instrument;
    bool registerResource = false;
    bool unregisterOnly = false;
    bool quiet = false;
};

bool numberOption(const QString &text, long min, long max, long *value)
{
    const std::string s = text.toStdString();
    const char *end = s.data() + s.size();
    const auto [stop, error] = std::from_chars(s.data(), end, *value);
    return !s.empty() && error == std::errc() && stop == end && *value >= min && *value <= max;
}

int usageError(const QString &message)
{
    std::fprintf(stderr, "ts4720-sim: %s\nTry 'ts4720-sim --help'.\n", qPrintable(message));
    return 1;
}

void addOptions(QCommandLineParser &p)
{
    p.setApplicationDescription(QStringLiteral(
        "Runs a simulated Korvan 4720 thermocouple instrument (raw SCPI over TCP) until\n"
        "SIGINT, SIGTERM or SIGHUP."));
    p.addHelpOption();
    p.addVersionOption();
    p.addOptions({
        {"address", "IPv4 address to serve on (default 127.0.0.1).", "A"},
        {"port", "SCPI port (default 5025).", "P"},
        {"model", "AA (16), AB (32) or AC (48 channels; default).", "M"},
        {"serial", "Serial number, hexadecimal (default 47209481).", "HEX"},
        {"state-dir", "Keep the saved configuration and the hard disk there.", "DIR"},
        {"identity", "Reply TEXT to *IDN? instead of the maker's identity.", "TEXT"},
        {"web-port", "Status page port (default 80, else a free one; -1: none).", "P"},
        {"register", "Add the descriptor to the VISA resource file while running."},
        {"unregister", "Remove the descriptor from the resource file and exit."},
        {{"q", "quiet"}, "Print nothing but errors."},
        {"verbose", "Print every message and reply."},
    });
}

// The numbers and the model; 0 when they are good, else the exit code.
int readValues(const QCommandLineParser &p, ProgramOptions *o)
{
    long n = 0;
    if (p.isSet("port") && !numberOption(p.value("port"), 1, 65535, &n))
        return usageError("--port takes 1 to 65535");
    if (p.isSet("port"))
        o->instrument.port = static_cast<uint16_t>(n);
    if (p.isSet("web-port") && !numberOption(p.value("web-port"), -1, 65535, &n))
        return usageError("--web-port takes -1 to 65535");
    if (p.isSet("web-port"))
        o->instrument.webPort = static_cast<int>(n);
    if (p.isSet("model") && modelTable::channelsOf(qPrintable(p.value("model"))) == 0)
        return usageError("--model takes AA, AB or AC");
    if (p.isSet("model"))
        o->instrument.subType = p.value("model").toStdString();
    if (p.isSet("serial")) {
        const std::string text = p.value("serial").toStdString();
        uint32_t v = 0;
        const auto [stop, error] = std::from_chars(text.data(), text.data() + text.size(), v, 16);
        if (text.empty() || error != std::errc() || stop != text.data() + text.size())
            return usageError("--serial takes up to 8 hexadecimal digits");
        o->instrument.serialNumber = v;
    }
    return 0;
}

// 0 to go on, else the exit code (1 for a usage error; -1 after --help or --version).
int parse(int argc, char **argv, ProgramOptions *o)
{
    int count = argc;
    const QCoreApplication app(count, argv); // the parser's texts take the program's name from it
    QCoreApplication::setApplicationVersion(QStringLiteral(TS4720_VERSION));
    QCommandLineParser p;
    addOptions(p);
    if (!p.parse(QCoreApplication::arguments()))
        return usageError(p.errorText());
    if (p.isSet("help") || p.isSet("help-all"))
        return std::fputs(qPrintable(p.helpText()), stdout), -1;
    if (p.isSet("version"))
        return std::printf("ts4720-sim %s\n", TS4720_VERSION), -1;
    if (!p.positionalArguments().isEmpty())
        return usageError("unexpected argument: " + p.positionalArguments().first());
    if (const int refused = readValues(p, o))
        return refused;
    o->instrument.address = p.isSet("address") ? p.value("address").toStdString() : o->instrument.address;
    o->instrument.stateDir = p.isSet("state-dir") ? p.value("state-dir").toStdString() : o->instrument.stateDir;
    o->instrument.identity = p.isSet("identity") ? p.value("identity").toStdString() : o->instrument.identity;
    o->registerResource = p.isSet("register");
    o->unregisterOnly = p.isSet("unregister");
    o->quiet = p.isSet("quiet");
    o->instrument.trace = p.isSet("verbose");
    return 0;
}

bool changeRegistration(const std::string &descriptor, bool add)
{
    return add ? tsvisa_registerResource(descriptor.c_str()) : tsvisa_unregisterResource(descriptor.c_str());
}

} // namespace

int main(int argc, char **argv)
{
    ProgramOptions o;
    o.instrument.largeSample = true;
    const int parsed = parse(argc, argv, &o);
    if (parsed != 0)
        return parsed < 0 ? 0 : parsed;

    // The stop signals are taken by sigwait below, never by a server thread.
    sigset_t stopSet;
    sigemptyset(&stopSet);
    sigaddset(&stopSet, SIGINT);
    sigaddset(&stopSet, SIGTERM);
    sigaddset(&stopSet, SIGHUP); // a closed terminal: leave the resource file clean too
    pthread_sigmask(SIG_BLOCK, &stopSet, nullptr);

    tssim::Instrument instrument(o.instrument);
    const std::string descriptor = instrument.descriptor();
    if (o.unregisterOnly)
        return changeRegistration(descriptor, false) ? 0 : 1;

    std::string error;
    if (!instrument.start(&error)) {
        std::fprintf(stderr, "ts4720-sim: cannot serve: %s\n", error.c_str());
        return 1;
    }
    const bool registered = o.registerResource && changeRegistration(descriptor, true);
    if (!o.quiet) {
        std::printf("Korvan 4720-%s simulator serving %s (SCPI port %u)%s\n", o.instrument.subType.c_str(),
                    descriptor.c_str(), o.instrument.port, registered ? ", registered" : "");
        if (!instrument.webAddress().empty())
            std::printf("Status page: %s\n", instrument.webAddress().c_str());
        std::fflush(stdout);
    }
    int received = 0;
    sigwait(&stopSet, &received);
    instrument.stop();
    if (registered)
        changeRegistration(descriptor, false);
    if (!o.quiet)
        std::printf("ts4720-sim: stopped\n");
    return 0;
}
