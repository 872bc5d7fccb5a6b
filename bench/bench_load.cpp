// bench_load [DIR] (or --file PATH LABEL: one file, as the first form runs it): loading recorded files into the Waveforms view, against the bare reader.
// Two files written with the program's own writer into DIR (default /tmp; kept and reused):
// 200,000 scans of 48 channels with timestamps, voltage and cold junction (about 285 MB), and
// 1,000,000 scans of 16 channels, temperatures only. For each it prints, side by side:
//   - the bare reader: readDataFileRows of every row into arrays of its own;
//   - "OK" to the first drawn pane: the program's main panel in viewer mode, offscreen, the
//     Load Data File dialog's OK pressed, the whole load (windows reallocated, reading thread,
//     progress dialog) and the first pane painted, every scan on the plot;
//   - their ratio (goal <= 1.3);
//   - peak memory of the load above what the process held before it, against the value
//     arrays (windows) (goal <= 1.3), and the same up to the first drawn pane;
//   - the redraw of the first pane after its slider moves to the middle, plot length a tenth of
//     the file (goal <= 50 ms);
//   - how long Cancel takes to end the reading thread (goal <= 100 ms).
// Exits non-zero when a goal is missed.
#include "acquisitionWindows.h"
#include "benchView.h"
#include "dataFileLoad.h"
#include "dataFileReader.h"
#include "dataFileWriter.h"
#include "loadFileThread.h"
#include "loadedFile.h"
#include "messageBoxes.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QThread>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <ctime>
#include <cstring>
#include <random>
#include <string>
#include <vector>

namespace {

double ms(const QElapsedTimer &t) { return double(t.nsecsElapsed()) / 1e6; }

// CPU time of the whole process in ms: on a busy machine it says what wall time cannot.
double cpuMs()
{
    timespec t;
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return double(t.tv_sec) * 1e3 + double(t.tv_nsec) / 1e6;
}

// Resident and peak resident memory of this process in MB, from the kernel's status file.
double statusMb(const char *key)
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (QByteArray line = status.readLine(); !line.isEmpty(); line = status.readLine())
        if (line.startsWith(key))
            return line.mid(int(std::strlen(key))).trimmed().split(' ').first().toDouble() / 1024.0;
    return 0;
}

// Starts a new peak: the kernel resets the peak resident size to the current one.
void resetPeak()
{
    QFile clear(QStringLiteral("/proc/self/clear_refs"));
    if (clear.open(QIODevice::WriteOnly))
        clear.write("5");
}

void writeFile(const std::string &path, int channels, bool all, int rows)
{
    if (QFile::exists(QString::fromStdString(path)))
        return;
    std::FILE *file = std::fopen(path.c_str(), "wb");
    dataFileColumns c;
    c.timestamps = c.voltage = c.coldJunction = all;
    for (int n = 1; n <= channels; ++n)
        c.channels.push_back({n, "K", false});
    dataFileSettings settings;
    settings.subType = channels == 48 ? "AC" : "AA";
    settings.scanRate = 1000;
    writeDataFileHeader(file, settings, c);
    const int block = 1000, vpc = c.valuesPerChannel();
    std::vector<double> data(std::size_t(block * channels * vpc));
    std::vector<std::int32_t> stamps(2 * block);
    std::vector<char> buffer;
    std::mt19937 random(4720);
    for (int done = 0; done < rows; done += block) {
        for (int k = 0; k < channels; ++k)
            for (int i = 0; i < block; ++i)
                for (int j = 0; j < vpc; ++j)
                    data[std::size_t(((block * k + i) * vpc) + j)] =
                        20.0 + k + 5.0 * std::sin((done + i) * 1e-4 + k) + (random() % 1000) / 1e4;
        for (int i = 0; i < block; ++i) {
            stamps[std::size_t(2 * i)] = 1796562309 + (done + i) / 1000;
            stamps[std::size_t(2 * i + 1)] = (done + i) % 1000 * 1000000;
        }
        writeDataFileRows(file, c, data.data(), stamps.data(), block, buffer);
    }
    std::fclose(file);
}

// The bare reader: every row into arrays of its own, best of three. withAllocation: the time
// to allocate (and so touch) those arrays counts as well, as it does for the load.
double bareReaderMs(const loadedFileRecord &record, bool withAllocation, double *cpu = nullptr)
{
    double best = 1e30;
    for (int run = 0; run < 3; ++run) {
        QElapsedTimer t;
        t.start();
        double c0 = cpuMs();
        const std::size_t rows = std::size_t(record.rowCount);
        std::vector<double> time(rows);
        std::vector<std::vector<double>> values(std::size_t(record.presentChannels), std::vector<double>(rows));
        double *windows[48] = {};
        for (int w = 0; w < record.presentChannels; ++w)
            windows[w] = values[std::size_t(w)].data();
        if (!withAllocation) {
            t.restart();
            c0 = cpuMs();
        }
        readDataFileRows(record, 0, record.rowCount, time.data(), windows, nullptr);
        if (ms(t) < best && cpu)
            *cpu = cpuMs() - c0;
        best = std::min(best, ms(t));
    }
    return best;
}

// Cancel one third into a load: the time from Cancel until the reading thread has ended.
double cancelMs(const loadedFileRecord &record)
{
    plotWindows().allocate(record.presentChannels, record.rowCount, 1);
    double *windows[48] = {};
    for (int w = 0; w < record.presentChannels; ++w)
        windows[w] = plotWindows().window(w);
    loadFileThread thread(record, plotWindows().timeWindow(), windows, 0, record.rowCount);
    thread.start();
    while (thread.progress() < record.rowCount / 3 && !thread.isFinished())
        QThread::usleep(200);
    QElapsedTimer t;
    t.start();
    thread.cancel();
    thread.wait();
    const double took = ms(t);
    plotWindows().free();
    return took;
}

