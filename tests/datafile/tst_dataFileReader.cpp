// The data-file reader: the header's matching rules, the rows' x values and temperatures,
// and damaged files (each must give a defined result).
#include "dataFileReader.h"
#include "testFiles.h"
#include "testLocale.h"
#include "loadedFile.h"

#include <QtTest>

#include <limits>
#include <random>

using values = QVector<double>;

class tst_dataFileReader : public QObject
{
    Q_OBJECT

private slots:
    void headerFields_data();
    void headerFields();
    void rows_data();
    void rows();
    void stoppedReads_data();
    void stoppedReads();
    void damagedFiles_data();
    void damagedFiles();
    void missingFile();
    void commaLocaleAndProcessWideRecord();

private:
    int read(const QByteArray &text, loadedFileRecord &record);
    QTemporaryDir m_dir;
    int m_files = 0;
};

namespace {

const double m_nan = std::numeric_limits<double>::quiet_NaN();
const QByteArray deg = "\xB0";
const QByteArray head = "sep=,\nKorvan 4720-AC\nSerial Number:,0a1b2c3d\n\nClock Source:,Internal\n"
                        "Scan Rate:,10,Hz\nStart Mode:,Immediate\nStop Mode:,Stop on user request\n\n";

QByteArray channel(int n, const QByteArray &type = "K") { return "Channel " + QByteArray::number(n) + " [" + deg + "C] TC:" + type + ","; }

QByteArray tempFile(const QByteArray &header, const QByteArray &columns, const QByteArray &rows)
{
    return header + columns + "\n" + rows;
}

QByteArray field(const loadedFileRecord &r, const QByteArray &name)
{
    if (name == "clock") return r.clockSource;
    if (name == "stop") return r.stopMode;
    if (name == "start") return r.startMode;
    if (name == "serial") return r.serialNumber;
    if (name == "scans") return QByteArray::number(r.numberOfScans);
    if (name == "channels") return QByteArray::number(r.channelCount);
    if (name == "rows") return QByteArray::number(r.rowCount);
    if (name == "alarm")
        return QString("%1.%2.%3 %4:%5:%6,%7").arg(r.alarmDay).arg(r.alarmMonth).arg(r.alarmYear).arg(r.alarmHour)
            .arg(r.alarmMinute).arg(r.alarmSecond).arg(r.alarmSeconds).toLatin1();
    QByteArray list;   // "present": "number:type[:otd]" of every present channel
    for (int i = 0; i < 48; ++i)
        if (r.channels[i].present)
            list += QByteArray::number(i + 1) + ":" + r.channels[i].type + (r.channels[i].otd ? ":otd" : "") + " ";
    return list + "(" + QByteArray::number(r.presentChannels) + ")";
}

// Descriptors the process holds (where the system shows them), to see files left open.
int openDescriptors()
{
    return QDir("/proc/self/fd").entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot).size();
}

// The values as text, so that NaN compares equal to NaN.
QByteArray show(const values &v)
{
    QByteArray out;
    for (double d : v)
        out += QByteArray::number(d, 'g', 17) + " ";
    return out;
}

} // namespace

int tst_dataFileReader::read(const QByteArray &text, loadedFileRecord &record)
{
    const QByteArray path = writeTestFile(m_dir, QString("f%1.csv").arg(++m_files), text);
    return readDataFileHeader(path.constData(), &record);
}

