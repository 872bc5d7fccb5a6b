// ts4720-record: records acquisitions of a Korvan 4720 into the panel's data-file format,
// without a screen. See --help.
#include "exitStatus.h"
#include "instrumentFinder.h"
#include "recorder.h"
#include "recorderOptions.h"
#include "stopSignals.h"
#include "ts4720Version.h"

#include <QCommandLineParser>
#include <QCoreApplication>

#include <cstdio>
#include <unistd.h>

namespace {

int listInstruments()
{
    const discoveryResult found = findInstruments();
    std::fputs(instrumentListText(found.instruments).c_str(), stdout);
    if (found.instruments.empty()) {
        std::fprintf(stderr, "ts4720-record: no Korvan 4720 answered among the %d configured VISA resources\n",
                     found.resources);
        return exitNoInstrument;
    }
    return exitSuccess;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName("ts4720-record");
    QCoreApplication::setApplicationVersion(TS4720_VERSION);
    QCommandLineParser parser;
    addRecorderOptions(parser);
    if (!parser.parse(QCoreApplication::arguments())) {
        std::fprintf(stderr, "ts4720-record: %s\nTry 'ts4720-record --help'.\n", qPrintable(parser.errorText()));
        return exitUsage;
    }
    if (parser.isSet("help")) {
        std::fputs((parser.helpText().toStdString() + "\n" + exitStatusText()).c_str(), stdout);
        return exitSuccess;
    }
    if (parser.isSet("version"))
        parser.showVersion();
    recorderOptions options;
    QString error;
    if (!readRecorderOptions(parser, &options, &error)) {
        std::fprintf(stderr, "ts4720-record: %s\nTry 'ts4720-record --help'.\n", qPrintable(error));
        return exitUsage;
    }
    if (options.list)
        return listInstruments();
    recorder session(options, ::isatty(STDERR_FILENO) == 1);
    stopSignals interrupts;
    interrupts.install([&session](int count) {
        if (count == 1)
            session.requestStop();
        else
            session.abortNow();
    });
    return session.run();
}
