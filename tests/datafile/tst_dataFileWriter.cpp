// The data-file writer: byte-exact golden files under the C and a decimal-comma locale, and
// the header lines' conditions.
#include "dataFileTestSupport.h"
#include "dataFileWriter.h"
#include "goldenFiles.h"

#include <QtTest>

#include <cstdio>

class tst_dataFileWriter : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { useCLocale(); }
    void goldenFiles_data();
    void goldenFiles();
    void headerConditions_data();
    void headerConditions();
    void rowsOfSeveralBlocksAppend();

private:
    QTemporaryDir dir_;
};

void tst_dataFileWriter::goldenFiles_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<bool>("commaLocale");
    const std::vector<goldenFile> files = ::goldenFiles();
    for (int i = 0; i < int(files.size()); ++i) {
        QTest::newRow(qPrintable(QString::fromStdString(files[size_t(i)].name) + " C")) << i << false;
        QTest::newRow(qPrintable(QString::fromStdString(files[size_t(i)].name) + " comma")) << i << true;
    }
}

void tst_dataFileWriter::goldenFiles()
{
    QFETCH(int, index);
    QFETCH(bool, commaLocale);
    if (commaLocale) {
        const QString why = useCommaLocale(dir_);
        if (!why.isEmpty())
            QSKIP(qPrintable(why));
    }
    const goldenFile g = ::goldenFiles()[size_t(index)];
    const QByteArray path = dir_.filePath(QString::fromStdString(g.name)).toLocal8Bit();
    std::FILE *file = std::fopen(path.constData(), "wb");
    QVERIFY(file);
    std::vector<char> buffer;
    QCOMPARE(writeDataFileHeader(file, g.settings, g.columns), 0);
    // Two blocks, as the acquisition callback hands them over.
    const int vpc = g.columns.valuesPerChannel();
    const int channels = int(g.columns.channels.size());
    const int firstBlock = g.scans / 2;
    for (int block = 0; block < 2; ++block) {
        const int from = block ? firstBlock : 0;
        const int n = block ? g.scans - firstBlock : firstBlock;
        std::vector<double> data(size_t(n * channels * vpc));
        for (int k = 0; k < channels; ++k)
            for (int i = 0; i < n; ++i)
                for (int j = 0; j < vpc; ++j)
                    data[size_t((n * k + i) * vpc + j)] = g.data[size_t((g.scans * k + from + i) * vpc + j)];
        const std::int32_t *ts = g.timestamps.empty() ? nullptr : g.timestamps.data() + 2 * from;
        QCOMPARE(writeDataFileRows(file, g.columns, data.data(), ts, n, buffer), 0);
    }
    std::fclose(file);
    const QByteArray expected = readTestFile(QFINDTESTDATA("data/" + QString::fromStdString(g.name)));
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
    QTest::newRow("none") << false << false << false << false
        << QByteArray("Start Mode:,S\nStop Mode:,T\n\n");
    QTest::newRow("time needs scans") << true << false << false << true
        << QByteArray("Scan Rate:,2,Hz\nStart Mode:,S\nStop Mode:,T\n\n");
    QTest::newRow("scans without time") << false << false << true << false
        << QByteArray("Start Mode:,S\nStop Mode:,T\nNumber of scans:,7\n\n");
}

void tst_dataFileWriter::headerConditions()
{
    QFETCH(bool, scanRate);
    QFETCH(bool, alarm);
    QFETCH(bool, scans);
    QFETCH(bool, time);
    QFETCH(QByteArray, between);
    dataFileSettings s;
    s.subType = "AB";
    s.serialNumber = "12ab\n34";   // a line break must not start a new header line
    s.clockSource = "C";
    s.scanRateWritten = scanRate;
    s.scanRate = 2.99;
    s.startMode = "S";
    s.alarmWritten = alarm;
    s.alarmDay = 1, s.alarmMonth = 2, s.alarmYear = 2030, s.alarmHour = 3, s.alarmMinute = 4, s.alarmSecond = 5;
    s.alarmSeconds = 1896231845LL;
    s.stopMode = "T";
    s.numberOfScansWritten = scans;
    s.numberOfScans = 7;
    s.acquisitionTimeWritten = time;
    s.acquisitionTime = 3.5;
    dataFileColumns columns;
    columns.coldJunction = true;
    columns.channels = {{48, "User 2", true}, {9, "N,x", false}};
    const QByteArray expected = "sep=,\nKorvan 4720-AB\nSerial Number:,12ab 34\n\nClock Source:,C\n" + between +
        "Channel 48 [\xB0" "C] TC:User 2 OTD enabled,CJ 48 [\xB0" "C],Channel 9 [\xB0" "C] TC:N x,CJ 9 [\xB0" "C],\n";
    QCOMPARE(QByteArray::fromStdString(formatDataFileHeader(s, columns)), expected);
}

void tst_dataFileWriter::rowsOfSeveralBlocksAppend()
{
    dataFileColumns columns;
    columns.voltage = true;
    columns.channels = {{1, "K", false}, {2, "K", false}};
    // Block of 2 scans: channel 1 (T, V) for scans 0 and 1, then channel 2.
    const double data[] = {1.0, 0.1, 2.0, 0.2, 3.0, 0.3, 4.0, 0.4};
    std::vector<char> text;
    appendDataFileRows(text, columns, data, nullptr, 2);
    appendDataFileRows(text, columns, data, nullptr, 1);
    QCOMPARE(QByteArray(text.data(), int(text.size())),
             QByteArray("1.000000,0.100000,3.000000,0.300000,\n2.000000,0.200000,4.000000,0.400000,\n"
                        "1.000000,0.100000,2.000000,0.200000,\n"));
}

QTEST_GUILESS_MAIN(tst_dataFileWriter)
#include "tst_dataFileWriter.moc"
