// The recorder's option values and its disk-space estimate, without an instrument.
#include "dataFileWriter.h"
#include "optionValues.h"
#include "outputChecks.h"

#include <QtTest>

#include <limits>

class tst_recorderValues : public QObject {
    Q_OBJECT
private slots:
    void optionValues_data();
    void optionValues();
    void rowEstimateCoversLongestRow();
};

// Each row: which reader, the text, and what it reads ("" when it refuses the text).
void tst_recorderValues::optionValues_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");
    QTest::newRow("channels, list and range") << "channels" << "12,1-8" << "1-8,12";
    QTest::newRow("channels, overlapping") << "channels" << "3-5,4,5-6" << "3-6";
    QTest::newRow("channels, last of the model") << "channels" << "48" << "48";
    QTest::newRow("channels, beyond") << "channels" << "1,49" << "";
    QTest::newRow("channels, zero") << "channels" << "0-3" << "";
    QTest::newRow("channels, descending") << "channels" << "8-1" << "";
    QTest::newRow("channels, empty item") << "channels" << "1,,2" << "";
    QTest::newRow("channels, blank") << "channels" << "1, 2" << "";
    QTest::newRow("duration, bare seconds") << "duration" << "90" << "90";
    QTest::newRow("duration, sum") << "duration" << "1h30m" << "5400";
    QTest::newRow("duration, fraction") << "duration" << "1.5h" << "5400";
    QTest::newRow("duration, days") << "duration" << "2d" << "172800";
    QTest::newRow("duration, decimal comma") << "duration" << "1,5h" << "";
    QTest::newRow("duration, zero") << "duration" << "0s" << "";
    QTest::newRow("duration, negative") << "duration" << "-5s" << "";
    QTest::newRow("duration, unknown unit") << "duration" << "10x" << "";
    QTest::newRow("duration, trailing number") << "duration" << "1h30" << "";
    QTest::newRow("duration, exponent") << "duration" << "1e3" << "";
    QTest::newRow("time, leap day") << "time" << "2024-02-29T12:00:00Z" << "1709208000";
    QTest::newRow("time, epoch") << "time" << "1970-01-01T00:00:00Z" << "0";
    QTest::newRow("time, last 32-bit second") << "time" << "2106-02-07T06:28:15Z" << "4294967295";
    QTest::newRow("time, beyond 32 bits") << "time" << "2106-02-07T06:28:16Z" << "";
    QTest::newRow("time, no leap day") << "time" << "2023-02-29T12:00:00Z" << "";
    QTest::newRow("time, hour 24") << "time" << "2024-01-01T24:00:00Z" << "";
    QTest::newRow("time, without Z") << "time" << "2024-01-01T12:00:00" << "";
    QTest::newRow("rate, whole") << "rate" << "1000" << "1000";
    QTest::newRow("rate, above") << "rate" << "1001" << "";
    QTest::newRow("rate, fraction") << "rate" << "2.5" << "";
    QTest::newRow("rate, sign") << "rate" << "+5" << "";
}

void tst_recorderValues::optionValues()
{
    QFETCH(QString, kind);
    QFETCH(QString, text);
    QFETCH(QString, expected);
    const std::string input = text.toStdString();
    std::string read;
    bool ok = false;
    if (kind == "channels") {
        std::vector<int> channels;
        std::string why;
        ok = parseChannelList(input, 48, &channels, &why);
        read = channelListText(channels);
    } else if (kind == "duration") {
        double seconds = 0.0;
        ok = parseDuration(input, &seconds);
        read = std::to_string((long long)seconds);
    } else {
        long long value = 0;
        ok = kind == "time" ? parseUtcTime(input, &value) : parseWholeNumber(input, 1, 1000, &value);
        read = std::to_string(value);
    }
    QCOMPARE(ok, !expected.isEmpty());
    if (ok)
        QCOMPARE(QString::fromStdString(read), expected);
}

// A fixed-length run is refused when the disk cannot hold it: the estimate per row must
// never be below what the writer writes, or a run could fill the disk after all.
void tst_recorderValues::rowEstimateCoversLongestRow()
{
    dataFileColumns columns;
    columns.timestamps = columns.voltage = columns.coldJunction = true;
    for (int ch = 1; ch <= 48; ++ch)
        columns.channels.push_back({ch, "User 1", true});
    for (double value : {-9999.999999, 99999.999999, std::numeric_limits<double>::quiet_NaN()}) {
        const std::vector<double> data(48 * 3, value);
        const std::int32_t stamp[2] = {std::numeric_limits<std::int32_t>::min(), 999999999};
        std::vector<char> row;
        appendDataFileRows(row, columns, data.data(), stamp, 1);
        QVERIFY2((long long)row.size() <= rowBytesAtMost(columns), std::to_string(row.size()).c_str());
    }
}

QTEST_GUILESS_MAIN(tst_recorderValues)
#include "tst_recorderValues.moc"
