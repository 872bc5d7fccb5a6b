// The driver against an instrument that lies, trickles or claims too much: garbage is never
// success, no exchange outlasts its deadline, no block overruns a buffer or allocates ahead
// of its data, and downloads of any size stream to their file.
#include "lyingInstrument.h"
#include "replyFormat.h"
#include "testInstrument.h"
#include "ts2900.h"
#include "ts4720.h"
#include "ts4720_ext.h"
#include "visa.h"

#include <QtTest>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <functional>
#include <new>

namespace {
const int kArea = 5;
const int kWaitMs = 20000; // only reached when something is broken

// The largest single allocation since the last reset: memory must follow the bytes that
// arrived, never the length a block header claims.
std::atomic<size_t> largestAllocation{0};


// Replaces the first reply unit of messages starting with `header` (the driver sends
// ";:SYST:ERR?" behind each message, whose entry stays as the instrument gave it).
LyingInstrument::Rewrite replaceUnit(const std::string &header, const std::string &unit)
{
    return [header, unit](const std::string &message, const std::string &reply) {
        if (message.compare(0, header.size(), header) != 0)
            return reply.empty() ? reply : reply + "\n";
        const size_t separator = reply.rfind(";0,");
        return unit + (separator == std::string::npos ? std::string() : reply.substr(separator)) + "\n";
    };
}

// Sends `bytes` (without "\n") for messages starting with `header`.
LyingInstrument::Rewrite answer(const std::string &header, const std::string &bytes)
{
    return [header, bytes](const std::string &message, const std::string &reply) {
        return message.compare(0, header.size(), header) == 0 ? bytes : reply.empty() ? reply : reply + "\n";
    };
}

std::string block(const std::string &bytes) { return tssim::definiteBlock(bytes); }

struct Probe {
    const char *header;
    std::function<ViStatus(ViSession)> call; // leaves its out values in `touched` when it wrote any
};

std::atomic<bool> touched{false};


std::vector<Probe> probes()
{
    return {
        {"CHAN:STAT?", [](ViSession vi) { ViBoolean b = 7; ViStatus s = ts4720_getChannelState(vi, 1, &b); touched = b != 7; return s; }},
        {"ATTR? 295", [](ViSession vi) { ViInt32 v = -7; ViStatus s = ts4720_getAttribute(vi, ts4720_ATTR_DATA_FORMAT, &v); touched = v != -7; return s; }},
        {"TRIG:LINE:STAT?", [](ViSession vi) { ViInt16 v = -7; ViStatus s = ts4720_getRPTrigger(vi, 0, &v); touched = v != -7; return s; }},
        {"PTP:TIME?", [](ViSession vi) { ViUInt32 v = 7; ViStatus s = ts4720_getPTPTime(vi, &v, VI_NULL); touched = v != 7; return s; }},
        {"ACQ:MODE?", [](ViSession vi) { ViReal64 r = -7; ViStatus s = ts4720_getAcquisitionMode(vi, VI_NULL, &r, VI_NULL, VI_NULL, VI_NULL, VI_NULL); touched = r != -7; return s; }},
        {"CHAN:ALER?", [](ViSession vi) { ViBoolean a = 7, b = 7; ViReal64 lo = -7, hi = -7;
             ViStatus s = ts4720_getAlertConfig(vi, 1, &a, &lo, &b, &hi); touched = lo != -7 || hi != -7; return s; }},
        {"THER:CUST?", [](ViSession vi) { ViReal64 c[TS4720_N_USER_COEFFS]; std::fill(c, c + TS4720_N_USER_COEFFS, -7.0); ViInt32 n = -7;
             ViStatus s = ts4720_getCustomThermConfig(vi, "User 1", c, &n); touched = n != -7 || c[0] != -7.0; return s; }},
        {"MEAS:SCAN?", [](ViSession vi) { ViReal64 v[TS4720_MAX_CHANNELS]; std::fill(v, v + TS4720_MAX_CHANNELS, -7.0);
             ViStatus s = ts4720_acquireScan(vi, v); touched = v[0] != -7.0 || v[47] != -7.0; return s; }},
        {"MMEM:CAT?", [](ViSession vi) { ViInt32 n = -7; ViStatus s = ts4720_getStorageFileList(vi, VI_NULL, &n); touched = n > 0; return s; }},
    };
}

const Probe &probe(const QString &header)
{
    static const std::vector<Probe> all = probes();
    for (const Probe &p : all)
        if (header == p.header)
            return p;
    qFatal("no probe for %s", qPrintable(header));
}

} // namespace

