// Times Refresh and Save of the channel table for a 48-channel simulated instrument over
// loopback (about 150 driver calls each). Prints the median and the fastest of 20 runs; fails
// when the Saves did not change every channel on the instrument or a call was reported.
#include "channelConfiguration_settings.h"
#include "messageBoxes.h"
#include "simInstrument.h"
#include "singleChannelConfig.h"

#include "ts4720.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QRadioButton>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

namespace {
void report(const char *what, std::vector<double> ms)
{
    std::sort(ms.begin(), ms.end());
    std::printf("%-8s median %7.1f ms   fastest %7.1f ms   slowest %7.1f ms   (%zu runs)\n", what,
                ms[ms.size() / 2], ms.front(), ms.back(), ms.size());
}

std::vector<double> timeRuns(int runs, const std::function<void()> &action)
{
    std::vector<double> ms;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer timer;
        timer.start();
        action();
        ms.push_back(timer.nsecsElapsed() / 1e6);
    }
    return ms;
}
} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    int boxes = 0;
    messageBoxes::ScopedHandler handler([&boxes](const messageBoxes::Request &request) {
        if (boxes++ == 0)
            std::fprintf(stderr, "first report: %s\n", qPrintable(request.text));
        return int(QMessageBox::No);
    });

    tssim::Options options;
    options.address = "127.45.43.1";
    options.subType = "AC";
    options.webPort = -1;
    tssim::Instrument sim(options);
    std::string why;
    if (!sim.start(&why)) {
        std::fprintf(stderr, "simulated instrument: %s\n", why.c_str());
        return 1;
    }
    ViSession vi = 0;
    if (ts4720_init(sim.descriptor().c_str(), VI_TRUE, VI_FALSE, &vi) < 0) {
        std::fprintf(stderr, "ts4720_init failed\n");
        return 1;
    }
    panelContext context;
    context.vi = vi;
    context.channelCount = 48;
    channelConfiguration_settings page(context);
    const int runs = 20;
    report("Refresh", timeRuns(runs, [&page] { page.doRefresh(); }));
    // A real change to save: the instrument holds the factory type K, the page asks for E.
    if (sim.command("CHAN:CONF? 48").rfind("\"K\"", 0) != 0) {
        std::fprintf(stderr, "the simulated instrument does not start with type K\n");
        return 1;
    }
    for (singleChannelConfig *row : page.cfg)
        row->typeButtons[3]->setChecked(true);
    report("Save", timeRuns(runs, [&page] { page.doSave(); }));
    ts4720_close(vi);
    // The timed Saves must really have reached the instrument, every channel of it.
    for (int channel = 1; channel <= 48; ++channel) {
        if (sim.command("CHAN:CONF? " + std::to_string(channel)).rfind("\"E\"", 0) != 0) {
            std::fprintf(stderr, "Save did not reach channel %d of the instrument: %s\n", channel,
                         sim.command("CHAN:CONF? " + std::to_string(channel)).c_str());
            return 1;
        }
    }
    if (boxes) {
        std::fprintf(stderr, "%d driver calls were reported as failed\n", boxes);
        return 1;
    }
    return 0;
}
