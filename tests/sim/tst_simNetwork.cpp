// The instrument over TCP: garbage input, several connections at once, the connection
// hooks (drop, silence; the driver's tests delay replies), the web page, stopping, and
// greedy clients (many connections, replies never read, no descriptor left, a slow request).
#include "scpiServer.h"
#include "simInstrument.h"
#include "simTestClient.h"

#include <QtTest>

#include <arpa/inet.h>
#include <fcntl.h>
#include <poll.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <memory>
#include <thread>

namespace {

std::unique_ptr<tssim::Instrument> startInstrument(const std::string &address, int webPort = -1)
{
    tssim::Options o;
    o.address = address;
    o.webPort = webPort;
    std::unique_ptr<tssim::Instrument> instrument(new tssim::Instrument(o));
    std::string error;
    if (!instrument->start(&error))
        qWarning("cannot start on %s: %s", address.c_str(), error.c_str());
    return instrument;
}

const std::string idn = "Tarsel Ltd.,Korvan 4720,47209481,3.2.0";

} // namespace

class tst_simNetwork : public QObject {
    Q_OBJECT

private slots:
    void garbageLeavesTheConnectionWorking_data();
    void garbageLeavesTheConnectionWorking();
    void severalConnectionsAtOnce();
    void errorQueuesArePerConnection();
    void dropOrStopClosesEveryConnection_data();
    void dropOrStopClosesEveryConnection();
    void silence();
    void webStatusPage();
    void clientThatNeverReadsIsDropped();
    void connectionsAreCapped();
    void refusedWhenNoDescriptorIsLeft();
    void slowWebRequestBlocksNobody();
};

void tst_simNetwork::garbageLeavesTheConnectionWorking_data()
{
    QTest::addColumn<QByteArray>("garbage");
    QTest::addColumn<int>("code");
    QTest::newRow("unknown header") << QByteArray("FOO:BAR 1\n") << -113;
    QTest::newRow("unknown query") << QByteArray("CHAN:STATE:FOO?\n") << -113;
    QTest::newRow("binary bytes") << QByteArray("\x01\xff\x00\x7f\x80zz\r\n", 9) << -101;
    QTest::newRow("overlong line") << (QByteArray(100000, 'A') + "\n") << -223;
    QTest::newRow("unterminated string") << QByteArray("CHAN:CONF 1,\"K,1\n") << -151;
    QTest::newRow("lone question mark") << QByteArray("?\n") << -102;
    QTest::newRow("empty parameter") << QByteArray("CHAN:STAT 1,,1\n") << -102;
}

void tst_simNetwork::garbageLeavesTheConnectionWorking()
{
    QFETCH(QByteArray, garbage);
    QFETCH(int, code);
    auto instrument = startInstrument("127.41.3.1");
    SimTestClient client;
    QVERIFY(client.connectTo("127.41.3.1"));
    QVERIFY(client.send(garbage.toStdString()));
    std::string reply;
    QVERIFY(client.query("*IDN?", &reply));
    QCOMPARE(reply, idn);
    QVERIFY(client.query("SYST:ERR?", &reply));
    QCOMPARE(QString::fromStdString(reply).section(',', 0, 0).toInt(), code);
    QVERIFY(client.query("SYST:ERR?", &reply));
    QCOMPARE(reply, std::string("0,\"No error\""));
}

void tst_simNetwork::severalConnectionsAtOnce()
{
    auto instrument = startInstrument("127.41.3.2");
    const int clients = 8;
    std::atomic<int> good{0};
    std::vector<std::thread> threads;
    for (int c = 0; c < clients; ++c) {
        threads.emplace_back([c, &good] {
            SimTestClient client;
            if (!client.connectTo("127.41.3.2"))
                return;
            const std::string ch = std::to_string(c + 1);
            for (int i = 0; i < 50; ++i) {
                std::string reply;
                const std::string state = std::to_string(i % 2);
                if (!client.query("CHAN:STAT " + ch + "," + state + ";:CHAN:STAT? " + ch + ";:SYST:ERR?", &reply) ||
                    reply != state + ";0,\"No error\"")
                    return;
            }
            std::string block;
            if (client.queryBlock("MEAS:SCAN?", &block) && block.size() == 48 * 8)
                ++good;
        });
    }
    for (std::thread &t : threads)
        t.join();
    QCOMPARE(good.load(), clients);
}

