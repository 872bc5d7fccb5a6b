// Files written by the writer read back to the same header values and the same numbers (exactly
// the numbers of their six-decimal text), for every combination of stored values.
#include "dataFileReader.h"
#include "dataFileTestSupport.h"
#include "dataFileWriter.h"
#include "loadedFile.h"

#include <QtTest>

#include <clocale>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <random>

class tst_dataFileRoundTrip : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { std::setlocale(LC_ALL, "C"); }
    void roundTrip_data();
    void roundTrip();

private:
    QTemporaryDir dir_;
};

namespace {

const char *const typeNames[] = {"J", "K", "T", "E", "B", "S", "R", "N", "User 1", "User 2"};

// What the reader must give for a value: the number of its "%lf" text (not-a-number stays so).
double expectedValue(double v)
{
    if (std::isnan(v))
        return v;
    char text[400];
    std::snprintf(text, sizeof text, "%lf", v);
    return std::strtod(text, nullptr);
}

bool sameBits(double a, double b)
{
    return (std::isnan(a) && std::isnan(b)) || std::memcmp(&a, &b, sizeof a) == 0;
}

dataFileSettings settingsFor(int scans)
{
    dataFileSettings s;
    s.subType = "AC";
    s.serialNumber = "0a1b2c3d";
    s.clockSource = "Internal";
    s.scanRate = 250.9;
    s.startMode = "Immediate";
    s.stopMode = "Stop after predefined number of scans is acquired";
    s.numberOfScansWritten = true;
    s.numberOfScans = scans;
    s.acquisitionTimeWritten = true;
    s.acquisitionTime = scans / 250.0;
    return s;
}

} // namespace

void tst_dataFileRoundTrip::roundTrip_data()
{
    QTest::addColumn<int>("flags");          // 1 timestamps, 2 voltage, 4 cold junction
    QTest::addColumn<QVector<int>>("channels");
    for (int flags = 0; flags < 8; ++flags) {
        QVector<int> all;
        for (int n = 1; n <= 48; ++n)
            all << n;
        for (const QVector<int> &set : {QVector<int>{1}, QVector<int>{2, 5, 7}, all})
            QTest::newRow(qPrintable(QString("ts%1 v%2 cj%3, %4 channels").arg(flags & 1).arg((flags >> 1) & 1)
                                         .arg((flags >> 2) & 1).arg(set.size()))) << flags << set;
    }
}

void tst_dataFileRoundTrip::roundTrip()
{
    QFETCH(int, flags);
    QFETCH(QVector<int>, channels);
    dataFileColumns columns;
    columns.timestamps = flags & 1;
    columns.voltage = flags & 2;
    columns.coldJunction = flags & 4;
    for (int n : channels)
        columns.channels.push_back({n, typeNames[n % 10], n % 3 == 0});
    const int vpc = columns.valuesPerChannel();
    const int nCh = channels.size();
    const int blockScans = 37, blocks = 5, scans = blockScans * blocks;

    std::mt19937_64 random(flags * 100 + nCh);
    std::uniform_real_distribution<double> temperature(-270.0, 1372.0);
    std::vector<double> temperatures;         // per scan, then channel
    std::vector<std::int32_t> times;
    const QByteArray path = dir_.filePath(QString("rt%1_%2.csv").arg(flags).arg(nCh)).toLocal8Bit();
    std::FILE *file = std::fopen(path.constData(), "wb");
    QVERIFY(file);
    QCOMPARE(writeDataFileHeader(file, settingsFor(scans), columns), 0);
    std::vector<char> buffer;
    for (int b = 0; b < blocks; ++b) {
        std::vector<double> data(size_t(blockScans * nCh * vpc));
        std::vector<std::int32_t> ts(size_t(2 * blockScans));
        for (double &v : data)
            v = random() % 20 == 0 ? NAN : (random() % 50 == 0 ? -1e-7 : temperature(random));
        for (int i = 0; i < blockScans; ++i) {
            ts[size_t(2 * i)] = 1796562309 + (b * blockScans + i) / 250;
            ts[size_t(2 * i + 1)] = int(random() % 1000000000);
            times.insert(times.end(), ts.begin() + 2 * i, ts.begin() + 2 * i + 2);
            for (int k = 0; k < nCh; ++k)
                temperatures.push_back(data[size_t((blockScans * k + i) * vpc)]);
        }
        QCOMPARE(writeDataFileRows(file, columns, data.data(), ts.data(), blockScans, buffer), 0);
    }
    std::fclose(file);

    loadedFileRecord record;
    QCOMPARE(readDataFileHeader(path.constData(), &record), 0);
    QCOMPARE(record.rowCount, scans);
    QCOMPARE(record.numberOfScans, scans);
    QCOMPARE(record.scanRate, 250.0);
    QCOMPARE(QByteArray(record.serialNumber), QByteArray("0a1b2c3d"));
    QCOMPARE(QByteArray(record.clockSource), QByteArray("Internal"));
    QCOMPARE(QByteArray(record.startMode), QByteArray("Immediate"));
    QCOMPARE(QByteArray(record.stopMode), QByteArray("Stop after predefined number of scans is acquired"));
    QCOMPARE(int(record.hasTimestamps), flags & 1 ? 1 : 0);
    QCOMPARE(int(record.hasVoltage), flags & 2 ? 1 : 0);
    QCOMPARE(int(record.hasColdJunction), flags & 4 ? 1 : 0);
    QCOMPARE(record.presentChannels, nCh);
    for (int n : channels) {
        QCOMPARE(int(record.channels[n - 1].present), 1);
        QCOMPARE(int(record.channels[n - 1].otd), n % 3 == 0 ? 1 : 0);
        QCOMPARE(QByteArray(record.channels[n - 1].type), QByteArray(typeNames[n % 10]).split(' ').first());
    }

    auto time = std::vector<double>(size_t(scans));
    auto windows = std::vector<std::vector<double>>(size_t(nCh), std::vector<double>(size_t(scans)));
    double *pointers[48] = {};
    for (int k = 0; k < nCh; ++k)
        pointers[k] = windows[size_t(k)].data();
    QCOMPARE(readDataFileRows(record, 0, scans, time.data(), pointers, nullptr), 0);
    const double first = times[0] + times[1] / 1e9;
    for (int i = 0; i < scans; ++i) {
        const double x = columns.timestamps ? (times[size_t(2 * i)] + times[size_t(2 * i + 1)] / 1e9) - first : i / 250.0;
        QVERIFY2(sameBits(time[size_t(i)], x), qPrintable(QString("x of row %1").arg(i)));
        for (int k = 0; k < nCh; ++k) {
            const double expected = expectedValue(temperatures[size_t(i * nCh + k)]);
            if (!sameBits(windows[size_t(k)][size_t(i)], expected))
                QFAIL(qPrintable(QString("row %1 window %2: %3, expected %4").arg(i).arg(k)
                                     .arg(windows[size_t(k)][size_t(i)], 0, 'g', 17).arg(expected, 0, 'g', 17)));
        }
    }
}

QTEST_APPLESS_MAIN(tst_dataFileRoundTrip)
#include "tst_dataFileRoundTrip.moc"
