// The data-file writer: byte-exact golden files under the C and a decimal-comma locale, the
// header lines' conditions, and files that read back to the same header values and numbers.
#include "dataFileReader.h"
#include "testFiles.h"
#include "testLocale.h"
#include "dataFileWriter.h"
#include "loadedFile.h"

#include <QtTest>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <random>

class tst_dataFileWriter : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { useCLocale(); }
    void goldenFiles_data();
    void goldenFiles();
    void headerConditions_data();
    void headerConditions();
    void roundTrip_data();
    void roundTrip();

private:
    QTemporaryDir m_dir;
};

struct goldenFile {
    const char *name;
    dataFileSettings settings;
    dataFileColumns columns;
    std::vector<std::vector<double>> rows; // per scan: channel after channel, a channel's values together
    std::vector<std::int32_t> timestamps;  // (seconds, nanoseconds) per scan
};

// The configurations of the checked-in golden files (data/make_golden.py writes the same
// values with Python's own formatting).
namespace {

const double m_nan = std::numeric_limits<double>::quiet_NaN();
const double m_inf = std::numeric_limits<double>::infinity();

goldenFile withTimestampsVoltageColdJunction()
{
    goldenFile g{"golden_ts_volt_cj_3ch.csv", {}, {}, {}, {}};
    dataFileSettings &s = g.settings;
    s.subType = "AC", s.serialNumber = "0a1b2c3d", s.clockSource = "Internal", s.scanRate = 10.7;
    s.startMode = "PTP Alarm", s.alarmWritten = true, s.alarmSeconds = 1796562309;
    s.alarmDay = 6, s.alarmMonth = 12, s.alarmYear = 2026, s.alarmHour = 13, s.alarmMinute = 5, s.alarmSecond = 9;
    s.stopMode = "Stop after predefined time";
    s.numberOfScansWritten = true, s.numberOfScans = 50, s.acquisitionTimeWritten = true, s.acquisitionTime = 5.0;
    g.columns.timestamps = g.columns.voltage = g.columns.coldJunction = true;
    g.columns.channels = {{2, "K", false}, {5, "J", true}, {7, "User 1", false}};
    g.timestamps = {1796562309, 0, 1796562309, 100000000, 1796562309, 200000500, 1796562309, 300000000};
    g.rows = {{21.503, 0.852, 23.25, m_nan, m_nan, 23.25, -1e-9, -0.0000005, 23.0},
              {-12.3456785, -0.5, 1e7 + 0.1234565, 1234.5678904, 49.9999995, 23.1, 0.0, 1e-300, -3.5},
              {-0.0, 2.5e-7, 5e-7, 1.5e-6, -7.25e-7, 9999.9999996, 123456789.125, -987654.3210005, 0.1},
              {m_inf, -m_inf, 1e15, 300.0, m_nan, 22.75, 1.0 / 3, -2.0 / 3, 1e-6}};
    return g;
}

goldenFile temperatureOnlyExternalClock()
{
    goldenFile g{"golden_temp_1ch_external.csv", {}, {}, {{20.0}, {m_nan}, {-200.123456}, {1370.0000004}}, {}};
    dataFileSettings &s = g.settings;
    s.subType = "AA", s.serialNumber = "Not Available", s.clockSource = "Rear Panel Line 1";
    s.scanRateWritten = false, s.startMode = "Rear Panel Line 2", s.stopMode = "Stop on trigger (gate)";
    g.columns.channels = {{1, "T", false}};
    return g;
}

goldenFile withTimestampsAndVoltage()
{
    goldenFile g{"golden_ts_volt_2ch.csv", {}, {}, {}, {12, 500000, 12, 1500000, -1, 999999999}};
    dataFileSettings &s = g.settings;
    s.subType = "AB", s.serialNumber = "00c0ffee", s.clockSource = "PTP", s.scanRate = 1000.0;
    s.startMode = "Immediate", s.stopMode = "Stop after predefined number of scans is acquired";
    s.numberOfScansWritten = true, s.numberOfScans = 3, s.acquisitionTimeWritten = true, s.acquisitionTime = 0.003;
    g.columns.timestamps = g.columns.voltage = true;
    g.columns.channels = {{1, "K", false}, {3, "J", true}};
    g.rows = {{21.503, 0.852, m_nan, m_nan},
              {21.5035, 0.8525, 30.0000005, 1.2345675},
              {-0.0000004, -0.0000006, 1e10 / 3, -1e10 / 7}};
    return g;
}

std::vector<goldenFile> goldenFiles()
{
    return {withTimestampsVoltageColdJunction(), temperatureOnlyExternalClock(), withTimestampsAndVoltage()};
}

// What the reader must give for a value: the number of its "%lf" text (not-a-number stays so).
double asWritten(double v)
{
    char text[400];
    std::snprintf(text, sizeof text, "%lf", v);
    return std::isnan(v) ? v : std::strtod(text, nullptr);
}

bool sameBits(double a, double b) { return (std::isnan(a) && std::isnan(b)) || std::memcmp(&a, &b, sizeof a) == 0; }

} // namespace

