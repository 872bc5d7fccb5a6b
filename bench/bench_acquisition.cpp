// Streams 48 channels at 1000 Hz (temperature, voltage, cold junction, timestamps) from a
// simulated instrument through the driver, as the panel's callback does, and reports
// completeness, the receiving side's CPU cost and the delivery delay.
//
//   bench_acquisition [seconds]     (default 60)
#include "simInstrument.h"
#include "ts4720.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <thread>
#include <vector>

namespace {
const int kChannels = 48;
const int kValues = 3;
const double kRate = 1000.0;
const ViInt32 kThreshold = 250;

struct Receiver {
    std::vector<ViReal64> data = std::vector<ViReal64>(size_t(kChannels) * kThreshold * kValues);
    std::vector<ViInt32> stamps = std::vector<ViInt32>(size_t(kThreshold) * 2);
    double ptpOffset = 0.0;      // host clock minus instrument clock, seconds
    long long received = 0;
    long long lost = 0;          // gaps in the timestamps, in scans
    long long notIncreasing = 0; // timestamps not after their predecessor
    long long lastStampNs = -1;
    double maxDelay = 0.0;       // seconds from a scan's timestamp to its delivery
    double threadCpu = 0.0;      // CPU seconds of the thread that runs the callback
    long long callbacks = 0;
    std::atomic<bool> ended{false};
};

double hostSeconds()
{
    timespec now;
    clock_gettime(CLOCK_REALTIME, &now);
    return double(now.tv_sec) + now.tv_nsec / 1e9;
}

double threadCpuSeconds()
{
    timespec cpu;
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &cpu);
    return double(cpu.tv_sec) + cpu.tv_nsec / 1e9;
}

void account(Receiver &r, ViInt32 scans)
{
    const double now = hostSeconds() - r.ptpOffset;
    const long long periodNs = static_cast<long long>(1e9 / kRate);
    for (ViInt32 i = 0; i < scans; ++i) {
        long long ns = static_cast<long long>(static_cast<ViUInt32>(r.stamps[2 * i])) * 1000000000LL
                       + r.stamps[2 * i + 1];
        if (r.lastStampNs >= 0) {
            if (ns <= r.lastStampNs)
                ++r.notIncreasing;
            else if (ns - r.lastStampNs > periodNs + periodNs / 2)
                r.lost += (ns - r.lastStampNs + periodNs / 2) / periodNs - 1;
        }
        r.lastStampNs = ns;
        r.maxDelay = std::max(r.maxDelay, now - ns / 1e9);
    }
    r.received += scans;
}

void callback(ViSession vi, ViInt32 backlog, ViInt16 daEnd, ViAddr params)
{
    Receiver &r = *static_cast<Receiver *>(params);
    ++r.callbacks;
    ViInt32 remaining = 0, scansRead = 0;
    ViInt32 n = std::min(backlog, kThreshold);
    do {
        ts4720_readAcquisition(vi, n, 0, &remaining, &scansRead, r.data.data(), r.stamps.data());
        account(r, scansRead);
        n = std::min(remaining, kThreshold);
    } while (daEnd && remaining > 0 && scansRead > 0);
    r.threadCpu = threadCpuSeconds(); // the callback runs on the driver's thread
    if (daEnd)
        r.ended = true;
}

bool check(ViStatus status, const char *what)
{
    if (status >= 0)
        return true;
    ViChar text[TS4720_ERROR_MESSAGE_SIZE];
    ts4720_error_message(VI_NULL, status, text);
    std::fprintf(stderr, "%s failed: %s\n", what, text);
    return false;
}

ViSession setUp(tssim::Instrument &instrument, long long scans, Receiver &r)
{
    ViSession vi = 0;
    if (!check(ts4720_init(instrument.descriptor().c_str(), VI_TRUE, VI_TRUE, &vi), "ts4720_init"))
        return 0;
    bool ok = true;
    for (ViInt16 ch = 1; ch <= kChannels && ok; ++ch)
        ok = check(ts4720_setChannelState(vi, ch, VI_TRUE), "ts4720_setChannelState");
    ok = ok && check(ts4720_setAttribute(vi, ts4720_ATTR_DATA_FORMAT, 7), "ts4720_setAttribute");
    ok = ok && check(ts4720_setAcquisitionMode(vi, 0, kRate, ViInt32(scans), 0, 0, VI_TRUE),
                     "ts4720_setAcquisitionMode");
    ViUInt32 s = 0, ns = 0;
    ok = ok && check(ts4720_getPTPTime(vi, &s, &ns), "ts4720_getPTPTime");
    r.ptpOffset = hostSeconds() - (s + ns / 1e9);
    if (!ok) {
        ts4720_close(vi);
        return 0;
    }
    return vi;
}
} // namespace

int main(int argc, char **argv)
{
    const double seconds = argc > 1 ? std::atof(argv[1]) : 60.0;
    if (!(seconds > 0.0)) {
        std::fprintf(stderr, "usage: %s [seconds]\n", argv[0]);
        return 2;
    }
    tssim::Options options;
    options.address = "127.42.200.1";
    options.webPort = -1;
    tssim::Instrument instrument(options);
    std::string error;
    if (!instrument.start(&error)) {
        std::fprintf(stderr, "cannot start the simulated instrument: %s\n", error.c_str());
        return 1;
    }
    const long long due = static_cast<long long>(seconds * kRate);
    Receiver r;
    ViSession vi = setUp(instrument, due, r);
    if (vi == 0)
        return 1;
    const auto started = std::chrono::steady_clock::now();
    if (!check(ts4720_startAcquisitionEx(vi, kThreshold, callback, &r), "ts4720_startAcquisitionEx"))
        return 1;
    const auto limit = started + std::chrono::duration<double>(seconds + 30.0);
    while (!r.ended && std::chrono::steady_clock::now() < limit)
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    const double elapsed = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    check(ts4720_stopAcquisition(vi), "ts4720_stopAcquisition");
    ts4720_close(vi);

    std::printf("acquisition: %d channels x %d values at %.0f Hz, threshold %d, %.1f s\n", kChannels,
                kValues, kRate, kThreshold, seconds);
    std::printf("scans received: %lld of %lld due (%s)\n", r.received, due,
                r.ended ? "ended by the instrument" : "NOT ENDED");
    std::printf("lost (timestamp gaps): %lld, duplicated or out of order: %lld\n", r.lost, r.notIncreasing);
    std::printf("callbacks: %lld\n", r.callbacks);
    std::printf("driver thread CPU (incl. callback): %.3f s in %.1f s = %.2f %% of one core\n",
                r.threadCpu, elapsed, 100.0 * r.threadCpu / elapsed);
    std::printf("largest delay from a scan's timestamp to its delivery: %.1f ms\n", r.maxDelay * 1000.0);
    const bool ok = r.ended && r.received == due && r.lost == 0 && r.notIncreasing == 0;
    std::printf("%s\n", ok ? "OK" : "FAILED");
    return ok ? 0 : 1;
}