void tst_simNetwork::errorQueuesArePerConnection()
{
    auto instrument = startInstrument("127.41.3.3");
    SimTestClient gui, poller;
    QVERIFY(gui.connectTo("127.41.3.3"));
    QVERIFY(poller.connectTo("127.41.3.3"));
    std::string reply;
    QVERIFY(gui.send("CHAN:STAT 99,1\n"));
    QVERIFY(poller.query("SYST:ERR?", &reply));
    QCOMPARE(reply, std::string("0,\"No error\""));
    QVERIFY(gui.query("SYST:ERR?", &reply));
    QCOMPARE(reply.substr(0, 5), std::string("-222,"));
}

void tst_simNetwork::dropOrStopClosesEveryConnection_data()
{
    QTest::addColumn<bool>("stop");
    QTest::addColumn<QString>("hook");
    QTest::addColumn<QString>("address");
    QTest::newRow("SIM:DROP") << false << ";:SIM:DROP" << "127.41.3.4";
    QTest::newRow("network down for 1 s") << false << ";:SIM:NET:DOWN 1" << "127.41.3.12";
    QTest::newRow("stopped, then started again") << true << "" << "127.41.3.7";
}

void tst_simNetwork::dropOrStopClosesEveryConnection()
{
    QFETCH(bool, stop);
    QFETCH(QString, hook);
    QFETCH(QString, address);
    const std::string at = address.toStdString();
    auto instrument = startInstrument(at);
    SimTestClient a, b;
    QVERIFY(a.connectTo(at));
    QVERIFY(b.connectTo(at));
    std::string reply;
    QVERIFY(a.query("*IDN?" + hook.toStdString(), &reply)); // the reply comes before the drop
    QCOMPARE(reply, idn);
    if (stop)
        instrument->stop();
    QVERIFY(a.closedByPeer());
    QVERIFY(b.closedByPeer());
    if (hook.contains("NET")) { // while the network is down nobody gets in
        SimTestClient refused;
        QVERIFY(!refused.connectTo(at) || refused.closedByPeer());
    }
    QVERIFY(!stop || instrument->start()); // and it can serve again
    auto answers = [&at] {
        SimTestClient c;
        std::string idnReply;
        return c.connectTo(at) && c.query("*IDN?", &idnReply) && idnReply == idn;
    };
    QTRY_VERIFY_WITH_TIMEOUT(answers(), 10000);
}

void tst_simNetwork::silence()
{
    auto instrument = startInstrument("127.41.3.5");
    SimTestClient client;
    QVERIFY(client.connectTo("127.41.3.5"));
    std::string reply;
    QVERIFY(client.send("SIM:SIL 1\n"));
    QVERIFY(client.send("CHAN:STAT 1,0\n"));       // ignored, not executed
    QVERIFY(!client.query("*IDN?", &reply, 300)); // no reply ever comes for it
    QVERIFY(client.send("SIM:SIL 0\n"));
    QVERIFY(client.query("CHAN:STAT? 1;:SYST:ERR?", &reply));
    QCOMPARE(reply, std::string("1;0,\"No error\""));
}

void tst_simNetwork::webStatusPage()
{
    auto instrument = startInstrument("127.41.3.6", 18080);
    SimTestClient browser;
    QVERIFY(browser.connectTo("127.41.3.6", 18080));
    QVERIFY(browser.send("GET / HTTP/1.0\r\n\r\n"));
    std::string page, line;
    while (browser.readLine(&line))
        page += line + "\n";
    QVERIFY(page.compare(0, 15, "HTTP/1.0 200 OK") == 0);
    QVERIFY(page.find("47209481") != std::string::npos);
    QVERIFY(page.find("127.41.3.6") != std::string::npos);

    // A second instrument cannot have the same web port: it still serves SCPI.
    tssim::Options o;
    o.address = "127.41.3.6";
    o.port = 5026;
    o.webPort = 18080;
    tssim::Instrument second(o);
    QVERIFY(second.start());
    SimTestClient client;
    QVERIFY(client.connectTo("127.41.3.6", 5026));
    QVERIFY(client.query("*IDN?", &line));
    QCOMPARE(line, idn);
    QCOMPARE(second.descriptor(), std::string("TCPIP::127.41.3.6::5026::SOCKET"));
    QCOMPARE(second.webAddress(), std::string());
    QCOMPARE(instrument->webAddress(), std::string("http://127.41.3.6:18080/"));
    QCOMPARE(instrument->descriptor(), std::string("TCPIP::127.41.3.6::INSTR"));
}

