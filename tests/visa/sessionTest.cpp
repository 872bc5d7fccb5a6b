// Sessions of the VISA library against a small TCP server on loopback addresses 127.40.3.x.
#include "scpiTestServer.h"
#include "visa.h"

#include <QtTest>

#include <future>
#include <thread>

namespace {

// Opens a resource manager for one test and closes it, with everything opened through
// it, when the test ends.
class Manager {
public:
    Manager() { viOpenDefaultRM(&rm); }
    ~Manager() { viClose(rm); }
    ViSession rm = VI_NULL;
};

QByteArray query(ViSession vi, const QByteArray &message, ViStatus *status)
{
    ViUInt32 count = 0;
    *status = viWrite(vi, reinterpret_cast<ViConstBuf>(message.constData()),
                      ViUInt32(message.size()), &count);
    if (*status != VI_SUCCESS)
        return QByteArray();
    ViByte reply[256];
    *status = viRead(vi, reply, 255, &count);
    return QByteArray(reinterpret_cast<char *>(reply), int(count));
}

QByteArray readSome(ViSession vi, ViUInt32 count, ViStatus *status)
{
    QByteArray buffer(int(count), '\0');
    ViUInt32 received = 0;
    *status = viRead(vi, reinterpret_cast<ViBuf>(buffer.data()), count, &received);
    return buffer.left(int(received));
}

} // namespace

class SessionTest : public QObject {
    Q_OBJECT
private slots:
    void identify();
    void socketResource();
    void readBuffering();
    void binaryBlock();
    void readTimeout();
    void connectionLost();
    void unansweredConnect();
    void openFailures_data();
    void openFailures();
    void attributes_data();
    void attributes();
    void settingAttributes();
    void closedSessions();
    void closeWakesRead();
    void concurrentSessions();
};

void SessionTest::identify()
{
    ScpiTestServer server("127.40.3.1", 5025);
    QVERIFY(server.start());
    Manager m;
    ViSession vi = VI_NULL;
    QCOMPARE(viOpen(m.rm, "TCPIP::127.40.3.1::INSTR", VI_NULL, 0, &vi), ViStatus(VI_SUCCESS));
    ViUInt32 written = 0;
    // No terminator: the session marks the end of the message itself.
    QCOMPARE(viWrite(vi, reinterpret_cast<ViConstBuf>("*IDN?"), 5, &written), ViStatus(VI_SUCCESS));
    QCOMPARE(written, ViUInt32(5));
    ViStatus status;
    QCOMPARE(readSome(vi, 255, &status), QByteArray::fromStdString(ScpiTestServer::idn()));
    QCOMPARE(status, ViStatus(VI_SUCCESS));
    QCOMPARE(query(vi, "*IDN?\n", &status), QByteArray::fromStdString(ScpiTestServer::idn()));
    QCOMPARE(viClose(vi), ViStatus(VI_SUCCESS));
}

// SOCKET sessions send the bytes as they are, on the port of the descriptor.
void SessionTest::socketResource()
{
    ScpiTestServer server("127.40.3.1", 5031);
    QVERIFY(server.start());
    Manager m;
    ViSession vi = VI_NULL;
    QCOMPARE(viOpen(m.rm, "tcpip::127.40.3.1::5031::socket", VI_NULL, 0, &vi), ViStatus(VI_SUCCESS));
    ViStatus status;
    QCOMPARE(query(vi, "*IDN?\n", &status), QByteArray::fromStdString(ScpiTestServer::idn()));
    QCOMPARE(viSetAttribute(vi, VI_ATTR_TMO_VALUE, 200), ViStatus(VI_SUCCESS));
    QCOMPARE(query(vi, "*IDN?", &status), QByteArray());
    QCOMPARE(status, ViStatus(VI_ERROR_TMO));
}

