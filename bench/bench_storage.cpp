// Times the storage tab on long file lists from a simulated instrument over loopback:
// 100,000 files (a list of about 4 MB) and 100,000 files with long names (about 11 MB).
// Prints, per list, the driver's transfer of the list alone beside the tab's Refresh, a sort
// by size, Select All and one paint, against the goal that a Refresh takes at most two
// seconds. Fails when a Refresh misses the goal, a row is missing or a box was shown.
#include "internalStorage.h"
#include "itemModel.h"
#include "messageBoxes.h"
#include "simInstrument.h"
#include "ts4720.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTableView>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

namespace {
const double goalMs = 2000;

double medianMs(int runs, const std::function<void()> &action)
{
    std::vector<double> ms;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer timer;
        timer.start();
        action();
        ms.push_back(timer.nsecsElapsed() / 1e6);
    }
    std::sort(ms.begin(), ms.end());
    return ms[ms.size() / 2];
}

// false when the list did not arrive whole or Refresh missed the goal.
bool measure(const char *address, int files, int nameLength)
{
    tssim::Options options;
    options.address = address;
    options.webPort = -1;
    tssim::Instrument sim(options);
    std::string why;
    if (!sim.start(&why)) {
        std::fprintf(stderr, "simulated instrument: %s\n", why.c_str());
        return false;
    }
    sim.command("SIM:DISK:FILL 1," + std::to_string(files) + "," + std::to_string(nameLength));
    ViSession vi = 0;
    if (ts4720_init(sim.descriptor().c_str(), VI_FALSE, VI_FALSE, &vi) != VI_SUCCESS)
        return false;
    ViInt32 length = 0;
    const double transfer = medianMs(3, [&] {
        ts4720_getStorageFileList(vi, VI_NULL, &length);
        std::vector<ViChar> buffer(size_t(length) + 1);
        ts4720_getStorageFileList(vi, buffer.data(), VI_NULL);
    });
    panelContext context;
    context.vi = vi;
    internalStorage page(context);
    page.resize(1000, 600);
    page.show();
    QApplication::processEvents();
    const double refresh = medianMs(3, [&] { page.doRefresh(); });
    const double sort = medianMs(3, [&] { page.model()->sort(2, Qt::DescendingOrder); });
    const double selectAll = medianMs(3, [&] { page.doSelectAll(); });
    const double paint = medianMs(3, [&] { page.grab(); });
    const int rows = page.model()->rowCount();
    ts4720_close(vi);
    std::printf("%7d files, list %5.1f MB: transfer %6.0f ms | Refresh %6.0f ms (goal <= %.0f) | sort by size %5.0f ms | "
                "Select All %4.0f ms | paint %3.0f ms\n",
                files, length / 1e6, transfer, refresh, goalMs, sort, selectAll, paint);
    if (rows < files) // the sample recordings come on top
        std::printf("  FAILED: %d rows for %d files\n", rows, files);
    if (refresh > goalMs)
        std::printf("  FAILED: Refresh took longer than %.0f ms\n", goalMs);
    return rows >= files && refresh <= goalMs;
}
} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    int boxes = 0;
    messageBoxes::ScopedHandler handler([&boxes](const messageBoxes::Request &request) {
        std::fprintf(stderr, "box: %s\n", qPrintable(request.text));
        ++boxes;
        return int(QMessageBox::No);
    });
    bool ok = measure("127.45.44.1", 100000, 11);
    ok = measure("127.45.44.2", 100000, 90) && ok;
    return ok && boxes == 0 ? 0 : 1;
}