void tst_dataFileWriter::goldenFiles_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<bool>("commaLocale");
    for (int i = 0; i < 3; ++i) {
        QTest::newRow(qPrintable(QString(::goldenFiles()[size_t(i)].name) + " C")) << i << false;
        QTest::newRow(qPrintable(QString(::goldenFiles()[size_t(i)].name) + " comma")) << i << true;
    }
}

void tst_dataFileWriter::goldenFiles()
{
    QFETCH(int, index);
    QFETCH(bool, commaLocale);
    const QString why = commaLocale ? useTestLocale(m_dir, TestLocale::DecimalComma) : QString();
    if (!why.isEmpty())
        QSKIP(qPrintable(why));
    const goldenFile g = ::goldenFiles()[size_t(index)];
    const QByteArray path = m_dir.filePath(g.name).toLocal8Bit();
    std::FILE *file = std::fopen(path.constData(), "wb");
    QVERIFY(file);
    QCOMPARE(writeDataFileHeader(file, g.settings, g.columns), 0);
    // Two blocks in the read-buffer layout, as the acquisition callback hands them over.
    std::vector<char> buffer;
    const int vpc = g.columns.valuesPerChannel(), channels = int(g.columns.channels.size());
    const int scans = int(g.rows.size()), half = scans / 2;
    for (const int from : {0, half}) {
        const int n = from ? scans - half : half;
        std::vector<double> data(size_t(n * channels * vpc));
        for (int k = 0; k < channels; ++k)
            for (int i = 0; i < n; ++i)
                for (int j = 0; j < vpc; ++j)
                    data[size_t((n * k + i) * vpc + j)] = g.rows[size_t(from + i)][size_t(k * vpc + j)];
        const std::int32_t *ts = g.timestamps.empty() ? nullptr : g.timestamps.data() + 2 * from;
        QCOMPARE(writeDataFileRows(file, g.columns, data.data(), ts, n, buffer), 0);
        // Each block is on disk at once: a crash loses no row already handed over.
        QCOMPARE(QFile(QString::fromLocal8Bit(path)).size(), qint64(std::ftell(file)));
    }
    std::fclose(file);
    const QByteArray expected = readTestFile(QString(TS4720_TEST_DATA_DIR "/") + g.name);
    QVERIFY(!expected.isEmpty());
    QCOMPARE(readTestFile(QString::fromLocal8Bit(path)), expected);
}

void tst_dataFileWriter::headerConditions_data()
{
    QTest::addColumn<bool>("scanRate");
    QTest::addColumn<bool>("alarm");
    QTest::addColumn<bool>("scans");
    QTest::addColumn<bool>("time");
    QTest::addColumn<QByteArray>("between");   // header lines after "Clock Source"
    QTest::newRow("all") << true << true << true << true
        << QByteArray("Scan Rate:,2,Hz\nStart Mode:,S\nPTP Alarm:,01.02.2030 03:04:05,1896231845.000000000\n"
                      "Stop Mode:,T\nNumber of scans:,7\nAcquisition time:,3.500000,s\n\n");
    QTest::newRow("none") << false << false << false << false << QByteArray("Start Mode:,S\nStop Mode:,T\n\n");
    QTest::newRow("time needs scans") << true << false << false << true
        << QByteArray("Scan Rate:,2,Hz\nStart Mode:,S\nStop Mode:,T\n\n");
    QTest::newRow("scans without time") << false << false << true << false
        << QByteArray("Start Mode:,S\nStop Mode:,T\nNumber of scans:,7\n\n");
}

void tst_dataFileWriter::headerConditions()
{
    QFETCH(QByteArray, between);
    QFETCH(bool, scanRate);
    QFETCH(bool, alarm);
    QFETCH(bool, scans);
    QFETCH(bool, time);
    dataFileSettings s;
    s.scanRateWritten = scanRate, s.alarmWritten = alarm, s.numberOfScansWritten = scans, s.acquisitionTimeWritten = time;
    s.subType = "AB", s.serialNumber = "12ab\n34";   // a line break must not start a new header line
    s.clockSource = "C", s.scanRate = 2.99, s.startMode = "S", s.stopMode = "T";
    s.alarmDay = 1, s.alarmMonth = 2, s.alarmYear = 2030, s.alarmHour = 3, s.alarmMinute = 4, s.alarmSecond = 5;
    s.alarmSeconds = 1896231845LL, s.numberOfScans = 7, s.acquisitionTime = 3.5;
    dataFileColumns columns;
    columns.coldJunction = true;
    columns.channels = {{48, "User 2", true}, {9, "N,x", false}};
    const QByteArray expected = "sep=,\nKorvan 4720-AB\nSerial Number:,12ab 34\n\nClock Source:,C\n" + between +
        "Channel 48 [\xB0" "C] TC:User 2 OTD enabled,CJ 48 [\xB0" "C],Channel 9 [\xB0" "C] TC:N x,CJ 9 [\xB0" "C],\n";
    QCOMPARE(QByteArray::fromStdString(formatDataFileHeader(s, columns)), expected);
}