void tst_dataFileReader::headerFields_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<int>("result");
    QTest::addColumn<QByteArray>("name");
    QTest::addColumn<QByteArray>("expected");
    const QByteArray cols = channel(1) + channel(3, "J OTD enabled");
    const QByteArray row = "1.0,2.0,\n";
    auto withLine = [&](const QByteArray &line) { return tempFile("sep=,\n" + line + "\n\n", cols, row); };
    QTest::newRow("clock kept as written") << withLine("Clock Source:,Rear Panel Line 1") << 0 << QByteArray("clock") << QByteArray("Rear Panel Line 1");
    QTest::newRow("stop cut at (") << withLine("Stop Mode:,Stop on trigger (pulse)") << 0 << QByteArray("stop") << QByteArray("Stop on trigger ");
    QTest::newRow("Number of Scans") << withLine("Number of Scans:,12") << 0 << QByteArray("scans") << QByteArray("12");
    QTest::newRow("number of scans") << withLine("number of scans:,13") << 0 << QByteArray("scans") << QByteArray("13");
    QTest::newRow("Number of anything") << withLine("Number of samples:,14") << 0 << QByteArray("scans") << QByteArray("14");
    QTest::newRow("huge number of scans") << withLine("Number of scans:,99999999999") << 0 << QByteArray("scans") << QByteArray("2147483647");
    QTest::newRow("start mode") << withLine("Start Mode:,PTP Alarm") << 0 << QByteArray("start") << QByteArray("PTP Alarm");
    QTest::newRow("alarm") << withLine("PTP Alarm:,06.12.2026 13:05:09,1796562309.000000000") << 0 << QByteArray("alarm") << QByteArray("6.12.2026 13:5:9,1796562309");
    QTest::newRow("alarm cut short") << withLine("PTP Alarm:,06.12") << 0 << QByteArray("alarm") << QByteArray("6.12.0 0:0:0,0");
    QTest::newRow("serial cut to 8") << withLine("Serial Number:,Not Available") << 0 << QByteArray("serial") << QByteArray("Not Avai");
    QTest::newRow("long clock cut to 63") << withLine("Clock Source:," + QByteArray(200, 'x')) << 0 << QByteArray("clock") << QByteArray(63, 'x');
    QTest::newRow("no model line: 48") << withLine("") << 0 << QByteArray("channels") << QByteArray("48");
    QTest::newRow("AA: 16") << withLine("Korvan 4720-AA") << 0 << QByteArray("channels") << QByteArray("16");
    QTest::newRow("model case") << withLine("KORVAN 4720-AC") << 0 << QByteArray("channels") << QByteArray("48");
    QTest::newRow("AD refused") << withLine("Korvan 4720-AD") << -1 << QByteArray("rows") << QByteArray("0");
    QTest::newRow("no suffix refused") << withLine("Korvan 4720-") << -1 << QByteArray("rows") << QByteArray("0");
    QTest::newRow("User 1 and User 2 whole") << tempFile("", channel(2, "User 1 OTD enabled") + channel(4, "User 2"), row) << 0
                                             << QByteArray("present") << QByteArray("2:User 1:otd 4:User 2 (2)");
    QTest::newRow("long type cut to 31") << tempFile("", channel(2, QByteArray(40, 't')), row) << 0
                                         << QByteArray("present") << "2:" + QByteArray(31, 't') + " (1)";
    QTest::newRow("channels 0 49 999999 ignored") << tempFile("", channel(0) + channel(2) + channel(49) + channel(999999) + "Channel x,", row)
                                                  << 0 << QByteArray("present") << QByteArray("2:K (1)");
    QTest::newRow("beyond model ignored") << tempFile("Korvan 4720-AA\n", channel(16) + channel(17), row) << 0
                                          << QByteArray("present") << QByteArray("16:K (1)");
    QTest::newRow("duplicate ignored") << tempFile("", channel(5, "J") + channel(5, "K"), row) << 0 << QByteArray("present") << QByteArray("5:J (1)");
    QTest::newRow("row count") << tempFile(head, cols, row + row + "\n" + row) << 0 << QByteArray("rows") << QByteArray("4");
    QTest::newRow("CR-LF") << QByteArray(tempFile(head, cols, row + row)).replace("\n", "\r\n") << 0 << QByteArray("stop")
                           << QByteArray("Stop on user request");
}

void tst_dataFileReader::headerFields()
{
    QFETCH(QByteArray, text);
    QFETCH(int, result);
    QFETCH(QByteArray, name);
    QFETCH(QByteArray, expected);
    loadedFileRecord record;
    QCOMPARE(read(text, record), result);
    QCOMPARE(field(record, name), expected);
    QCOMPARE(int(record.viewer), result == 0 ? 1 : 0);
}

