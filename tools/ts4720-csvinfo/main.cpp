// ts4720-csvinfo FILE [FIRST COUNT]: shows what the program reads from a data file (the
// loaded-file record) and, optionally, the x value and temperatures of a range of rows.
#include "dataFileNumbers.h"
#include "dataFileReader.h"
#include "loadedFile.h"
#include "ts4720Version.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFile>

#include <charconv>
#include <cstdio>
#include <string>
#include <vector>

namespace {

std::string fixed6(double v)
{
    char text[fixed6MaxLength];
    return std::string(text, formatFixed6(text, v));
}

void printRecord(const loadedFileRecord &r)
{
    std::printf("path:              %s\n", r.path);
    std::printf("serial number:     %s\n", r.serialNumber);
    std::printf("clock source:      %s\n", r.clockSource);
    std::printf("scan rate:         %s\n", fixed6(r.scanRate).c_str());
    std::printf("start mode:        %s\n", r.startMode);
    std::printf("PTP alarm:         %02d.%02d.%04d %02d:%02d:%02d (%d)\n", r.alarmDay, r.alarmMonth,
                r.alarmYear, r.alarmHour, r.alarmMinute, r.alarmSecond, r.alarmSeconds);
    std::printf("stop mode:         %s\n", r.stopMode);
    std::printf("number of scans:   %d\n", r.numberOfScans);
    std::printf("columns:           timestamps %d, voltage %d, cold junction %d\n", r.hasTimestamps,
                r.hasVoltage, r.hasColdJunction);
    std::printf("first timestamp:   %s\n", fixed6(r.firstTimestamp).c_str());
    std::printf("channel count:     %d\n", r.channelCount);
    std::printf("present channels:  %d\n", r.presentChannels);
    for (int i = 0; i < 48; ++i)
        if (r.channels[i].present)
            std::printf("  channel %2d: type %s%s\n", i + 1, r.channels[i].type,
                        r.channels[i].otd ? ", OTD enabled" : "");
    std::printf("header lines:      %d\n", r.headerLineCount);
    std::printf("rows:              %d\n", r.rowCount);
}

// Rows are numbered from 1 here, as in the program's "First Scan" box.
int printRows(const loadedFileRecord &r, long first, long count)
{
    if (first > r.rowCount)
        return std::fprintf(stderr, "ts4720-csvinfo: row %ld is not in the file (rows 1..%d)\n", first,
                            r.rowCount), 2;
    if (count > r.rowCount - first + 1)
        count = r.rowCount - first + 1;
    std::vector<double> time(size_t(count), 0.0);
    std::vector<std::vector<double>> values(size_t(r.presentChannels), std::vector<double>(size_t(count)));
    double *windows[48] = {};
    for (int w = 0; w < r.presentChannels; ++w)
        windows[w] = values[size_t(w)].data();
    if (readDataFileRows(r, int(first - 1), int(count), time.data(), windows, nullptr) != 0)
        return std::fprintf(stderr, "ts4720-csvinfo: cannot read the rows of '%s'\n", r.path), 1;
    std::printf("row,x");
    for (int i = 0; i < 48; ++i)
        if (r.channels[i].present)
            std::printf(",channel %d", i + 1);
    std::printf("\n");
    for (long row = 0; row < count; ++row) {
        std::printf("%ld,%s", first + row, fixed6(time[size_t(row)]).c_str());
        for (int w = 0; w < r.presentChannels; ++w)
            std::printf(",%s", fixed6(values[size_t(w)][size_t(row)]).c_str());
        std::printf("\n");
    }
    return 0;
}

// A row number or count: a whole number from 1, written in full.
bool rowNumber(const QString &text, long *value)
{
    const std::string s = text.toStdString();
    const char *end = s.data() + s.size();
    const auto [stop, error] = std::from_chars(s.data(), end, *value);
    return error == std::errc() && stop == end && *value >= 1;
}

int usageError(const char *message)
{
    std::fprintf(stderr, "ts4720-csvinfo: %s\nTry 'ts4720-csvinfo --help'.\n", message);
    return 2;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("ts4720-csvinfo"));
    QCoreApplication::setApplicationVersion(QStringLiteral(TS4720_VERSION));
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Shows what the Korvan 4720 Soft Front Panel reads from a recording: its header and,\n"
        "with FIRST and COUNT, COUNT rows from row FIRST (rows count from 1).\n"
        "Exit status: 0 done, 1 the file cannot be read as a recording, 2 wrong arguments."));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addPositionalArgument(QStringLiteral("FILE"), QStringLiteral("The recording (.csv)."));
    parser.addPositionalArgument(QStringLiteral("FIRST"), QStringLiteral("First row to print, from 1."), QStringLiteral("[FIRST"));
    parser.addPositionalArgument(QStringLiteral("COUNT"), QStringLiteral("Number of rows to print."), QStringLiteral("COUNT]"));
    if (!parser.parse(QCoreApplication::arguments()))
        return usageError(qPrintable(parser.errorText()));
    if (parser.isSet(QStringLiteral("help")) || parser.isSet(QStringLiteral("help-all"))) {
        std::fputs(qPrintable(parser.helpText()), stdout);
        return 0;
    }
    if (parser.isSet(QStringLiteral("version")))
        return std::printf("ts4720-csvinfo %s\n", TS4720_VERSION), 0;
    const QStringList args = parser.positionalArguments();
    if (args.size() != 1 && args.size() != 3)
        return usageError("give FILE, or FILE FIRST COUNT");
    long first = 0, count = 0;
    if (args.size() == 3 && !(rowNumber(args[1], &first) && rowNumber(args[2], &count)))
        return usageError("FIRST and COUNT are whole numbers from 1 (rows count from 1)");
    loadedFileRecord &record = loadedFile();
    // The name as given, in the bytes the file system knows it by.
    if (readDataFileHeader(QFile::encodeName(args[0]).constData(), &record) != 0) {
        std::fprintf(stderr, "ts4720-csvinfo: cannot read '%s' as a Korvan 4720 recording\n", qPrintable(args[0]));
        return 1;
    }
    printRecord(record);
    return args.size() == 3 ? printRows(record, first, count) : 0;
}
