// The real main panel, offscreen, recording from a simulated instrument in a process of its
// own: 48 channels at 1000 Hz with timestamps, voltage and cold junction, a local CSV file
// and the instrument's RAM-disk copy, plot length 100,000, all three panes showing every
// channel. Prints each figure beside its goal and fails when one misses it.
//
//   bench_panel_acquisition [seconds]     (default 60)
#include "acqConfig.h"
#include "acquisitionRun.h"
#include "measurement.h"
#include "measurement_acquisition.h"
#include "measurement_waveforms.h"
#include "messageBoxes.h"
#include "ts4720.h"
#include "ts4720_ext.h"
#include "ts4720_spc.h"
#include "ts4720fp_App.h"
#include "waveform.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDeadlineTimer>
#include <QDoubleSpinBox>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QLineEdit>
#include <QProcess>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QThread>
#include <QTimer>

#include <sys/resource.h>

#include <algorithm>
#include <ctime>
#include <cstdio>
#include <vector>

namespace {
const char *kAddress = "127.43.250.1";

double processCpuSeconds()
{
    rusage use{};
    getrusage(RUSAGE_SELF, &use);
    return use.ru_utime.tv_sec + use.ru_stime.tv_sec + (use.ru_utime.tv_usec + use.ru_stime.tv_usec) / 1e6;
}

// Timestamps (ns) of the data rows of a file.
std::vector<long long> rowStamps(const QString &path)
{
    std::vector<long long> stamps;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return stamps;
    bool data = false;
    while (!file.atEnd()) {
        const QByteArray line = file.readLine();
        if (!data) {
            data = line.startsWith("Timestamp,");
            continue;
        }
        const QByteArray stamp = line.left(line.indexOf(','));
        const int dot = stamp.indexOf('.');
        stamps.push_back(stamp.left(dot).toLongLong() * 1000000000LL + stamp.mid(dot + 1).toLongLong());
    }
    return stamps;
}

struct completeness {
    long long duplicates = 0, gaps = 0;
};

completeness check(const std::vector<long long> &stamps)
{
    completeness c;
    for (size_t i = 1; i < stamps.size(); ++i) {
        const long long step = stamps[i] - stamps[i - 1];
        if (step <= 0)
            ++c.duplicates;
        else if (step > 1500000) // more than 1.5 periods at 1000 Hz
            c.gaps += (step + 500000) / 1000000 - 1;
    }
    return c;
}

double percentile(std::vector<double> v, double p)
{
    if (v.empty())
        return 0;
    std::sort(v.begin(), v.end());
    return v[std::min(v.size() - 1, size_t(p * (v.size() - 1) + 0.5))];
}

bool row(const char *figure, const QString &measured, const char *goal, bool ok)
{
    std::printf("| %-58s | %-28s | %-14s | %s |\n", figure, qPrintable(measured), goal, ok ? "ok" : "MISSED");
    return ok;
}

QString newestRamFile(ViSession vi)
{
    ViInt32 length = 0;
    ts4720_getStorageFileList(vi, VI_NULL, &length);
    QByteArray list(length + 1, '\0');
    ViInt32 size = length + 1;
    ts4720_getStorageFileList(vi, list.data(), &size);
    QString newest;
    for (const QByteArray &line : list.left(length).split('\n'))
        if (line.split(',').value(1) == "RAM" && QString::fromLatin1(line.split(',').value(0)) > newest)
            newest = QString::fromLatin1(line.split(',').value(0));
    return newest;
}
double threadCpuMs()
{
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

// Names every event whose delivery holds the event loop for more than 100 ms.
class timedApplication : public QApplication {
public:
    using QApplication::QApplication;
    bool notify(QObject *receiver, QEvent *event) override
    {
        QElapsedTimer clock;
        clock.start();
        const double cpu = threadCpuMs();
        const int type = event->type();
        const bool result = QApplication::notify(receiver, event);
        if (clock.elapsed() > 100)
            std::fprintf(stderr, "slow event %d to %s took %lld ms (GUI thread CPU %.0f ms)\n", type,
                         receiver->metaObject()->className(), (long long)clock.elapsed(), threadCpuMs() - cpu);
        return result;
    }
};
} // namespace

int main(int argc, char **argv)
{
    QTemporaryDir home;
    qputenv("HOME", home.path().toUtf8());
    qputenv("XDG_CONFIG_HOME", (home.path() + "/.config").toUtf8());
    qputenv("QT_QPA_PLATFORM", "offscreen");
    timedApplication app(argc, argv);
    const int seconds = argc > 1 ? QByteArray(argv[1]).toInt() : 60;
    QProcess sim;
    sim.start(QCoreApplication::applicationDirPath() + "/ts4720-sim",
              {"--address", kAddress, "--model", "AC", "--web-port", "-1", "--quiet"});
    if (!sim.waitForStarted()) {
        std::fprintf(stderr, "cannot start ts4720-sim\n");
        return 1;
    }
    QThread::msleep(500);
    qputenv("TSVISA_RESOURCES", QByteArray("TCPIP::") + kAddress + "::INSTR");
    messageBoxes::ScopedHandler boxes([](const messageBoxes::Request &r) {
        if (!r.customButtons.isEmpty())
            return int(r.customButtons.indexOf("Auto Find"));
        std::fprintf(stderr, "box: %s\n", qPrintable(r.text));
        return int(r.standardButtons & QMessageBox::Yes ? QMessageBox::Yes : QMessageBox::Ok);
    });
    ts4720_spc spc;
    auto *panel = new ts4720fp_App(&spc, false);
    panel->resize(1200, 950);
    panel->show();
    auto *tabs = panel->findChild<measurement *>();
    measurement_acquisition *page = tabs->acquisition;
    page->scanRate->setValue(1000);
    page->stopMode->setCurrentIndex(page->stopMode->findData(2));
    page->storage->setCurrentIndex(page->storage->findText("RAM Disk on Korvan 4720 + Local Hard Drive"));
    for (QCheckBox *box : {page->storeTimestamps, page->storeVoltage, page->storeColdJunction})
        box->setChecked(true);
    page->plotLength->setValue(100000);
    const QString path = home.filePath("bench.csv");
    page->askOutputFile = [path](acqConfig *dialog) {
        dialog->path->setText(path);
        return dialog->checkPath(true);
    };
    for (waveform *plot : tabs->waveforms->plots)
        plot->selectAll();
    tabs->setCurrentWidget(tabs->waveforms);
    {
        // The user sees the panel before pressing Start: its first painting is not measured.
        QEventLoop settle;
        QTimer::singleShot(2000, &settle, &QEventLoop::quit);
        settle.exec();
    }

    std::vector<double> delays;
    QElapsedTimer wall;
    QElapsedTimer probeClock;
    QTimer probe;
    probe.setTimerType(Qt::PreciseTimer);
    QObject::connect(&probe, &QTimer::timeout, [&] {
        delays.push_back(std::max(0.0, probeClock.nsecsElapsed() / 1e6 - 10.0));
        if (delays.back() > 100)
            std::fprintf(stderr, "event loop held %.0f ms at %.1f s\n", delays.back(), wall.elapsed() / 1000.0);
        probeClock.restart();
    });
    page->startAcquisition();
    const double cpu0 = processCpuSeconds();
    wall.start();
    probeClock.start();
    probe.start(10);
    QEventLoop loop; // sleeps between events, as the program's own loop does
    QTimer::singleShot(seconds * 1000, &loop, &QEventLoop::quit);
    loop.exec();
    probe.stop();
    const double cpu = (processCpuSeconds() - cpu0) / (wall.elapsed() / 1000.0) * 100.0;
    page->stopAcquisition();
    const double lockWait = page->run->worstLockWaitMs();

    ViSession vi = 0;
    ts4720_init((QByteArray("TCPIP::") + kAddress + "::INSTR").constData(), VI_FALSE, VI_FALSE, &vi);
    const QString copy = home.filePath("instrument.csv");
    ts4720_setTimeout(vi, 300000); // a large file from a busy machine
    const QString stored = newestRamFile(vi);
    const ViStatus downloaded = ts4720_downloadFile(vi, ts4720_STORAGE_RAM, qPrintable(stored), qPrintable(copy));
    if (downloaded != VI_SUCCESS) {
        ViChar text[TS4720_ERROR_MESSAGE_SIZE] = {};
        ts4720_error_message(vi, downloaded, text);
        std::fprintf(stderr, "download of '%s' failed: %s\n", qPrintable(stored), text);
    }
    ts4720_close(vi);
    const std::vector<long long> rows = rowStamps(path), produced = rowStamps(copy);
    const completeness c = check(rows);
    std::printf("panel acquisition: 48 channels x 3 values at 1000 Hz, plot length 100000, %d s\n\n", seconds);
    std::printf("| %-58s | %-28s | %-14s | %s |\n", "figure", "measured", "goal", "");
    bool ok = row("rows in the file / scans the instrument produced",
                  QString("%1 / %2").arg(rows.size()).arg(produced.size()), "equal",
                  !rows.empty() && rows == produced);
    ok &= row("duplicates; gaps", QString("%1; %2").arg(c.duplicates).arg(c.gaps), "0; 0", c.duplicates == 0 && c.gaps == 0);
    ok &= row("CPU of the whole panel process (% of one core)", QString::number(cpu, 'f', 1), "< 25", cpu < 25);
    const double median = percentile(delays, 0.5), p99 = percentile(delays, 0.99), worst = percentile(delays, 1.0);
    ok &= row("event-loop delay, 10 ms probe: median / p99 / worst (ms)",
              QString("%1 / %2 / %3").arg(median, 0, 'f', 1).arg(p99, 0, 'f', 1).arg(worst, 0, 'f', 1),
              "<= 5 / 50 / 200", median <= 5 && p99 <= 50 && worst <= 200);
    ok &= row("callback wait for the acquisition data lock, worst (ms)", QString::number(lockWait, 'f', 3), "< 20",
              lockWait < 20);
    QFile loadavg("/proc/loadavg");
    if (loadavg.open(QIODevice::ReadOnly))
        std::printf("\nmachine load average (1, 5, 15 min) at the end: %s", loadavg.readLine().constData());
    std::printf("\n%s\n", ok ? "OK" : "FAILED");
    delete panel;
    sim.terminate();
    sim.waitForFinished();
    return ok ? 0 : 1;
}
