// QCommandLineParser for the texts; a short-lived QCoreApplication gives it the program's
// name, and exists only when an argument looks like an option, so a normal start pays nothing.
#include "informationOptions.h"

#include "ts4720Version.h"

#include <QCommandLineParser>
#include <QCoreApplication>

#include <cstdio>

static bool anyOptionLike(int argc, char **argv)
{
    for (int i = 1; i < argc; ++i)
        if (argv[i][0] == '-')
            return true;
    return false;
}

std::optional<int> answerInformationOptions(int argc, char **argv)
{
    if (!anyOptionLike(argc, argv))
        return std::nullopt;
    int count = argc;
    const QCoreApplication app(count, argv);
    QCoreApplication::setApplicationName(QStringLiteral("ts4720fp"));
    QCoreApplication::setApplicationVersion(QStringLiteral(TS4720_VERSION));
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Soft front panel of the Korvan 4720 thermocouple instrument.\n"
        "With a recording (a data file written by the panel or ts4720-record), shows it\n"
        "without an instrument."));
    // Qt's own options are single-dash words (-platform, -reverse): never read as -r -e -v.
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption version = parser.addVersionOption();
    parser.addPositionalArgument(QStringLiteral("file"),
                                 QStringLiteral("Recording to view; a name that starts with a dash as ./-name."),
                                 QStringLiteral("[file]"));
    parser.parse(QCoreApplication::arguments()); // unknown options are Qt's or a file's
    if (parser.isSet(help) || parser.isSet(QStringLiteral("help-all"))) {
        std::fputs(qPrintable(parser.helpText()), stdout);
        return 0;
    }
    if (parser.isSet(version)) {
        std::printf("ts4720fp %s\n", TS4720_VERSION);
        return 0;
    }
    return std::nullopt;
}