void *operator new(size_t size)
{
    size_t seen = largestAllocation.load();
    while (size > seen && !largestAllocation.compare_exchange_weak(seen, size)) {
    }
    if (void *p = std::malloc(size ? size : 1))
        return p;
    throw std::bad_alloc();
}
void operator delete(void *p) noexcept { std::free(p); }
void operator delete(void *p, size_t) noexcept { std::free(p); }

class tst_driverHostile : public QObject {
    Q_OBJECT

    std::unique_ptr<LyingInstrument> m_liar;
    ViSession m_vi = 0;

private slots:
    void init();
    void cleanup();
    void garbageIsNoSuccess_data();
    void garbageIsNoSuccess();
    void oneDeadlinePerExchange_data();
    void oneDeadlinePerExchange();
    void memoryFollowsTheData_data();
    void memoryFollowsTheData();
    void scanBlocksThatDoNotFit_data();
    void scanBlocksThatDoNotFit();
    void emptyBlocksDoNotSpin();
    void downloads_data();
    void downloads();
};

void tst_driverHostile::init()
{
    m_liar = std::make_unique<LyingInstrument>(kArea);
    QVERIFY(m_liar->start());
    QCOMPARE(ts4720_init(m_liar->descriptor().c_str(), VI_FALSE, VI_FALSE, &m_vi), VI_SUCCESS);
}

void tst_driverHostile::cleanup()
{
    ts4720_close(m_vi);
    m_liar.reset();
}

void tst_driverHostile::garbageIsNoSuccess_data()
{
    QTest::addColumn<QString>("header");
    QTest::addColumn<QByteArray>("unit");     // what the instrument claims
    QTest::addColumn<bool>("accepted");
    const std::string nan = std::string(8, '\0').replace(6, 2, "\xf8\x7f");
    QTest::newRow("state 12abc") << "CHAN:STAT?" << QByteArray("12abc") << false;
    QTest::newRow("state +1") << "CHAN:STAT?" << QByteArray("+1") << true;
    QTest::newRow("integer 2.5E+01") << "ATTR? 295" << QByteArray("2.5E+01") << false;
    QTest::newRow("integer 0x7") << "ATTR? 295" << QByteArray("0x7") << false;
    QTest::newRow("line state 1.0") << "TRIG:LINE:STAT?" << QByteArray("1.0") << false;
    QTest::newRow("time 12abc") << "PTP:TIME?" << QByteArray("1700000000,12abc") << false;
    QTest::newRow("rate 2.5E+01") << "ACQ:MODE?" << QByteArray("0,2.5E+01,0,0,0,1") << true;
    QTest::newRow("rate 12,5") << "ACQ:MODE?" << QByteArray("0,12;5,0,0,0,1") << false;
    QTest::newRow("rate NAN") << "ACQ:MODE?" << QByteArray("0,NAN,0,0,0,1") << false;
    QTest::newRow("rate 0") << "ACQ:MODE?" << QByteArray("0,0,0,0,0,1") << false;
    QTest::newRow("alert INF") << "CHAN:ALER?" << QByteArray("1,INF,1,99") << false;
    QTest::newRow("alert NAN") << "CHAN:ALER?" << QByteArray("1,21.5,1,nan") << false;
    QTest::newRow("coefficient -INF") << "THER:CUST?" << QByteArray("2,1.5,-INF") << false;
    QTest::newRow("scan empty") << "MEAS:SCAN?" << QByteArray("#10") << false;
    QTest::newRow("scan of 47 channels") << "MEAS:SCAN?" << QByteArray::fromStdString(block(std::string(47 * 8, '\0'))) << false;
    QTest::newRow("scan of 48, NaN") << "MEAS:SCAN?" << QByteArray::fromStdString(block(nan + std::string(47 * 8, '\0'))) << true;
}

// A reply that is not exactly what the call expects is TS4720_ERROR_BAD_RESPONSE, and the
// out values stay as they were.
void tst_driverHostile::garbageIsNoSuccess()
{
    QFETCH(QString, header);
    QFETCH(QByteArray, unit);
    QFETCH(bool, accepted);
    m_liar->setRewrite(replaceUnit(header.toStdString(), unit.toStdString()));
    touched = false;
    const ViStatus status = probe(header).call(m_vi);
    QCOMPARE(status, accepted ? ViStatus(VI_SUCCESS) : ViStatus(TS4720_ERROR_BAD_RESPONSE));
    QCOMPARE(bool(touched), accepted);
}