// The load alone (dataFileLoad, as "OK" starts it), best of three; the peak memory of the
// first, above what the process held before it, in MB.
double loadOnlyMs(const loadedFileRecord &record, double *peak)
{
    double best = 1e30;
    for (int run = 0; run < 3; ++run) {
        resetPeak();
        const double before = statusMb("VmRSS:");
        QElapsedTimer t;
        t.start();
        dataFileLoad(nullptr).load(record, {0, record.rowCount, record.rowCount});
        best = std::min(best, ms(t));
        if (run == 0)
            *peak = statusMb("VmHWM:") - before;
        plotWindows().free();
    }
    return best;
}

bool bench(const std::string &path, const char *label)
{
    loadedFileRecord &record = loadedFile();
    if (readDataFileHeader(path.c_str(), &record) != 0) {
        std::fprintf(stderr, "cannot read %s\n", path.c_str());
        return false;
    }
    const double arraysMb = double(record.presentChannels + 1) * record.rowCount * 8 / 1048576.0;
    double loadPeak = 0;
    const double loadMs = loadOnlyMs(record, &loadPeak);
    double bareCpu = 0;
    const double bare = bareReaderMs(record, false, &bareCpu), bareAllocating = bareReaderMs(record, true);
    // The real view: OK to the first drawn pane, every scan on the plot; the first time
    // starts viewer mode, the others are Reload.
    benchView view(record);
    double drawnMs = 1e30, drawnCpu = 0, drawnPeak = 0;
    for (int run = 0; run < 3; ++run) {
        resetPeak();
        const double before = statusMb("VmRSS:"), c0 = cpuMs();
        const double took = view.okToFirstDrawnPane();
        drawnCpu = took < drawnMs ? cpuMs() - c0 : drawnCpu;
        drawnMs = std::min(drawnMs, took);
        if (run == 0)
            drawnPeak = statusMb("VmHWM:") - before;
    }
    view.okToFirstDrawnPane(record.rowCount / 10);
    double slider = 1e30, sliderCpu = 0;
    for (int run = 0; run < 3; ++run) {
        const double c0 = cpuMs(), took = view.sliderToMiddleMs();
        sliderCpu = took < slider ? cpuMs() - c0 : sliderCpu;
        slider = std::min(slider, took);
    }
    const double cancel = cancelMs(record);
    const double ratio = drawnMs / bare, memory = loadPeak / arraysMb;
    std::printf("%s: %d rows x %d channels, value arrays %.1f MB (best of 3 runs)\n", label, record.rowCount,
                record.presentChannels, arraysMb);
    std::printf("  bare reader %.0f ms, CPU %.0f ms (%.0f ms with allocating its arrays) | load %.0f ms | OK -> first "
                "drawn pane %.0f ms, CPU %.0f ms | ratio %.2f, CPU %.2f, %.2f to the allocating reader (goal <= 1.3)\n",
                bare, bareCpu, bareAllocating, loadMs, drawnMs, drawnCpu, ratio, drawnCpu / bareCpu, drawnMs / bareAllocating);
    std::printf("  peak memory of the load %.1f MB = %.2f x the value arrays (goal <= 1.3); up to the first "
                "drawn pane %.1f MB = %.2f x\n", loadPeak, memory, drawnPeak, drawnPeak / arraysMb);
    std::printf("  slider to the middle (plot length %d) -> its pane redrawn %.1f ms, CPU %.1f ms (goal <= 50) | "
                "Cancel -> thread ended %.2f ms (goal <= 100)\n", record.rowCount / 10, slider, sliderCpu, cancel);
    return ratio <= 1.3 && memory <= 1.3 && slider >= 0 && slider <= 50 && cancel <= 100;
}

} // namespace

// Each file is measured in a process of its own (this program again, with --file), so that
// memory one file left behind never counts for the other.
int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    messageBoxes::setHandler([](const messageBoxes::Request &r) {
        std::fprintf(stderr, "box: %s\n", qPrintable(r.text));
        return int(QMessageBox::Ok);
    });
    const QStringList args = app.arguments();
    if (args.size() == 4 && args[1] == "--file")
        return bench(args[2].toStdString(), qPrintable(args[3])) ? 0 : 1;
    const std::string dir = args.size() > 1 ? args[1].toStdString() : "/tmp";
    const std::string big = dir + "/bench_load_48ch_200k.csv", small = dir + "/bench_load_16ch_1M.csv";
    writeFile(big, 48, true, 200000);
    writeFile(small, 16, false, 1000000);
    QFile load(QStringLiteral("/proc/loadavg"));
    if (load.open(QIODevice::ReadOnly))
        std::printf("load average of the machine: %s", load.readLine().constData());
    std::fflush(stdout);
    const int bigResult = QProcess::execute(args[0], {"--file", QString::fromStdString(big),
                                                      "200k x 48 ch, timestamps, voltage, cold junction"});
    const int smallResult = QProcess::execute(args[0], {"--file", QString::fromStdString(small), "1M x 16 ch, temperatures"});
    const bool ok = bigResult == 0 && smallResult == 0;
    std::printf("%s\n", ok ? "all goals met" : "GOAL MISSED");
    return ok ? 0 : 1;
}
