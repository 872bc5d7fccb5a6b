// bench_datafile --read FILE: only reads FILE as below (bench/run_datafile_bench times the
// whole process against pandas).
// bench_datafile [DIR] [ROWS]: writes two data files into DIR (default /tmp) with the program's
// writer — ROWS scans (default 200,000) of 48 channels with temperature, voltage and cold
// junction, and of 16 channels with temperatures only, 1% not-a-number — then reads them back
// with readDataFileRows. Prints rows/s, MB/s, the writer's share of one core at 1000 scans/s
// and the peak memory. Before that it times the number texts alone, ours against the standard
// library's std::from_chars and std::to_chars on the same 4 M values (the results must be
// identical, else it fails). Lines starting with "RESULT" are for bench/run_datafile_bench.
#include "dataFileNumbers.h"
#include "dataFileReader.h"
#include "dataFileWriter.h"
#include "loadedFile.h"

#include <sys/resource.h>

#include <charconv>
#include <chrono>
#include <cstring>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <algorithm>
#include <cmath>
#include <random>
#include <string>
#include <vector>

namespace {

double cpuSeconds()
{
    timespec t;
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return double(t.tv_sec) + double(t.tv_nsec) / 1e9;
}

double wallSeconds()
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

long peakMemoryKb()
{
    rusage usage;
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

long long fileSize(const std::string &path)
{
    std::FILE *f = std::fopen(path.c_str(), "rb");
    if (!f)
        return 0;
    std::fseek(f, 0, SEEK_END);
    const long long size = std::ftell(f);
    std::fclose(f);
    return size;
}

dataFileColumns makeColumns(int channels, bool all)
{
    dataFileColumns c;
    c.timestamps = c.voltage = c.coldJunction = all;
    for (int n = 1; n <= channels; ++n)
        c.channels.push_back({n, n % 2 ? "K" : "J", n % 3 == 0});
    return c;
}

// Writes rows scans in blocks of 250 (a quarter second at 1000 scans/s), timing only the writer.
void writeFile(const std::string &path, const dataFileColumns &columns, int rows, const char *label)
{
    std::FILE *file = std::fopen(path.c_str(), "wb");
    if (!file) {
        std::fprintf(stderr, "cannot create %s\n", path.c_str());
        std::exit(1);
    }
    dataFileSettings settings;
    settings.scanRate = 1000;
    writeDataFileHeader(file, settings, columns);
    const int block = 250, vpc = columns.valuesPerChannel(), channels = int(columns.channels.size());
    std::vector<double> data(std::size_t(block * channels * vpc));
    std::vector<std::int32_t> timestamps(2 * block);
    std::vector<char> buffer;
    std::mt19937_64 random(4720);
    std::uniform_real_distribution<double> noise(-0.05, 0.05);
    double cpu = 0, wall = 0;
    for (int done = 0; done < rows; done += block) {
        const int n = rows - done < block ? rows - done : block;
        for (int k = 0; k < channels; ++k)
            for (int i = 0; i < n; ++i) {
                double *v = &data[std::size_t((n * k + i) * vpc)];
                v[0] = random() % 100 == 0 ? NAN : 20.0 + k * 0.25 + noise(random) * 10;
                if (vpc > 1) {
                    v[1] = random() % 100 == 0 ? NAN : 0.8 + noise(random);
                    v[2] = random() % 100 == 0 ? NAN : 23.0 + noise(random);
                }
            }
        for (int i = 0; i < n; ++i) {
            timestamps[std::size_t(2 * i)] = 1796562309 + (done + i) / 1000;
            timestamps[std::size_t(2 * i + 1)] = ((done + i) % 1000) * 1000000 + 123;
        }
        const double c0 = cpuSeconds(), w0 = wallSeconds();
        writeDataFileRows(file, columns, data.data(), timestamps.data(), n, buffer);
        cpu += cpuSeconds() - c0;
        wall += wallSeconds() - w0;
    }
    std::fclose(file);
    const double mb = double(fileSize(path)) / 1e6;
    std::printf("%s: write %d rows, %.1f MB: %.3f s wall, %.3f s CPU: %.0f rows/s, %.1f MB/s; "
                "at 1000 scans/s the writer uses %.3f%% of one core\n",
                label, rows, mb, wall, cpu, rows / wall, mb / wall, 100.0 * cpu / rows * 1000.0);
    std::printf("RESULT %s write_rows_per_s=%.0f write_cpu_percent_at_1000=%.4f\n", label, rows / wall,
                100.0 * cpu / rows * 1000.0);
}

void readFile(const std::string &path, const char *label)
{
    loadedFileRecord &record = loadedFile();
    double w0 = wallSeconds();
    if (readDataFileHeader(path.c_str(), &record) != 0) {
        std::fprintf(stderr, "cannot read %s\n", path.c_str());
        std::exit(1);
    }
    const double headerSeconds = wallSeconds() - w0;
    const std::size_t rows = std::size_t(record.rowCount);
    std::vector<double> time(rows);
    std::vector<std::vector<double>> windows(std::size_t(record.presentChannels), std::vector<double>(rows));
    double *pointers[48] = {};
    for (int w = 0; w < record.presentChannels; ++w)
        pointers[w] = windows[std::size_t(w)].data();
    std::atomic<int> progress{0};
    w0 = wallSeconds();
    readDataFileRows(0, record.rowCount, time.data(), pointers, &progress);
    const double wall = wallSeconds() - w0;
    const double mb = double(fileSize(path)) / 1e6;
    const double windowMb = double((record.presentChannels + 1) * rows * sizeof(double)) / 1e6;
    std::printf("%s: header and row count %.3f s; readDataFileRows %d rows: %.3f s: %.0f rows/s, %.1f MB/s; "
                "windows %.1f MB, peak memory so far %.1f MB\n",
                label, headerSeconds, record.rowCount, wall, rows / wall, mb / wall, windowMb, peakMemoryKb() / 1024.0);
    std::printf("RESULT %s read_rows_per_s=%.0f read_mb_per_s=%.1f header_s=%.3f windows_mb=%.1f peak_mb=%.1f\n",
                label, rows / wall, mb / wall, headerSeconds, windowMb, peakMemoryKb() / 1024.0);
}

// The best of five runs of f, in ms.
template <typename F> double bestMs(F f)
{
    double best = 1e30;
    for (int run = 0; run < 5; ++run) {
        const double w0 = wallSeconds();
        f();
        best = std::min(best, (wallSeconds() - w0) * 1000.0);
    }
    return best;
}

// 4 M values as the files hold them ("%lf" text of temperatures, 1% not-a-number), formatted
// and parsed by ours and by the standard library's conversions.
bool benchNumbers()
{
    const std::size_t n = 4000000;
    std::vector<double> values(n);
    std::mt19937_64 random(4720);
    std::uniform_real_distribution<double> temperature(-50.0, 400.0);
    for (double &v : values)
        v = random() % 100 == 0 ? NAN : temperature(random);
    std::vector<char> ours(n * 16), standard(n * 16);
    char *oursEnd = nullptr, *standardEnd = nullptr;
    const double formatOurs = bestMs([&] {
        char *p = ours.data();
        for (double v : values) {
            p = formatFixed6(p, v);
            *p++ = ',';
        }
        oursEnd = p;
    });
    const double formatStandard = bestMs([&] {
        char *p = standard.data();
        for (double v : values) {
            p = std::isnan(v) ? std::copy_n(std::signbit(v) ? "-nan" : "nan", std::signbit(v) ? 4 : 3, p)
                              : std::to_chars(p, p + 32, v, std::chars_format::fixed, 6).ptr;
            *p++ = ',';
        }
        standardEnd = p;
    });
    const bool sameText = oursEnd - ours.data() == standardEnd - standard.data()
                          && std::memcmp(ours.data(), standard.data(), std::size_t(oursEnd - ours.data())) == 0;
    std::vector<double> parsedOurs(n), parsedStandard(n);
    const double parseOurs = bestMs([&] {
        const char *p = ours.data();
        bool ok = true;
        for (std::size_t i = 0; i < n; ++i)
            p = parseValueFieldAt(p, oursEnd, parsedOurs[i], ok) + 1;
    });
    const double parseStandard = bestMs([&] {
        const char *p = ours.data();
        for (std::size_t i = 0; i < n; ++i) {
            const char *comma = static_cast<const char *>(std::memchr(p, ',', std::size_t(oursEnd - p)));
            if (std::from_chars(p, comma, parsedStandard[i]).ptr != comma)
                parsedStandard[i] = NAN; // "nan" and "-nan" as the reader takes them
            p = comma + 1;
        }
    });
    bool sameValues = true;
    for (std::size_t i = 0; i < n; ++i)
        sameValues = sameValues && (parsedOurs[i] == parsedStandard[i]
                                    || (std::isnan(parsedOurs[i]) && std::isnan(parsedStandard[i])));
    std::printf("numbers, %zu values: format ours %.0f ms, std::to_chars %.0f ms (%.2fx); "
                "parse ours %.0f ms, std::from_chars %.0f ms (%.2fx); results %s\n",
                n, formatOurs, formatStandard, formatStandard / formatOurs, parseOurs, parseStandard,
                parseStandard / parseOurs, sameText && sameValues ? "identical" : "DIFFERENT");
    std::printf("RESULT numbers format_ms=%.1f to_chars_ms=%.1f parse_ms=%.1f from_chars_ms=%.1f\n", formatOurs,
                formatStandard, parseOurs, parseStandard);
    return sameText && sameValues;
}

} // namespace

int main(int argc, char **argv)
{
    if (argc == 3 && std::string(argv[1]) == "--read") {
        readFile(argv[2], "file");
        return 0;
    }
    const std::string dir = argc > 1 ? argv[1] : "/tmp";
    const int rows = argc > 2 ? std::atoi(argv[2]) : 200000;
    const std::string big = dir + "/bench_datafile_48ch_all.csv";
    const std::string small = dir + "/bench_datafile_16ch_temp.csv";
    if (!benchNumbers()) {
        std::fprintf(stderr, "our number texts differ from the standard library's\n");
        return 1;
    }
    std::printf("FILE 48ch %s\nFILE 16ch %s\n", big.c_str(), small.c_str());
    writeFile(big, makeColumns(48, true), rows, "48ch");
    writeFile(small, makeColumns(16, false), rows, "16ch");
    std::printf("peak memory after writing: %.1f MB\n", peakMemoryKb() / 1024.0);
    readFile(small, "16ch");
    readFile(big, "48ch");
    return 0;
}
