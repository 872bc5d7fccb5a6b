// Times Auto Find (findModules) over 200 configured resources: 4 simulated instruments
// and 196 loopback addresses where nothing listens. Run by hand:
//   QT_QPA_PLATFORM=offscreen build/bin/bench_autofind [rounds]
#include "simInstrument.h"
#include "ts2900fp_genSPC.h"
#include "ts2900fp_spcSelect.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>

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

} // namespace

int main(int argc, char *argv[])
{
    // A private configuration folder: no resource file of the user's joins the list.
    QTemporaryDir config;
    qputenv("XDG_CONFIG_HOME", config.path().toLocal8Bit());
    QApplication app(argc, argv);
    const int rounds = argc > 1 ? std::max(1, atoi(argv[1])) : 5;

    std::vector<std::unique_ptr<tssim::Instrument>> sims;
    QStringList resources;
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
        resources.append(QString::fromStdString(sims.back()->descriptor()));
    }
    for (int i = 10; i < 206; ++i)
        resources.insert((i * 7) % (resources.size() + 1),
                         QStringLiteral("TCPIP::127.43.8.%1::INSTR").arg(i));
    qputenv("TSVISA_RESOURCES", resources.join(';').toLatin1());

    benchPersonality spc;
    std::vector<double> times;
    for (int round = 0; round < rounds; ++round) {
        ts2900fp_spcSelect select(&spc);
        QElapsedTimer timer;
        timer.start();
        const int found = select.findModules();
        times.push_back(timer.nsecsElapsed() / 1e6);
        std::printf("round %d: %d resources, %d available, %.1f ms\n", round + 1,
                    int(resources.size()), found, times.back());
    }
    std::sort(times.begin(), times.end());
    std::printf("findModules over %d resources: min %.1f ms, median %.1f ms, max %.1f ms\n",
                int(resources.size()), times.front(), times[times.size() / 2], times.back());
    return 0;
}