// Bytes behind a terminator stay for the next read; a short buffer gives MAX_CNT.
void SessionTest::readBuffering()
{
    ScpiTestServer server("127.40.3.2", 5025);
    QVERIFY(server.start());
    Manager m;
    ViSession vi = VI_NULL;
    QCOMPARE(viOpen(m.rm, "TCPIP0::127.40.3.2::inst0::INSTR", VI_NULL, 0, &vi), ViStatus(VI_SUCCESS));
    ViStatus status;
    QCOMPARE(query(vi, "TWO?", &status), QByteArray("first\n"));
    QCOMPARE(status, ViStatus(VI_SUCCESS));
    QCOMPARE(readSome(vi, 255, &status), QByteArray("second\n"));
    QCOMPARE(status, ViStatus(VI_SUCCESS));

    QCOMPARE(query(vi, "LONG?", &status), QByteArray(255, 'x'));
    QCOMPARE(status, ViStatus(VI_SUCCESS_MAX_CNT));
    QCOMPARE(readSome(vi, 45, &status), QByteArray(45, 'x'));
    QCOMPARE(status, ViStatus(VI_SUCCESS_MAX_CNT));
    QCOMPARE(readSome(vi, 255, &status), QByteArray("\n"));
    QCOMPARE(status, ViStatus(VI_SUCCESS));
}

// With the terminator switched off a read takes exactly what was asked for, '\n' or not.
void SessionTest::binaryBlock()
{
    ScpiTestServer server("127.40.3.3", 5025);
    QVERIFY(server.start());
    Manager m;
    ViSession vi = VI_NULL;
    QCOMPARE(viOpen(m.rm, "TCPIP::127.40.3.3::INSTR", VI_NULL, 0, &vi), ViStatus(VI_SUCCESS));
    QCOMPARE(viSetAttribute(vi, VI_ATTR_TERMCHAR_EN, VI_FALSE), ViStatus(VI_SUCCESS));
    ViUInt32 written = 0;
    QCOMPARE(viWrite(vi, reinterpret_cast<ViConstBuf>("BLOCK?"), 6, &written), ViStatus(VI_SUCCESS));
    const QByteArray block = QByteArray::fromStdString(ScpiTestServer::block());
    ViStatus status;
    QCOMPARE(readSome(vi, 2, &status), block.left(2));
    QCOMPARE(readSome(vi, 2, &status), block.mid(2, 2));
    QCOMPARE(readSome(vi, 12, &status), block.mid(4, 12));
    QCOMPARE(status, ViStatus(VI_SUCCESS_MAX_CNT));
    QCOMPARE(readSome(vi, 1, &status), QByteArray("\n"));
    QCOMPARE(viSetAttribute(vi, VI_ATTR_TERMCHAR_EN, VI_TRUE), ViStatus(VI_SUCCESS));
    QCOMPARE(query(vi, "*IDN?", &status), QByteArray::fromStdString(ScpiTestServer::idn()));
}

// A server that never answers: the read gives up with the timeout and keeps what came.
void SessionTest::readTimeout()
{
    ScpiTestServer silent("127.40.3.4", 5025, ScpiTestServer::Mode::Silent);
    QVERIFY(silent.start());
    Manager m;
    ViSession vi = VI_NULL;
    QCOMPARE(viOpen(m.rm, "TCPIP::127.40.3.4::INSTR", VI_NULL, 0, &vi), ViStatus(VI_SUCCESS));
    QCOMPARE(viSetAttribute(vi, VI_ATTR_TMO_VALUE, 300), ViStatus(VI_SUCCESS));
    QElapsedTimer timer;
    timer.start();
    ViStatus status;
    QCOMPARE(query(vi, "*IDN?", &status), QByteArray());
    QCOMPARE(status, ViStatus(VI_ERROR_TMO));
    qInfo("read timeout of 300 ms returned after %lld ms", timer.elapsed());

    ScpiTestServer partial("127.40.3.5", 5025);
    QVERIFY(partial.start());
    QCOMPARE(viOpen(m.rm, "TCPIP::127.40.3.5::INSTR", VI_NULL, 0, &vi), ViStatus(VI_SUCCESS));
    QCOMPARE(viSetAttribute(vi, VI_ATTR_TMO_VALUE, 300), ViStatus(VI_SUCCESS));
    QCOMPARE(query(vi, "PARTIAL?", &status), QByteArray("abc"));
    QCOMPARE(status, ViStatus(VI_ERROR_TMO));
}