void tst_dataFileReader::rows_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<int>("first");
    QTest::addColumn<int>("count");
    QTest::addColumn<values>("x");
    QTest::addColumn<values>("window0");
    QTest::addColumn<values>("window1");
    const QByteArray two = channel(1) + channel(2);
    const QByteArray three = two + channel(3);
    QByteArray thirty;
    for (int i = 0; i < 30; ++i)
        thirty += QByteArray::number(i) + ".5,\n";
    auto clock = [](const QByteArray &source) {
        return "Clock Source:," + source + "\nScan Rate:,10,Hz\n\n";
    };
    QTest::newRow("PTP 10 Hz row 25") << tempFile(clock("PTP"), channel(1), thirty) << 25 << 1 << values{2.5} << values{25.5} << values{};
    QTest::newRow("external row 25") << tempFile(clock("Rear Panel Line 1"), channel(1), thirty) << 25 << 1 << values{25} << values{25.5} << values{};
    QTest::newRow("no scan rate") << tempFile("Clock Source:,PTP\n", channel(1), thirty) << 3 << 1 << values{3} << values{3.5} << values{};
    QTest::newRow("special values") << tempFile("", two + channel(3) + channel(4) + channel(5), "1e308,inf,-nan,+1.5, 2.5,\n")
                                    << 0 << 1 << values{0} << values{1e308} << values{std::numeric_limits<double>::infinity()};
    QTest::newRow("short row") << tempFile("", two, "1.0\n") << 0 << 1 << values{0} << values{1} << values{m_nan};
    QTest::newRow("long row") << tempFile("", two, "1,2,3,4,5,\n") << 0 << 1 << values{0} << values{1} << values{2};
    QTest::newRow("bad value ends row") << tempFile("", three, "abc,2.0,3.0,\n4,5,6,\n") << 0 << 2 << values{0, 1} << values{m_nan, 4} << values{m_nan, 5};
    QTest::newRow("ends mid-row") << tempFile("", three, "1,2,3,\n5.0,6") << 1 << 1 << values{1} << values{5} << values{6};
    QTest::newRow("empty line is a row") << tempFile("", two, "1,2,\n\n3,4,\n") << 1 << 2 << values{1, 2} << values{m_nan, 3} << values{m_nan, 4};
    QTest::newRow("CR-LF") << tempFile("", two, "1.5,2.5,\r\n3,4\r\n") << 0 << 2 << values{0, 1} << values{1.5, 3} << values{2.5, 4};
    QTest::newRow("ignored channel keeps its column") << tempFile("", channel(0) + channel(2) + channel(49) + channel(7), "1,2,3,4,\n")
                                                      << 0 << 1 << values{0} << values{2} << values{4};
    QTest::newRow("channels out of order") << tempFile("", channel(5) + channel(2), "5.5,2.2,\n") << 0 << 1 << values{0} << values{2.2} << values{5.5};
    QTest::newRow("rows beyond the end") << tempFile("", two, "1,2,\n") << 0 << 2 << values{0, -1} << values{1, -1} << values{2, -1};
    QTest::newRow("1 MB row") << tempFile("", two, "1.0,2.0," + QByteArray(1 << 20, '9') + "\n3,4,\n") << 0 << 2 << values{0, 1} << values{1, 3} << values{2, 4};
    QTest::newRow("bad timestamp") << tempFile("", "Timestamp," + two, "1.5,1,2,\nx,3,4,\n") << 0 << 2 << values{0, m_nan} << values{1, 3} << values{2, 4};
}

void tst_dataFileReader::rows()
{
    QFETCH(QByteArray, text);
    QFETCH(int, first);
    QFETCH(int, count);
    QFETCH(values, x);
    QFETCH(values, window0);
    QFETCH(values, window1);
    loadedFileRecord record;
    QCOMPARE(read(text, record), 0);
    values time(count, -1), w0(count, -1), w1(count, -1);
    double *windows[48] = {w0.data(), w1.data()};
    std::atomic<int> progress{-1};
    QCOMPARE(readDataFileRows(record, first, count, time.data(), windows, &progress), 0);
    QCOMPARE(progress.load(), qMin(first + count, record.rowCount) - 1);
    QCOMPARE(show(time), show(x));
    QCOMPARE(show(w0), show(window0));
    if (!window1.isEmpty())
        QCOMPARE(show(w1), show(window1));
}

// How far a read got: rows stored, a file that ends before the rows asked for or in a cut
// row, and a cancelled read.
void tst_dataFileReader::stoppedReads_data()
{
    QTest::addColumn<QByteArray>("rowsText");
    QTest::addColumn<int>("first");
    QTest::addColumn<int>("count");
    QTest::addColumn<bool>("cancel");
    QTest::addColumn<int>("stored");
    QTest::addColumn<bool>("endedEarly");
    QTest::newRow("whole") << QByteArray("1,2,\n3,4,\n5,6,\n") << 0 << 3 << false << 3 << false;
    QTest::newRow("shorter than asked") << QByteArray("1,2,\n3,4,\n5,6,\n") << 1 << 5 << false << 2 << true;
    QTest::newRow("cut in the last row") << QByteArray("1,2,\n3,4,\n5.") << 0 << 3 << false << 2 << true;
    QTest::newRow("cut after the last value") << QByteArray("1,2,\n3,4,\n5,6") << 0 << 3 << false << 3 << false;
    QTest::newRow("short row inside is kept") << QByteArray("1,2,\n3\n5,6,\n") << 0 << 3 << false << 3 << false;
    QTest::newRow("cancelled") << QByteArray("1,2,\n3,4,\n") << 0 << 2 << true << 0 << false;
}

void tst_dataFileReader::stoppedReads()
{
    QFETCH(QByteArray, rowsText);
    QFETCH(int, first);
    QFETCH(int, count);
    QFETCH(bool, cancel);
    QFETCH(int, stored);
    QFETCH(bool, endedEarly);
    loadedFileRecord record;
    QCOMPARE(read(tempFile(head, channel(1) + channel(2), rowsText), record), 0);
    values w0(count, -1), w1(count, -1);
    double *windows[48] = {w0.data(), w1.data()};
    const std::atomic<bool> stop{cancel};
    dataFileRowRead run;
    run.cancel = &stop;
    QCOMPARE(readDataFileRows(record, first, count, nullptr, windows, run), 0);
    QCOMPARE(run.stored.load(), stored);
    QCOMPARE(run.endedEarly, endedEarly);
    QCOMPARE(run.cancelled, cancel);
    if (stored > 0)
        QCOMPARE(w0[stored - 1], 2.0 * (first + stored) - 1);
}

