// The live view's load for a 48-channel instrument (a simulator in a process of its own,
// with its reply delay at 1 ms, a LAN, and 20 ms, a VPN into a lab):
// - GUI-thread time per refresh of the tiles after a poll with a repaint of the whole page
//   (median of 10 polls, and the slowest), beside the time the same refresh takes when it reads every
//   channel's state, type and alerts on the GUI thread (145 exchanges; median);
// - how long a change made elsewhere takes to show on its tile;
// - CPU of the panel process, live view shown, over --cpu-seconds (default 60).
// Fails when a figure misses its goal.
#include "channelItem.h"
#include "measurement_polling.h"
#include "messageBoxes.h"
#include "pollingThread.h"

#include "ts4720.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QProcess>
#include <QTcpSocket>
#include <QTimer>

#include <sys/resource.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <functional>
#include <vector>

namespace {
const char *const address = "127.45.53.1";

// One SCPI message over a connection of its own; waits for the reply to *OPC?.
bool send(const QByteArray &message)
{
    QTcpSocket socket;
    socket.connectToHost(address, 5025);
    if (!socket.waitForConnected(5000))
        return false;
    socket.write(message + ";*OPC?\n");
    while (!socket.canReadLine())
        if (!socket.waitForReadyRead(10000))
            return false;
    return true;
}

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

double timedMs(const std::function<void()> &action)
{
    QElapsedTimer timer;
    timer.start();
    action();
    return timer.nsecsElapsed() / 1e6;
}

// The refresh reading every setting on the GUI thread, one exchange per call.
void readEverySetting(ViSession vi)
{
    ViInt16 clock = 0;
    ViReal64 rate = 0;
    ts4720_getAcquisitionMode(vi, &clock, &rate, VI_NULL, VI_NULL, VI_NULL, VI_NULL);
    for (ViInt16 ch = 1; ch <= 48; ++ch) {
        ViBoolean on = VI_FALSE, minOn = VI_FALSE, maxOn = VI_FALSE;
        ViChar type[TS4720_TYPE_NAME_SIZE];
        ViReal64 min = 0, max = 0;
        ts4720_getChannelState(vi, ch, &on);
        ts4720_getChannelConfig(vi, ch, type, VI_NULL);
        ts4720_getAlertConfig(vi, ch, &minOn, &min, &maxOn, &max);
    }
}

bool waitFor(const std::function<bool()> &done, int ms)
{
    QDeadlineTimer deadline(ms);
    while (!done() && !deadline.hasExpired()) {
        // Sleeps in the event loop between events, as the panel does.
        QEventLoop slice;
        QTimer::singleShot(20, &slice, &QEventLoop::quit);
        slice.exec();
    }
    return done();
}

double cpuSeconds()
{
    rusage use{};
    getrusage(RUSAGE_SELF, &use);
    return use.ru_utime.tv_sec + use.ru_stime.tv_sec + (use.ru_utime.tv_usec + use.ru_stime.tv_usec) / 1e6;
}

bool allKnown(const pollingThread &poller)
{
    const pollingSnapshot s = poller.snapshot();
    return std::all_of(std::begin(s.settings.channels), std::end(s.settings.channels),
                       [](const liveChannelSettings &c) { return c.known; });
}

struct row {
    const char *figure;
    double ours;
    double reference;
    double goal;
    const char *unit;
};
} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    int cpuWindow = 60;
    for (int i = 1; i + 1 < argc; ++i)
        if (std::strcmp(argv[i], "--cpu-seconds") == 0)
            cpuWindow = std::max(1, std::atoi(argv[i + 1]));
    messageBoxes::ScopedHandler boxes([](const messageBoxes::Request &r) {
        std::fprintf(stderr, "box: %s\n", qPrintable(r.text));
        return int(QMessageBox::No);
    });

    QProcess sim;
    sim.start(QCoreApplication::applicationDirPath() + "/ts4720-sim",
              {"--address", address, "--model", "AC", "--web-port", "-1", "--quiet"});
    const QByteArray descriptor = QByteArray("TCPIP::") + address + "::INSTR";
    ViSession vi = 0;
    if (!sim.waitForStarted() || !waitFor([&] { return ts4720_init(descriptor, VI_FALSE, VI_FALSE, &vi) >= 0; }, 10000)) {
        std::fprintf(stderr, "the simulated instrument did not start\n");
        return 1;
    }
    pollingThread poller(descriptor, 48, false);
    panelContext context;
    context.vi = vi;
    context.channelCount = 48;
    context.poller = &poller;
    measurement_polling page(context, nullptr);
    page.resize(1150, 650);
    page.show();
    // Each refresh after a poll is timed with a repaint of the whole page, more than the
    // changed tiles the event loop would paint: an upper bound.
    std::vector<double> refreshes;
    QObject::connect(&poller, &pollingThread::dataReady, &page, [&] {
        refreshes.push_back(timedMs([&page] {
            page.doRefresh();
            page.repaint();
        }));
    }, Qt::QueuedConnection);
    poller.start();
    page.startPolling();
    if (!waitFor([&poller] { return allKnown(poller); }, 30000)) {
        std::fprintf(stderr, "the polling thread did not read every channel's settings\n");
        return 1;
    }

    std::vector<row> rows;
    bool failed = false;
    for (int delay : {1, 20}) {
        if (!send("SIM:DEL " + QByteArray::number(delay))) {
            std::fprintf(stderr, "the simulated instrument did not take the reply delay\n");
            return 1;
        }
        std::vector<double> reference;
        for (int i = 0; i < (delay == 1 ? 5 : 2); ++i)
            reference.push_back(timedMs([vi] { readEverySetting(vi); }));
        refreshes.clear();
        waitFor([&refreshes] { return refreshes.size() >= 10; }, 30000);
        rows.push_back({delay == 1 ? "GUI-thread ms per refresh, 1 ms reply delay"
                                   : "GUI-thread ms per refresh, 20 ms reply delay",
                        median(refreshes), median(reference), delay == 1 ? 20.0 : 50.0, "ms"});
        std::printf("refreshes after a poll at %d ms reply delay: median %.2f ms, slowest %.2f ms\n", delay,
                    median(refreshes), *std::max_element(refreshes.begin(), refreshes.end()));
        // A channel switched off elsewhere (here: the GUI's session, as another program).
        const ViInt16 channel = delay == 1 ? 48 : 47;
        QElapsedTimer seen;
        seen.start();
        ts4720_setChannelState(vi, channel, VI_FALSE);
        const bool shown = waitFor([&] { return std::strcmp(page.items[channel - 1]->state(), "disabled") == 0; }, 30000);
        rows.push_back({delay == 1 ? "s until a change elsewhere shows, 1 ms delay"
                                   : "s until a change elsewhere shows, 20 ms delay",
                        shown ? seen.elapsed() / 1000.0 : 999, 1.0, 8.0, "s"});
    }

    if (!send("SIM:DEL 1"))
        return 1;
    waitFor([] { return false; }, 3000);
    const double cpuStart = cpuSeconds();
    QElapsedTimer wall;
    wall.start();
    waitFor([] { return false; }, cpuWindow * 1000);
    const double cpuPercent = 100.0 * (cpuSeconds() - cpuStart) / (wall.elapsed() / 1000.0);
    rows.push_back({"CPU % of one core, idle panel, live view", cpuPercent, -1, 3.0, "%"});

    std::printf("%-48s %12s %14s %8s\n", "figure (48 channels, live view shown)", "this panel", "GUI-thread read", "goal");
    for (const row &r : rows) {
        const bool ok = r.ours <= r.goal;
        failed = failed || !ok;
        char reference[32] = "-";
        if (r.reference >= 0)
            std::snprintf(reference, sizeof reference, "%.1f", r.reference);
        std::printf("%-48s %12.2f %14s %7s%.0f %s\n", r.figure, r.ours, reference,
                    "<=", r.goal, ok ? "ok" : "MISSED");
    }
    std::printf("(CPU measured over %d s; the reference column reads every channel's settings on the GUI thread)\n",
                cpuWindow);
    poller.stop();
    ts4720_close(vi);
    sim.kill();
    sim.waitForFinished();
    return failed ? 1 : 0;
}
