// Sessions of the VISA library against a small TCP server on loopback addresses 127.40.3.x.
#include "scpiTestServer.h"
#include "visa.h"

#include <QtTest>

#include <future>
#include <thread>

namespace {

using Mode = ScpiTestServer::Mode;

// A test server and a session on it through a manager of its own, closed at the end.
struct Bench {
    Bench(const char *address, const char *descriptor, uint16_t port = 5025, Mode mode = Mode::Answer)
        : server(address, port, mode)
    {
        started = server.start();
        viOpenDefaultRM(&rm);
        opened = viOpen(rm, descriptor, VI_NULL, 0, &vi);
    }
    ~Bench() { viClose(rm); }
    bool ok() const { return started && opened == VI_SUCCESS; }

    ScpiTestServer server;
    ViSession rm = VI_NULL, vi = VI_NULL;
    bool started = false;
    ViStatus opened = VI_ERROR_SYSTEM_ERROR;
};

QByteArray readSome(ViSession vi, ViUInt32 count, ViStatus *status)
{
    QByteArray buffer(int(count), '\0');
    ViUInt32 received = 0;
    *status = viRead(vi, reinterpret_cast<ViBuf>(buffer.data()), count, &received);
    return buffer.left(int(received));
}

// Writes the message (a short write counts as a failure) and reads up to 255 bytes.
QByteArray query(ViSession vi, const QByteArray &message, ViStatus *status)
{
    ViUInt32 count = 0;
    *status = viWrite(vi, reinterpret_cast<ViConstBuf>(message.constData()),
                      ViUInt32(message.size()), &count);
    if (*status != VI_SUCCESS || count != ViUInt32(message.size()))
        return "write failed";
    return readSome(vi, 255, status);
}

const QByteArray idn = QByteArray::fromStdString(ScpiTestServer::idn());

} // namespace

class SessionTest : public QObject {
    Q_OBJECT
private slots:
    void exchange_data();
    void exchange();
    void readBuffering();
    void binaryBlock();
    void connectionLost();
    void openFailures_data();
    void openFailures();
    void attributes_data();
    void attributes();
    void settingAttributes();
    void closedSessions();
    void closeWakesRead();
    void concurrentSessions();
};

// INSTR sessions end a message themselves, SOCKET sessions send the bytes as they are; a
// read gives up after the timeout and keeps what came.
void SessionTest::exchange_data()
{
    QTest::addColumn<QString>("descriptor");
    QTest::addColumn<int>("port");
    QTest::addColumn<bool>("silent");
    QTest::addColumn<QByteArray>("message");
    QTest::addColumn<QByteArray>("reply");
    QTest::addColumn<ViStatus>("status");
    const QString instr = "TCPIP::127.40.3.1::INSTR", socket = "tcpip::127.40.3.1::5031::socket";
    const QByteArray bare = "*IDN?", ended = "*IDN?\n";
    const ViStatus ok = VI_SUCCESS, tmo = VI_ERROR_TMO;
    QTest::newRow("INSTR unterminated") << instr << 5025 << false << bare << idn << ok;
    QTest::newRow("INSTR terminated") << instr << 5025 << false << ended << idn << ok;
    QTest::newRow("SOCKET") << socket << 5031 << false << ended << idn << ok;
    QTest::newRow("SOCKET unterminated") << socket << 5031 << false << bare << QByteArray() << tmo;
    QTest::newRow("silent server") << instr << 5025 << true << bare << QByteArray() << tmo;
    QTest::newRow("partial reply") << instr << 5025 << false << QByteArray("PARTIAL?")
                                   << QByteArray("abc") << tmo;
}

void SessionTest::exchange()
{
    QFETCH(QString, descriptor);
    QFETCH(int, port);
    QFETCH(bool, silent);
    QFETCH(QByteArray, message);
    QFETCH(QByteArray, reply);
    QFETCH(ViStatus, status);
    Bench b("127.40.3.1", descriptor.toLatin1().constData(), uint16_t(port),
            silent ? Mode::Silent : Mode::Answer);
    QVERIFY(b.ok());
    QCOMPARE(viSetAttribute(b.vi, VI_ATTR_TMO_VALUE, 300), ViStatus(VI_SUCCESS));
    ViStatus got;
    QCOMPARE(query(b.vi, message, &got), reply);
    QCOMPARE(got, status);
}