void tst_dataFileWriter::roundTrip_data()
{
    QTest::addColumn<int>("flags");          // 1 timestamps, 2 voltage, 4 cold junction
    QTest::addColumn<QVector<int>>("channels");
    QVector<int> all;
    for (int n = 1; n <= 48; ++n)
        all << n;
    for (int flags = 0; flags < 8; ++flags)
        for (const QVector<int> &set : {QVector<int>{1}, QVector<int>{2, 5, 7}, all})
            QTest::newRow(qPrintable(QString("ts%1 v%2 cj%3, %4 channels").arg(flags & 1).arg((flags >> 1) & 1)
                                         .arg((flags >> 2) & 1).arg(set.size()))) << flags << set;
}

void tst_dataFileWriter::roundTrip()
{
    QFETCH(int, flags);
    QFETCH(QVector<int>, channels);
    const char *const typeNames[] = {"J", "K", "T", "E", "B", "S", "R", "N", "User 1", "User 2"};
    dataFileColumns columns;
    columns.timestamps = flags & 1, columns.voltage = flags & 2, columns.coldJunction = flags & 4;
    for (int n : channels)
        columns.channels.push_back({n, typeNames[n % 10], n % 3 == 0});
    const int vpc = columns.valuesPerChannel(), nCh = channels.size(), block = 37, scans = 5 * block;
    dataFileSettings s;
    s.serialNumber = "0a1b2c3d", s.scanRate = 250.9, s.stopMode = "Stop after predefined number of scans is acquired";
    s.numberOfScansWritten = s.acquisitionTimeWritten = true, s.numberOfScans = scans, s.acquisitionTime = scans / 250.0;

    std::mt19937_64 random(flags * 100 + nCh);
    std::uniform_real_distribution<double> temperature(-270.0, 1372.0);
    std::vector<double> temperatures;   // per scan, then channel
    std::vector<std::int32_t> times;    // (seconds, nanoseconds) per scan
    const QByteArray path = m_dir.filePath(QString("rt%1_%2.csv").arg(flags).arg(nCh)).toLocal8Bit();
    std::FILE *file = std::fopen(path.constData(), "wb");
    QVERIFY(file);
    QCOMPARE(writeDataFileHeader(file, s, columns), 0);
    std::vector<char> buffer;
    for (int b = 0; b < 5; ++b) {
        std::vector<double> data(size_t(block * nCh * vpc));
        for (double &v : data)
            v = random() % 20 == 0 ? NAN : (random() % 50 == 0 ? -1e-7 : temperature(random));
        for (int i = 0; i < block; ++i) {
            times.push_back(1796562309 + (b * block + i) / 250);
            times.push_back(int(random() % 1000000000));
            for (int k = 0; k < nCh; ++k)
                temperatures.push_back(data[size_t((block * k + i) * vpc)]);
        }
        QCOMPARE(writeDataFileRows(file, columns, data.data(), times.data() + 2 * b * block, block, buffer), 0);
    }
    std::fclose(file);

    loadedFileRecord r;
    QCOMPARE(readDataFileHeader(path.constData(), &r), 0);
    QCOMPARE(QList<QByteArray>({r.serialNumber, r.clockSource, r.startMode, r.stopMode}),
             QList<QByteArray>({"0a1b2c3d", "Internal", "Immediate", "Stop after predefined number of scans is acquired"}));
    QCOMPARE(QVector<double>({double(r.rowCount), double(r.numberOfScans), r.scanRate, double(r.presentChannels)}),
             QVector<double>({double(scans), double(scans), 250.0, double(nCh)}));
    QCOMPARE(r.hasTimestamps + 2 * r.hasVoltage + 4 * r.hasColdJunction, flags);
    for (int n : channels) {
        QCOMPARE(int(r.channels[n - 1].present), 1);
        QCOMPARE(int(r.channels[n - 1].otd), n % 3 == 0 ? 1 : 0);
        QCOMPARE(QByteArray(r.channels[n - 1].type), QByteArray(typeNames[n % 10]));
    }

    auto x = std::vector<double>(size_t(scans)), values = std::vector<double>(size_t(scans * nCh));
    double *windows[48] = {};
    for (int k = 0; k < nCh; ++k)
        windows[k] = values.data() + k * scans;
    QCOMPARE(readDataFileRows(r, 0, scans, x.data(), windows, nullptr), 0);
    const double first = times[0] + times[1] / 1e9;
    for (int i = 0; i < scans; ++i) {
        const double xi = columns.timestamps ? (times[size_t(2 * i)] + times[size_t(2 * i + 1)] / 1e9) - first : i / 250.0;
        QVERIFY2(sameBits(x[size_t(i)], xi), qPrintable(QString("x of row %1").arg(i)));
        for (int k = 0; k < nCh; ++k) {
            const double got = values[size_t(k * scans + i)], expected = asWritten(temperatures[size_t(i * nCh + k)]);
            if (!sameBits(got, expected))
                QFAIL(qPrintable(QString("row %1 window %2: %3, expected %4").arg(i).arg(k).arg(got, 0, 'g', 17)
                                     .arg(expected, 0, 'g', 17)));
        }
    }
}

QTEST_GUILESS_MAIN(tst_dataFileWriter)
#include "tst_dataFileWriter.moc"
