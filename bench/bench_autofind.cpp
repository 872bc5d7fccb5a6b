// Times Auto Find (findModules) over 200 configured resources, 4 of them simulated
// instruments, in two cases: the other 196 addresses refuse the connection, or they accept
// it and never answer (each probe then waits out VISA's 2 s timeout; at most 128 probes run
// at once, so that takes two waves). Prints both against the goal held to, and fails when a
// case misses it or an instrument is not found. Run by hand:
//   QT_QPA_PLATFORM=offscreen build/bin/bench_autofind [rounds]
#include "simInstrument.h"
#include "ts2900fp_genSPC.h"
#include "ts2900fp_spcSelect.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <vector>

namespace {

// Discovery needs only the model number of the personality.
class benchPersonality : public ts2900fp_genSPC {
public:
    benchPersonality() : ts2900fp_genSPC(4720) {}
    ViStatus init(ViConstRsrc, ViBoolean, ViBoolean, ViSession *) override { return -1; }
    ViStatus close(ViSession) override { return 0; }
    QString version() override { return QString(); }
    QString description() override { return QString(); }
    QString driverRevision() override { return QString(); }
    QString notice() override { return QString(); }
};

// A listener that is never accepted from: the system completes each handshake on its own,
// so a client connects and its question goes unanswered.
int silentListener(const QString &address)
{
    const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    const int on = 1;
    ::setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_port = htons(5025);
    ::inet_pton(AF_INET, qPrintable(address), &a.sin_addr);
    if (::bind(fd, reinterpret_cast<sockaddr *>(&a), sizeof a) != 0 || ::listen(fd, 64) != 0) {
        ::close(fd);
        return -1;
    }
    return fd;
}

// The 4 instruments' descriptors spread among 196 others on 127.43.<net>.10 ..
QStringList resourceList(const QStringList &instruments, int net)
{
    QStringList resources = instruments;
    for (int i = 10; i < 206; ++i)
        resources.insert((i * 7) % (resources.size() + 1), QStringLiteral("TCPIP::127.43.%1.%2::INSTR").arg(net).arg(i));
    return resources;
}

// The median of the rounds in ms; false when a round did not find the 4 instruments.
bool timeRounds(const char *label, const QStringList &resources, int rounds, double *median)
{
    qputenv("TSVISA_RESOURCES", resources.join(';').toLatin1());
    benchPersonality spc;
    std::vector<double> times;
    bool allFound = true;
    for (int round = 0; round < rounds; ++round) {
        ts2900fp_spcSelect select(&spc);
        QElapsedTimer timer;
        timer.start();
        const int found = select.findModules();
        times.push_back(timer.nsecsElapsed() / 1e6);
        allFound = allFound && found == 4;
        std::printf("%s, round %d: %d resources, %d available, %.1f ms\n", label, round + 1,
                    int(resources.size()), found, times.back());
    }
    std::sort(times.begin(), times.end());
    *median = times[times.size() / 2];
    return allFound;
}

} // namespace

int main(int argc, char *argv[])
{
    // A private configuration folder: no resource file of the user's joins the list.
    QTemporaryDir config;
    qputenv("XDG_CONFIG_HOME", config.path().toLocal8Bit());
    QApplication app(argc, argv);
    const int rounds = argc > 1 ? std::max(1, atoi(argv[1])) : 5;

    std::vector<std::unique_ptr<tssim::Instrument>> sims;
    QStringList instruments;
    for (int i = 1; i <= 4; ++i) {
        tssim::Options options;
        options.address = QStringLiteral("127.43.8.%1").arg(i).toStdString();
        options.webPort = -1;
        sims.push_back(std::make_unique<tssim::Instrument>(options));
        std::string error;
        if (!sims.back()->start(&error)) {
            std::fprintf(stderr, "cannot start a simulated instrument: %s\n", error.c_str());
            return 1;
        }
        instruments.append(QString::fromStdString(sims.back()->descriptor()));
    }
    double refusing = 0, silent = 0;
    bool found = timeRounds("196 refusing", resourceList(instruments, 8), rounds, &refusing);
    std::vector<int> listeners;
    for (int i = 10; i < 206; ++i)
        listeners.push_back(silentListener(QStringLiteral("127.43.9.%1").arg(i)));
    if (std::count(listeners.begin(), listeners.end(), -1) > 0) {
        std::fprintf(stderr, "cannot listen on 127.43.9.10 .. 205\n");
        return 1;
    }
    found = timeRounds("196 silent", resourceList(instruments, 9), rounds, &silent) && found;
    for (int fd : listeners)
        ::close(fd);

    // Goals: refusing addresses cost next to nothing; silent ones cost two waves of the 2 s
    // probe timeout (196 probes, at most 128 at once), and nothing more.
    const double refusingGoal = 1000.0, silentGoal = 2 * 2000.0 + 500.0;
    std::printf("findModules over 200 resources, median of %d rounds:\n", rounds);
    std::printf("  196 refusing: %8.1f ms   goal <= %.0f ms\n", refusing, refusingGoal);
    std::printf("  196 silent:   %8.1f ms   goal <= %.0f ms (two waves of the 2 s timeout)\n", silent, silentGoal);
    if (!found) {
        std::fprintf(stderr, "a round did not find the 4 simulated instruments\n");
        return 1;
    }
    if (refusing > refusingGoal || silent > silentGoal) {
        std::fprintf(stderr, "a case missed its goal\n");
        return 1;
    }
    return 0;
}