// Bytes behind a terminator stay for the next read; a short buffer gives MAX_CNT.
void SessionTest::readBuffering()
{
    Bench b("127.40.3.2", "TCPIP0::127.40.3.2::inst0::INSTR");
    QVERIFY(b.ok());
    ViStatus status;
    QCOMPARE(query(b.vi, "TWO?", &status), QByteArray("first\n"));
    QCOMPARE(status, ViStatus(VI_SUCCESS));
    QCOMPARE(readSome(b.vi, 255, &status), QByteArray("second\n"));
    QCOMPARE(status, ViStatus(VI_SUCCESS));
    QCOMPARE(query(b.vi, "LONG?", &status), QByteArray(255, 'x'));
    QCOMPARE(status, ViStatus(VI_SUCCESS_MAX_CNT));
    QCOMPARE(readSome(b.vi, 45, &status), QByteArray(45, 'x'));
    QCOMPARE(status, ViStatus(VI_SUCCESS_MAX_CNT));
    QCOMPARE(readSome(b.vi, 255, &status), QByteArray("\n"));
    QCOMPARE(status, ViStatus(VI_SUCCESS));
}

// With the terminator switched off a read takes exactly what was asked for, '\n' or not.
void SessionTest::binaryBlock()
{
    Bench b("127.40.3.3", "TCPIP::127.40.3.3::INSTR");
    QVERIFY(b.ok());
    QCOMPARE(viSetAttribute(b.vi, VI_ATTR_TERMCHAR_EN, VI_FALSE), ViStatus(VI_SUCCESS));
    ViUInt32 written = 0;
    QCOMPARE(viWrite(b.vi, reinterpret_cast<ViConstBuf>("BLOCK?"), 6, &written), ViStatus(VI_SUCCESS));
    const QByteArray block = QByteArray::fromStdString(ScpiTestServer::block());
    ViStatus status;
    QCOMPARE(readSome(b.vi, 2, &status), block.left(2));
    QCOMPARE(readSome(b.vi, 2, &status), block.mid(2, 2));
    QCOMPARE(readSome(b.vi, 12, &status), block.mid(4, 12));
    QCOMPARE(status, ViStatus(VI_SUCCESS_MAX_CNT));
    QCOMPARE(readSome(b.vi, 1, &status), QByteArray("\n"));
    QCOMPARE(viSetAttribute(b.vi, VI_ATTR_TERMCHAR_EN, VI_TRUE), ViStatus(VI_SUCCESS));
    QCOMPARE(query(b.vi, "*IDN?", &status), idn);
}

void SessionTest::connectionLost()
{
    Bench b("127.40.3.6", "TCPIP::127.40.3.6::INSTR");
    QVERIFY(b.ok());
    ViStatus status;
    query(b.vi, "BYE", &status);
    QCOMPARE(status, ViStatus(VI_ERROR_CONN_LOST));
    // The first writes may still be accepted by the local stack; the reset comes back soon.
    for (int i = 0; i < 50 && status != VI_ERROR_CONN_LOST; ++i) {
        ViUInt32 written = 0;
        status = viWrite(b.vi, reinterpret_cast<ViConstBuf>("*IDN?\n"), 6, &written);
        QVERIFY(status == VI_SUCCESS || status == VI_ERROR_CONN_LOST);
        QThread::msleep(10);
    }
    QCOMPARE(status, ViStatus(VI_ERROR_CONN_LOST));
}