void SessionTest::connectionLost()
{
    ScpiTestServer server("127.40.3.6", 5025);
    QVERIFY(server.start());
    Manager m;
    ViSession vi = VI_NULL;
    QCOMPARE(viOpen(m.rm, "TCPIP::127.40.3.6::INSTR", VI_NULL, 0, &vi), ViStatus(VI_SUCCESS));
    ViStatus status;
    query(vi, "BYE", &status);
    QCOMPARE(status, ViStatus(VI_ERROR_CONN_LOST));
    // The first writes may still be accepted by the local stack; the reset comes back soon.
    for (int i = 0; i < 50 && status != VI_ERROR_CONN_LOST; ++i) {
        ViUInt32 written = 0;
        status = viWrite(vi, reinterpret_cast<ViConstBuf>("*IDN?\n"), 6, &written);
        QVERIFY(status == VI_SUCCESS || status == VI_ERROR_CONN_LOST);
        QThread::msleep(10);
    }
    QCOMPARE(status, ViStatus(VI_ERROR_CONN_LOST));
}

// A host that does not answer the connection attempt fails after the session timeout.
void SessionTest::unansweredConnect()
{
    ScpiTestServer server("127.40.3.13", 5025, ScpiTestServer::Mode::Backlogged);
    QVERIFY(server.start());
    Manager m;
    ViSession vi = 99;
    QElapsedTimer timer;
    timer.start();
    QCOMPARE(viOpen(m.rm, "TCPIP::127.40.3.13::INSTR", VI_NULL, 0, &vi), ViStatus(VI_ERROR_RSRC_NFOUND));
    qInfo("unanswered connection attempt failed after %lld ms", timer.elapsed());
    QCOMPARE(vi, ViSession(VI_NULL));
}

void SessionTest::openFailures_data()
{
    QTest::addColumn<QString>("descriptor");
    QTest::addColumn<uint>("mode");
    QTest::addColumn<ViStatus>("expected");
    QTest::newRow("VXI") << "VXI0::1::INSTR" << 0u << ViStatus(VI_ERROR_INTF_NUM_NCONFIG);
    QTest::newRow("GPIB") << "GPIB0::5::INSTR" << 0u << ViStatus(VI_ERROR_INTF_NUM_NCONFIG);
    QTest::newRow("ASRL") << "ASRL1::INSTR" << 0u << ViStatus(VI_ERROR_INTF_NUM_NCONFIG);
    QTest::newRow("USB") << "USB0::1::2::3::INSTR" << 0u << ViStatus(VI_ERROR_INTF_NUM_NCONFIG);
    QTest::newRow("invalid") << "TCPIP::127.40.3.9" << 0u << ViStatus(VI_ERROR_INV_RSRC_NAME);
    QTest::newRow("refused INSTR") << "TCPIP::127.40.3.9::INSTR" << 0u << ViStatus(VI_ERROR_RSRC_NFOUND);
    QTest::newRow("refused SOCKET") << "TCPIP::127.40.3.9::5099::SOCKET" << 0u
                                    << ViStatus(VI_ERROR_RSRC_NFOUND);
    QTest::newRow("lock") << "TCPIP::127.40.3.9::INSTR" << uint(VI_EXCLUSIVE_LOCK)
                          << ViStatus(VI_ERROR_INV_ACC_MODE);
}

void SessionTest::openFailures()
{
    QFETCH(QString, descriptor);
    QFETCH(uint, mode);
    QFETCH(ViStatus, expected);
    Manager m;
    ViSession vi = 99;
    QElapsedTimer timer;
    timer.start();
    QCOMPARE(viOpen(m.rm, descriptor.toLatin1().constData(), mode, 0, &vi), expected);
    qInfo("%s failed after %lld ms", qPrintable(descriptor), timer.elapsed());
    QCOMPARE(vi, ViSession(VI_NULL));
}