void tst_driverHostile::oneDeadlinePerExchange_data()
{
    QTest::addColumn<QString>("header");
    QTest::addColumn<QByteArray>("reply"); // trickled at 40 kB/s, never complete
    const QByteArray line(80000, 'x');
    QTest::newRow("reply line") << "CHAN:STAT?" << line;
    QTest::newRow("error entry of a command") << "ACQ:STOP" << line;
    QTest::newRow("block") << "MMEM:CAT?" << "#6080000" + line;
}

// Each slice arrives well within the timeout, the whole never: the exchange ends at its
// deadline, long before the trickle would.
void tst_driverHostile::oneDeadlinePerExchange()
{
    QFETCH(QString, header);
    QFETCH(QByteArray, reply);
    QCOMPARE(ts4720_setTimeout(m_vi, 300), VI_SUCCESS);
    m_liar->setRewrite(answer(header.toStdString(), reply.toStdString()));
    m_liar->setTrickle(400, 10);
    ViStatus status;
    if (header == "ACQ:STOP")
        status = ts4720_stopAcquisition(m_vi);
    else
        status = probe(header).call(m_vi);
    QCOMPARE(status, ViStatus(VI_ERROR_TMO));
    QVERIFY2(m_liar->bytesSent() < 60000, qPrintable(QString::number(m_liar->bytesSent())));
}

void tst_driverHostile::memoryFollowsTheData_data()
{
    QTest::addColumn<QString>("header");
    QTest::addColumn<QByteArray>("claim"); // a block header, followed by 1000 bytes and silence
    QTest::newRow("file list of 16 MB") << "MMEM:CAT?" << QByteArray("#8016000000");
    QTest::newRow("download of 200 MB") << "MMEM:DATA?" << QByteArray("#9200000000");
}

// A block header that claims much and delivers little: nothing near its size is allocated,
// and the exchange ends at its deadline.
void tst_driverHostile::memoryFollowsTheData()
{
    QFETCH(QString, header);
    QFETCH(QByteArray, claim);
    QCOMPARE(ts4720_setTimeout(m_vi, 300), VI_SUCCESS);
    m_liar->setRewrite(answer(header.toStdString(), claim.toStdString() + std::string(1000, 'x')));
    QTemporaryDir dir;
    largestAllocation = 0;
    ViInt32 length = -1;
    const ViStatus status = header == "MMEM:CAT?" ? ts4720_getStorageFileList(m_vi, VI_NULL, &length)
        : ts4720_downloadFile(m_vi, ts4720_STORAGE_HD, "a.csv", qPrintable(dir.filePath("a.csv")));
    QCOMPARE(status, ViStatus(VI_ERROR_TMO));
    QVERIFY2(largestAllocation < 1024 * 1024, qPrintable(QString::number(largestAllocation)));
    QVERIFY(QDir(dir.path()).isEmpty());
}

void tst_driverHostile::scanBlocksThatDoNotFit_data()
{
    QTest::addColumn<QString>("header");
    QTest::addColumn<QByteArray>("unit");
    QTest::addColumn<bool>("atStart"); // refused by the start, else by the read
    QTest::newRow("layout with more channels") << "ACQ:STAR" << QByteArray("1,1,3,1,2,3") << true;
    QTest::newRow("layout with more values") << "ACQ:STAR" << QByteArray("1,3,2,1,2") << true;
    QTest::newRow("layout without timestamps") << "ACQ:STAR" << QByteArray("0,1,2,1,2") << true;
    QTest::newRow("block with a value more") << "DATA:FETC?" << QByteArray::fromStdString(block(std::string(4 * 8, '\0'))) << false;
    QTest::newRow("block with more scans than asked") << "DATA:FETC?" << QByteArray::fromStdString(block(std::string(5 * 3 * 8, '\0'))) << false;
}

// Channels 1 and 2, temperatures with timestamps: a layout or block that claims more is refused
// and nothing is written into the caller's buffer.
void tst_driverHostile::scanBlocksThatDoNotFit()
{
    QFETCH(QString, header);
    QFETCH(QByteArray, unit);
    QFETCH(bool, atStart);
    tssim::Instrument &honest = m_liar->instrument();
    honest.command("CHAN:STAT 1,1;:CHAN:STAT 2,1;:ATTR 295,1;:ACQ:MODE 0,1000,0,0,0,1");
    m_liar->setRewrite(replaceUnit(header.toStdString(), unit.toStdString()));
    const ViStatus started = ts4720_startAcquisitionEx(m_vi, 1, nullptr, nullptr);
    QCOMPARE(started, atStart ? ViStatus(TS4720_ERROR_BAD_RESPONSE) : ViStatus(VI_SUCCESS));
    if (atStart) {
        QCOMPARE(QString::fromStdString(honest.command("ACQ:STAT?")).left(2), QString("0,")); // stopped again
        return;
    }
    ts2900_delay(20);
    std::vector<ViReal64> data(64, -7.0);
    std::vector<ViInt32> stamps(16, -7);
    ViInt32 remaining = -1, scansRead = -1;
    QCOMPARE(ts4720_readAcquisition(m_vi, 2, 0, &remaining, &scansRead, data.data(), stamps.data()),
             ViStatus(TS4720_ERROR_BAD_RESPONSE));
    QCOMPARE(scansRead, 0);
    QVERIFY(std::all_of(data.begin(), data.end(), [](double v) { return v == -7.0; }));
    QVERIFY(std::all_of(stamps.begin(), stamps.end(), [](ViInt32 v) { return v == -7; }));
}