// "unanswered": a host that never answers the connection attempt (its queue is kept full)
// fails after the session timeout instead of hanging.
void SessionTest::openFailures_data()
{
    QTest::addColumn<QString>("descriptor");
    QTest::addColumn<uint>("mode");
    QTest::addColumn<ViStatus>("expected");
    QTest::newRow("VXI") << "VXI0::1::INSTR" << 0u << ViStatus(VI_ERROR_INTF_NUM_NCONFIG);
    QTest::newRow("invalid") << "TCPIP::127.40.3.9" << 0u << ViStatus(VI_ERROR_INV_RSRC_NAME);
    QTest::newRow("refused INSTR") << "TCPIP::127.40.3.9::INSTR" << 0u << ViStatus(VI_ERROR_RSRC_NFOUND);
    QTest::newRow("refused SOCKET") << "TCPIP::127.40.3.9::5099::SOCKET" << 0u
                                    << ViStatus(VI_ERROR_RSRC_NFOUND);
    QTest::newRow("lock") << "TCPIP::127.40.3.9::INSTR" << uint(VI_EXCLUSIVE_LOCK)
                          << ViStatus(VI_ERROR_INV_ACC_MODE);
    QTest::newRow("unanswered") << "TCPIP::127.40.3.13::INSTR" << 0u << ViStatus(VI_ERROR_RSRC_NFOUND);
}

void SessionTest::openFailures()
{
    QFETCH(QString, descriptor);
    QFETCH(uint, mode);
    QFETCH(ViStatus, expected);
    ScpiTestServer backlogged("127.40.3.13", 5025, Mode::Backlogged);
    QVERIFY(backlogged.start());
    ViSession rm = VI_NULL, vi = 99;
    QCOMPARE(viOpenDefaultRM(&rm), ViStatus(VI_SUCCESS));
    QCOMPARE(viOpen(rm, descriptor.toLatin1().constData(), mode, 0, &vi), expected);
    QCOMPARE(vi, ViSession(VI_NULL));
    viClose(rm);
}

void SessionTest::attributes_data()
{
    QTest::addColumn<QString>("descriptor");
    QTest::addColumn<uint>("attribute");
    QTest::addColumn<int>("width");
    QTest::addColumn<qulonglong>("expected");
    const QString full = "TCPIP3::127.40.3.7::inst1::INSTR", socket = "TCPIP::127.40.3.7::5032::SOCKET";
    QTest::newRow("board") << full << uint(VI_ATTR_INTF_NUM) << 2 << 3ull;
    QTest::newRow("port INSTR") << full << uint(VI_ATTR_TCPIP_PORT) << 2 << 5025ull;
    QTest::newRow("port SOCKET") << socket << uint(VI_ATTR_TCPIP_PORT) << 2 << 5032ull;
    QTest::newRow("timeout") << full << uint(VI_ATTR_TMO_VALUE) << 4 << 2000ull;
    QTest::newRow("termchar") << full << uint(VI_ATTR_TERMCHAR) << 1 << 10ull;
    QTest::newRow("send end SOCKET") << socket << uint(VI_ATTR_SEND_END_EN) << 2 << 0ull;
}

// Each attribute has its value and its width: nothing is written behind it.
void SessionTest::attributes()
{
    QFETCH(QString, descriptor);
    QFETCH(uint, attribute);
    QFETCH(int, width);
    QFETCH(qulonglong, expected);
    ScpiTestServer socket("127.40.3.7", 5032);
    QVERIFY(socket.start());
    Bench b("127.40.3.7", descriptor.toLatin1().constData());
    QVERIFY(b.ok());
    unsigned char value[8];
    memset(value, 0xAA, sizeof value);
    QCOMPARE(viGetAttribute(b.vi, attribute, value), ViStatus(VI_SUCCESS));
    qulonglong got = 0;
    memcpy(&got, value, size_t(width)); // little-endian host
    QCOMPARE(got, expected);
    for (int i = width; i < 8; ++i)
        QCOMPARE(int(value[i]), 0xAA);
}

