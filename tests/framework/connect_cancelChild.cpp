// Child process of the start-up tests: runs the start-up dialogue with scripted answers
// that end in a Cancel. Reaching the end of main is a failure (exit code 3).
#include "connectTestSupport.h"
#include "ts2900fp_AppSPC.h"
#include "ts2900fp_spcEnterAddress.h"
#include "ts2900fp_spcSelect.h"

#include <QApplication>

#include <cstdio>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const QString scenario = argc > 1 ? QString::fromLatin1(argv[1]) : QString();
    QList<int> answers;
    if (scenario == "start") {
        answers = {-1};
    } else if (scenario == "nothing-found") {
        setConfiguredResources({});
        answers = {0, 2};
    } else if (scenario == "address") {
        answers = {2};
        whenModal<ts2900fp_spcEnterAddress>([](ts2900fp_spcEnterAddress *d) { d->reject(); });
    } else if (scenario == "selection") {
        setConfiguredResources({"TCPIP::127.43.6.1::INSTR", "TCPIP::127.43.6.2::INSTR"});
        answers = {0};
        whenModal<ts2900fp_spcSelect>([](ts2900fp_spcSelect *d) { d->reject(); });
    } else if (scenario == "unavailable") {
        answers = {2, 1};
        whenModal<ts2900fp_spcEnterAddress>([](ts2900fp_spcEnterAddress *d) { d->accept(); });
    }
    testInstruments sims;
    if (scenario == "selection" && !(sims.start("127.43.6.1") && sims.start("127.43.6.2")))
        return 4;
    fakePersonality spc;
    spc.initStatuses = {-1};
    boxRecorder boxes(answers);
    std::printf("dialogue started\n");
    std::fflush(stdout);
    ts2900fp_AppSPC panel(&spc, false);
    std::printf("panel constructed\n");
    return 3;
}