void tst_dataFileReader::damagedFiles_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<int>("result");
    QTest::addColumn<int>("rows");
    QTest::addColumn<int>("headerLines");
    std::mt19937 random(4720);
    QByteArray garbage;
    for (int i = 0; i < 200000; ++i)
        garbage += char(random());
    QByteArray garbageWithColumns = channel(1) + "\n" + garbage;
    const int garbageLines = garbageWithColumns.count('\n') + (garbageWithColumns.endsWith('\n') ? 0 : 1) - 1;
    QTest::newRow("empty") << QByteArray() << -1 << 0 << 0;
    QTest::newRow("header only") << head << -1 << 0 << 9;
    QTest::newRow("column line only") << head + channel(1) + "\n" << -1 << 0 << 10;
    QTest::newRow("no column line") << head + "1.0,2.0,\n3.0,4.0,\n" << -1 << 0 << 11;
    QTest::newRow("binary garbage") << garbage << -1 << 0 << garbage.count('\n') + (garbage.endsWith('\n') ? 0 : 1);
    QTest::newRow("garbage rows") << garbageWithColumns << 0 << garbageLines << 1;
    QTest::newRow("1 MB header line") << "sep=,\n" + QByteArray(1 << 20, 'x') + "\n" + channel(1) + "\n1,\n" << 0 << 1 << 3;
    QTest::newRow("1 MB line without end") << QByteArray(1 << 20, 'x') << -1 << 0 << 1;
    QTest::newRow("NUL bytes") << QByteArray("sep=,\0\n", 7) + channel(1) + QByteArray("\n1\0,\n", 5) << 0 << 1 << 2;
}

void tst_dataFileReader::damagedFiles()
{
    QFETCH(QByteArray, text);
    QFETCH(int, result);
    QFETCH(int, rows);
    QFETCH(int, headerLines);
    loadedFileRecord record;
    const int descriptors = openDescriptors();
    QCOMPARE(read(text, record), result);
    QCOMPARE(record.rowCount, rows);
    QCOMPARE(record.headerLineCount, headerLines);
    // Reading every row of whatever was found must not go wrong either.
    values time(qMax(rows, 1)), w0(qMax(rows, 1));
    double *windows[48] = {w0.data()};
    QCOMPARE(readDataFileRows(record, 0, rows, time.data(), windows, nullptr), 0);
    QCOMPARE(openDescriptors(), descriptors); // both steps closed the file
}

void tst_dataFileReader::missingFile()
{
    loadedFileRecord record;
    const QByteArray path = m_dir.filePath("does-not-exist.csv").toLocal8Bit();
    QCOMPARE(readDataFileHeader(path.constData(), &record), -1);
    QCOMPARE(QByteArray(record.path) + char('0' + record.viewer), path + "0");
    double time[1];
    QCOMPARE(readDataFileRows(record, 0, 1, time, nullptr, nullptr), -1);
    dataFileRowRead run;
    QCOMPARE(readDataFileRows(record, 0, 1, time, nullptr, run), -1);
    QVERIFY(!run.opened && run.endedEarly);
}

// Both steps under a decimal-comma locale, on the process-wide record, rows from the middle.
void tst_dataFileReader::commaLocaleAndProcessWideRecord()
{
    const QString why = useTestLocale(m_dir, TestLocale::DecimalComma);
    if (!why.isEmpty())
        QSKIP(qPrintable(why));
    QByteArray rowsText = "0.000500000,21.503000,\n";
    for (int i = 1; i < 1000; ++i)
        rowsText += QByteArray::number(i / 4) + "." + QByteArray::number(i % 4 * 25).rightJustified(2, '0') + "0500000," + QByteArray::number(i) + ",\n";
    const int result = read(tempFile(head, "Timestamp," + channel(9), rowsText), loadedFile());
    values time(500), w0(500);
    double *windows[48] = {w0.data()};
    std::atomic<int> progress{0};
    const int rowsResult = readDataFileRows(400, 500, time.data(), windows, &progress);
    useCLocale();
    QCOMPARE(result, 0);
    QCOMPARE(loadedFile().scanRate, 10.0);
    QCOMPARE(loadedFile().rowCount, 1000);
    QCOMPARE(rowsResult, 0);
    QCOMPARE(progress.load(), 899);
    QCOMPARE(w0[0], 400.0);
    QCOMPARE(w0[499], 899.0);
    QCOMPARE(time[1], 100.25);
}

QTEST_GUILESS_MAIN(tst_dataFileReader)
#include "tst_dataFileReader.moc"