// Refused attributes leave the caller's value alone.
void SessionTest::settingAttributes()
{
    Bench b("127.40.3.8", "tcpip::127.40.3.8::INSTR");
    QVERIFY(b.ok());
    ViUInt16 slot = 7;
    QCOMPARE(viGetAttribute(b.vi, VI_ATTR_SLOT, &slot), ViStatus(VI_ERROR_NSUP_ATTR));
    QCOMPARE(slot, ViUInt16(7));
    QCOMPARE(viSetAttribute(b.vi, VI_ATTR_INTF_TYPE, 2), ViStatus(VI_ERROR_ATTR_READONLY));
    QCOMPARE(viSetAttribute(b.vi, VI_ATTR_TERMCHAR_EN, 7), ViStatus(VI_ERROR_NSUP_ATTR_STATE));
    QCOMPARE(viSetAttribute(b.vi, VI_ATTR_SLOT, 1), ViStatus(VI_ERROR_NSUP_ATTR));
    ViUInt16 type = 0;
    QCOMPARE(viGetAttribute(b.rm, VI_ATTR_INTF_TYPE, &type), ViStatus(VI_ERROR_NSUP_ATTR));
}

// Closed and unknown sessions are refused everywhere; closing a manager closes its sessions.
void SessionTest::closedSessions()
{
    Bench b("127.40.3.10", "TCPIP::127.40.3.10::INSTR");
    QVERIFY(b.ok());
    ViSession other = VI_NULL;
    QCOMPARE(viOpen(b.vi, "TCPIP::127.40.3.10::INSTR", VI_NULL, 0, &other), ViStatus(VI_ERROR_NSUP_OPER));
    QCOMPARE(viClose(b.rm), ViStatus(VI_SUCCESS));
    for (ViSession s : {b.vi, b.rm, ViSession(0x7654321)}) {
        ViByte buffer[8];
        ViUInt32 count = 0;
        ViUInt16 type = 0;
        QCOMPARE(viRead(s, buffer, 8, &count), ViStatus(VI_ERROR_INV_OBJECT));
        QCOMPARE(viWrite(s, buffer, 8, &count), ViStatus(VI_ERROR_INV_OBJECT));
        QCOMPARE(viGetAttribute(s, VI_ATTR_INTF_TYPE, &type), ViStatus(VI_ERROR_INV_OBJECT));
        QCOMPARE(viSetAttribute(s, VI_ATTR_TMO_VALUE, 100), ViStatus(VI_ERROR_INV_OBJECT));
        QCOMPARE(viClose(s), ViStatus(VI_ERROR_INV_OBJECT));
        QCOMPARE(viOpen(s, "TCPIP::127.40.3.10::INSTR", VI_NULL, 0, &other), ViStatus(VI_ERROR_INV_OBJECT));
    }
}

// Closing a session from another thread ends a read that would wait for ever.
void SessionTest::closeWakesRead()
{
    Bench b("127.40.3.11", "TCPIP::127.40.3.11::INSTR", 5025, Mode::Silent);
    QVERIFY(b.ok());
    QCOMPARE(viSetAttribute(b.vi, VI_ATTR_TMO_VALUE, VI_TMO_INFINITE), ViStatus(VI_SUCCESS));
    const ViSession vi = b.vi;
    auto reader = std::async(std::launch::async, [vi] {
        ViStatus status;
        readSome(vi, 10, &status);
        return status;
    });
    QThread::msleep(100);
    QCOMPARE(viClose(vi), ViStatus(VI_SUCCESS));
    QCOMPARE(reader.get(), ViStatus(VI_ERROR_CONN_LOST));
}

// Discovery opens up to 128 sessions at once through one manager.
void SessionTest::concurrentSessions()
{
    Bench b("127.40.3.12", "TCPIP::127.40.3.12::INSTR");
    QVERIFY(b.ok());
    std::promise<void> go;
    std::shared_future<void> started = go.get_future().share();
    std::atomic<int> identified{0};
    std::vector<std::thread> threads;
    for (int i = 0; i < 128; ++i) {
        threads.emplace_back([&, started] {
            started.wait();
            ViSession vi = VI_NULL;
            if (viOpen(b.rm, "TCPIP::127.40.3.12::INSTR", VI_NULL, 0, &vi) != VI_SUCCESS)
                return;
            ViStatus status;
            if (query(vi, "*IDN?", &status) == idn && status == VI_SUCCESS && viClose(vi) == VI_SUCCESS)
                ++identified;
        });
    }
    go.set_value();
    for (std::thread &t : threads)
        t.join();
    QCOMPARE(identified.load(), 128);
}

QTEST_GUILESS_MAIN(SessionTest)
#include "sessionTest.moc"
