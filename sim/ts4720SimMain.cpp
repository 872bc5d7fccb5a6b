// ts4720-sim: runs a simulated Korvan 4720 until SIGINT or SIGTERM.
#include "modelTable.h"
#include "simInstrument.h"
#include "tsvisa_config.h"

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <pthread.h>
#include <string>

namespace {

struct ProgramOptions {
    tssim::Options instrument;
    bool registerResource = false;
    bool unregisterOnly = false;
    bool quiet = false;
};

void usage(FILE *out)
{
    std::fprintf(out,
                 "Usage: ts4720-sim [options]\n"
                 "Runs a simulated Korvan 4720 thermocouple instrument (raw SCPI over TCP).\n\n"
                 "  --address A       IPv4 address to serve on (default 127.0.0.1)\n"
                 "  --port P          SCPI port (default 5025)\n"
                 "  --model M         AA (16), AB (32) or AC (48 channels; default)\n"
                 "  --serial HEX      serial number, hexadecimal (default 47209481)\n"
                 "  --state-dir DIR   keep the saved configuration and the hard disk there\n"
                 "  --identity TEXT   reply TEXT to *IDN? instead of the maker's identity\n"
                 "  --web-port P      status page port (default 80; -1: none)\n"
                 "  --register        add the descriptor to the VISA resource file while running\n"
                 "  --unregister      remove the descriptor from the resource file and exit\n"
                 "  --quiet           print nothing but errors\n"
                 "  --verbose         print every message and reply\n"
                 "  --help            this text\n");
}

bool numberOption(const char *text, long min, long max, long *value)
{
    char *end = nullptr;
    const long v = std::strtol(text, &end, 10);
    if (!*text || *end || v < min || v > max)
        return false;
    *value = v;
    return true;
}

// 0 to go on, else the exit code (1 for a usage error, 0 after --help).
int parse(int argc, char **argv, ProgramOptions *o)
{
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        const char *next = i + 1 < argc ? argv[i + 1] : nullptr;
        long n = 0;
        if (arg == "--help" || arg == "-h") {
            usage(stdout);
            return -1;
        } else if (arg == "--register") {
            o->registerResource = true;
        } else if (arg == "--unregister") {
            o->unregisterOnly = true;
        } else if (arg == "--quiet" || arg == "-q") {
            o->quiet = true;
        } else if (arg == "--verbose" || arg == "-v") {
            o->instrument.trace = true;
        } else if (!next) {
            std::fprintf(stderr, "ts4720-sim: unknown option or missing value: %s\n", arg.c_str());
            return 1;
        } else if (arg == "--address") {
            o->instrument.address = argv[++i];
        } else if (arg == "--port" && numberOption(next, 1, 65535, &n)) {
            o->instrument.port = static_cast<uint16_t>(n);
            ++i;
        } else if (arg == "--web-port" && numberOption(next, -1, 65535, &n)) {
            o->instrument.webPort = static_cast<int>(n);
            ++i;
        } else if (arg == "--model" && modelTable::channelsOf(next) != 0) {
            o->instrument.subType = argv[++i];
        } else if (arg == "--serial") {
            char *end = nullptr;
            const unsigned long v = std::strtoul(next, &end, 16);
            if (!*next || *end || v > 0xffffffffUL) {
                std::fprintf(stderr, "ts4720-sim: --serial takes up to 8 hexadecimal digits\n");
                return 1;
            }
            o->instrument.serialNumber = static_cast<uint32_t>(v);
            ++i;
        } else if (arg == "--state-dir") {
            o->instrument.stateDir = argv[++i];
        } else if (arg == "--identity") {
            o->instrument.identity = argv[++i];
        } else {
            std::fprintf(stderr, "ts4720-sim: bad option or value: %s %s\n", arg.c_str(), next);
            return 1;
        }
    }
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

    // The signals are taken by sigwait below, never by a server thread.
    sigset_t signals;
    sigemptyset(&signals);
    sigaddset(&signals, SIGINT);
    sigaddset(&signals, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &signals, nullptr);

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
    sigwait(&signals, &received);
    instrument.stop();
    if (registered)
        changeRegistration(descriptor, false);
    if (!o.quiet)
        std::printf("ts4720-sim: stopped\n");
    return 0;
}