void countCallback(ViSession, ViInt32, ViInt16, ViAddr params)
{
    ++*static_cast<std::atomic<int> *>(params);
}

// The instrument reports a backlog but hands out empty blocks: the driver's thread waits
// for its next poll instead of calling back again at once.
void tst_driverHostile::emptyBlocksDoNotSpin()
{
    m_liar->instrument().command("CHAN:STAT 1,1;:ACQ:MODE 0,10,0,0,0,1");
    std::atomic<int> callbacks{0};
    m_liar->setRewrite([&callbacks](const std::string &message, const std::string &honest) {
        if (message.compare(0, 10, "DATA:FETC?") == 0)
            return std::string("#10\n");
        return (message.compare(0, 9, "ACQ:STAT?") == 0 ? "2,1000,0;0,\"No error\"" : honest) + (honest.empty() ? "" : "\n");
    });
    auto readOne = [](ViSession vi, ViInt32, ViInt16, ViAddr params) {
        ViReal64 data[1];
        ViInt32 remaining = 0, read = 0;
        ts4720_readAcquisition(vi, 1, 0, &remaining, &read, data, VI_NULL);
        countCallback(vi, 0, 0, params);
    };
    const auto begin = std::chrono::steady_clock::now();
    QCOMPARE(ts4720_startAcquisitionEx(m_vi, 10, readOne, &callbacks), VI_SUCCESS);
    ts2900_delay(500);
    QCOMPARE(ts4720_stopAcquisition(m_vi), VI_SUCCESS);
    const double elapsedMs = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - begin).count();
    // 10 scans at 10 Hz: a poll every 50 ms at most; a spinning thread makes thousands.
    const int polls = int(elapsedMs / 50) + 1;
    QVERIFY2(callbacks > 0 && callbacks <= 2 * polls, qPrintable(QString("%1 callbacks").arg(callbacks.load())));
}

void tst_driverHostile::downloads_data()
{
    QTest::addColumn<qint64>("length");
    QTest::addColumn<qint64>("dropAfter"); // -1: delivered whole
    QTest::newRow("257 MiB") << qint64(257) * 1024 * 1024 << qint64(-1);
    QTest::newRow("connection lost on the way") << qint64(300000000) << qint64(1000000);
}

// Streamed to the file in pieces whatever its size; a failed download leaves no partial file
// and the file that had the name before untouched.
void tst_driverHostile::downloads()
{
    QFETCH(qint64, length);
    QFETCH(qint64, dropAfter);
    m_liar->setStreamedBlock("MMEM:DATA?", length, dropAfter);
    QTemporaryDir dir;
    const QString path = dir.filePath("download.csv");
    {
        QFile before(path);
        QVERIFY(before.open(QIODevice::WriteOnly) && before.write("before") == 6);
    }
    largestAllocation = 0;
    const ViStatus status = ts4720_downloadFile(m_vi, ts4720_STORAGE_HD, "big.csv", qPrintable(path));
    QVERIFY2(largestAllocation < 1024 * 1024, qPrintable(QString::number(largestAllocation)));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{"download.csv"});
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    if (dropAfter >= 0) {
        QVERIFY(ts4720_isConnectionFailure(status));
        QCOMPARE(file.readAll(), QByteArray("before"));
        return;
    }
    QCOMPARE(status, ViStatus(VI_SUCCESS));
    QCOMPARE(file.size(), length);
    for (qint64 at : {qint64(0), qint64(1) << 20, length / 2 + 17, length - 1}) {
        QVERIFY(file.seek(at));
        char c = 0;
        QVERIFY(file.getChar(&c));
        QCOMPARE(c, LyingInstrument::blockByte(at));
    }
}

QTEST_GUILESS_MAIN(tst_driverHostile)
#include "tst_driverHostile.moc"