void SessionTest::attributes_data()
{
    QTest::addColumn<QString>("descriptor");
    QTest::addColumn<uint>("attribute");
    QTest::addColumn<int>("width");
    QTest::addColumn<qulonglong>("expected");
    const QString full = "TCPIP3::127.40.3.7::inst1::INSTR";
    const QString socket = "TCPIP::127.40.3.7::5032::SOCKET";
    QTest::newRow("interface type") << full << uint(VI_ATTR_INTF_TYPE) << 2 << 6ull;
    QTest::newRow("board") << full << uint(VI_ATTR_INTF_NUM) << 2 << 3ull;
    QTest::newRow("port INSTR") << full << uint(VI_ATTR_TCPIP_PORT) << 2 << 5025ull;
    QTest::newRow("port SOCKET") << socket << uint(VI_ATTR_TCPIP_PORT) << 2 << 5032ull;
    QTest::newRow("timeout") << full << uint(VI_ATTR_TMO_VALUE) << 4 << 2000ull;
    QTest::newRow("termchar") << full << uint(VI_ATTR_TERMCHAR) << 1 << 10ull;
    QTest::newRow("termchar on") << full << uint(VI_ATTR_TERMCHAR_EN) << 2 << 1ull;
    QTest::newRow("send end INSTR") << full << uint(VI_ATTR_SEND_END_EN) << 2 << 1ull;
    QTest::newRow("send end SOCKET") << socket << uint(VI_ATTR_SEND_END_EN) << 2 << 0ull;
    QTest::newRow("no delay") << full << uint(VI_ATTR_TCPIP_NODELAY) << 2 << 1ull;
}

// Each attribute has its value and its width: nothing is written behind it.
void SessionTest::attributes()
{
    QFETCH(QString, descriptor);
    QFETCH(uint, attribute);
    QFETCH(int, width);
    QFETCH(qulonglong, expected);
    ScpiTestServer instr("127.40.3.7", 5025);
    ScpiTestServer socket("127.40.3.7", 5032);
    QVERIFY(instr.start() && socket.start());
    Manager m;
    ViSession vi = VI_NULL;
    QCOMPARE(viOpen(m.rm, descriptor.toLatin1().constData(), VI_NULL, 0, &vi), ViStatus(VI_SUCCESS));
    unsigned char value[8];
    memset(value, 0xAA, sizeof value);
    QCOMPARE(viGetAttribute(vi, attribute, value), ViStatus(VI_SUCCESS));
    qulonglong got = 0;
    memcpy(&got, value, size_t(width)); // little-endian host
    QCOMPARE(got, expected);
    for (int i = width; i < 8; ++i)
        QCOMPARE(int(value[i]), 0xAA);
}