// Asking on and on without reading: the instrument drops the connection rather than keep
// the replies, and goes on serving others.
void tst_simNetwork::clientThatNeverReadsIsDropped()
{
    auto instrument = startInstrument("127.41.3.8");
    SimTestClient greedy, polite;
    QVERIFY(greedy.connectTo("127.41.3.8"));
    QVERIFY(polite.connectTo("127.41.3.8"));
    std::string line;
    for (int i = 0; i < 2000; ++i)
        line += "MEAS:SCAN?;";
    line += "*IDN?\n"; // about 780 kB of replies
    for (int i = 0; i < 200 && greedy.send(line, 2000); ++i) {
    }
    QVERIFY(greedy.closedByPeer(2000));
    std::string reply;
    QVERIFY(polite.query("*IDN?", &reply));
    QCOMPARE(reply, idn);
}

// One connection more than the instrument takes is closed at once; a place that frees up
// serves a new client.
void tst_simNetwork::connectionsAreCapped()
{
    auto instrument = startInstrument("127.41.3.9");
    std::vector<std::unique_ptr<SimTestClient>> clients;
    std::string reply;
    for (int i = 0; i < tssim::ScpiServer::MaxConnections; ++i) {
        clients.emplace_back(new SimTestClient);
        QVERIFY(clients.back()->connectTo("127.41.3.9") && clients.back()->query("*IDN?", &reply));
    }
    SimTestClient extra;
    QVERIFY(extra.connectTo("127.41.3.9"));
    QVERIFY(extra.closedByPeer());
    clients.pop_back();
    bool served = false;
    for (int attempt = 0; attempt < 50 && !served; ++attempt) {
        SimTestClient next;
        served = next.connectTo("127.41.3.9") && next.query("*IDN?", &reply, 1000);
        if (!served)
            QTest::qWait(100);
    }
    QVERIFY(served);
}

// At the descriptor limit the waiting client is refused, not left hanging, and the
// instrument serves again once descriptors are free.
void tst_simNetwork::refusedWhenNoDescriptorIsLeft()
{
    auto instrument = startInstrument("127.41.3.10");
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(5025);
    inet_pton(AF_INET, "127.41.3.10", &address.sin_addr);
    const int client = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    const int lowestFree = ::open("/dev/null", O_RDONLY | O_CLOEXEC);
    ::close(lowestFree);
    rlimit limit{};
    QCOMPARE(getrlimit(RLIMIT_NOFILE, &limit), 0);
    const rlimit before = limit;
    limit.rlim_cur = rlim_t(lowestFree); // no new descriptor from now on
    QCOMPARE(setrlimit(RLIMIT_NOFILE, &limit), 0);
    const bool connected = ::connect(client, reinterpret_cast<sockaddr *>(&address), sizeof address) == 0;
    pollfd p = {client, POLLIN, 0};
    const bool answered = ::poll(&p, 1, 5000) == 1;
    char byte = 0;
    const bool refused = answered && ::recv(client, &byte, 1, 0) <= 0;
    setrlimit(RLIMIT_NOFILE, &before);
    ::close(client);
    QVERIFY(connected);
    QVERIFY(refused);
    SimTestClient next;
    std::string reply;
    QVERIFY(next.connectTo("127.41.3.10") && next.query("*IDN?", &reply));
}

// A request head sent a byte at a time keeps the status page from nobody else.
void tst_simNetwork::slowWebRequestBlocksNobody()
{
    auto instrument = startInstrument("127.41.3.11", 18081);
    SimTestClient slow;
    QVERIFY(slow.connectTo("127.41.3.11", 18081));
    std::atomic<bool> done{false};
    std::thread trickle([&] {
        for (int i = 0; !done && i < 600 && slow.send("x", 1000); ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
    });
    struct Join {
        std::atomic<bool> &done;
        std::thread &thread;
        ~Join() { done = true; thread.join(); }
    } join{done, trickle};
    QTest::qWait(100); // the slow client is the one being served
    SimTestClient browser;
    QVERIFY(browser.connectTo("127.41.3.11", 18081));
    QVERIFY(browser.send("GET / HTTP/1.0\r\n\r\n"));
    std::string line;
    QVERIFY(browser.readLine(&line, 10000));
    QCOMPARE(line.substr(0, 15), std::string("HTTP/1.0 200 OK"));
}

QTEST_GUILESS_MAIN(tst_simNetwork)
#include "tst_simNetwork.moc"