void SessionTest::settingAttributes()
{
    ScpiTestServer server("127.40.3.8", 5025);
    QVERIFY(server.start());
    Manager m;
    ViSession vi = VI_NULL;
    QCOMPARE(viOpen(m.rm, "tcpip::127.40.3.8::INSTR", VI_NULL, 0, &vi), ViStatus(VI_SUCCESS));
    ViChar text[VI_FIND_BUFLEN];
    QCOMPARE(viGetAttribute(vi, VI_ATTR_TCPIP_HOSTNAME, text), ViStatus(VI_SUCCESS));
    QCOMPARE(QByteArray(text), QByteArray("127.40.3.8"));
    QCOMPARE(viGetAttribute(vi, VI_ATTR_TCPIP_DEVICE_NAME, text), ViStatus(VI_SUCCESS));
    QCOMPARE(QByteArray(text), QByteArray("inst0"));
    QCOMPARE(viGetAttribute(vi, VI_ATTR_RSRC_NAME, text), ViStatus(VI_SUCCESS));
    QCOMPARE(QByteArray(text), QByteArray("TCPIP0::127.40.3.8::inst0::INSTR"));
    QCOMPARE(viGetAttribute(vi, VI_ATTR_TCPIP_ADDR, text), ViStatus(VI_SUCCESS));
    QCOMPARE(QByteArray(text), QByteArray("127.40.3.8"));
    ViUInt16 slot = 7;
    QCOMPARE(viGetAttribute(vi, VI_ATTR_SLOT, &slot), ViStatus(VI_ERROR_NSUP_ATTR));
    QCOMPARE(slot, ViUInt16(7));

    QCOMPARE(viSetAttribute(vi, VI_ATTR_TMO_VALUE, 500), ViStatus(VI_SUCCESS));
    ViUInt32 timeout = 0;
    QCOMPARE(viGetAttribute(vi, VI_ATTR_TMO_VALUE, &timeout), ViStatus(VI_SUCCESS));
    QCOMPARE(timeout, ViUInt32(500));
    QCOMPARE(viSetAttribute(vi, VI_ATTR_INTF_TYPE, 2), ViStatus(VI_ERROR_ATTR_READONLY));
    QCOMPARE(viSetAttribute(vi, VI_ATTR_TERMCHAR_EN, 7), ViStatus(VI_ERROR_NSUP_ATTR_STATE));
    QCOMPARE(viSetAttribute(vi, VI_ATTR_SLOT, 1), ViStatus(VI_ERROR_NSUP_ATTR));
    ViUInt16 type = 0;
    QCOMPARE(viGetAttribute(m.rm, VI_ATTR_INTF_TYPE, &type), ViStatus(VI_ERROR_NSUP_ATTR));
}

// Closed and unknown sessions are refused everywhere; closing a manager closes its sessions.
void SessionTest::closedSessions()
{
    ScpiTestServer server("127.40.3.10", 5025);
    QVERIFY(server.start());
    ViSession rm = VI_NULL;
    QCOMPARE(viOpenDefaultRM(&rm), ViStatus(VI_SUCCESS));
    ViSession vi = VI_NULL;
    ViSession other = VI_NULL;
    QCOMPARE(viOpen(rm, "TCPIP::127.40.3.10::INSTR", VI_NULL, 0, &vi), ViStatus(VI_SUCCESS));
    QCOMPARE(viOpen(vi, "TCPIP::127.40.3.10::INSTR", VI_NULL, 0, &other), ViStatus(VI_ERROR_NSUP_OPER));
    QCOMPARE(viClose(rm), ViStatus(VI_SUCCESS));
    const ViSession unknown = 0x7654321;
    for (ViSession s : {vi, rm, unknown}) {
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
    ScpiTestServer silent("127.40.3.11", 5025, ScpiTestServer::Mode::Silent);
    QVERIFY(silent.start());
    Manager m;
    ViSession vi = VI_NULL;
    QCOMPARE(viOpen(m.rm, "TCPIP::127.40.3.11::INSTR", VI_NULL, 0, &vi), ViStatus(VI_SUCCESS));
    QCOMPARE(viSetAttribute(vi, VI_ATTR_TMO_VALUE, VI_TMO_INFINITE), ViStatus(VI_SUCCESS));
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
    ScpiTestServer server("127.40.3.12", 5025);
    QVERIFY(server.start());
    Manager m;
    std::promise<void> go;
    std::shared_future<void> started = go.get_future().share();
    std::atomic<int> identified{0};
    std::vector<std::thread> threads;
    for (int i = 0; i < 128; ++i) {
        threads.emplace_back([&, started] {
            started.wait();
            ViSession vi = VI_NULL;
            if (viOpen(m.rm, "TCPIP::127.40.3.12::INSTR", VI_NULL, 0, &vi) != VI_SUCCESS)
                return;
            ViStatus status;
            const QByteArray reply = query(vi, "*IDN?", &status);
            if (status == VI_SUCCESS && reply.toStdString() == ScpiTestServer::idn() &&
                viClose(vi) == VI_SUCCESS)
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
