// The progress line on standard error: scans written, scan rate, backlog, elapsed and
// remaining time, file size, and a note while the connection is being restored. On a terminal one line refreshed in place twice a second;
// with --quiet or without a terminal a line of its own every 10 s at most.
#ifndef TS4720_PROGRESSLINE_H
#define TS4720_PROGRESSLINE_H

#include <string>

struct progressSample {
    double elapsed = 0.0;      // seconds since the start
    long long scans = 0;       // rows written
    long long bytes = 0;       // file size
    long long backlog = 0;     // scans waiting on the instrument
    int reconnectSeconds = -1; // the connection was lost: seconds left to reconnect; -1 not
};

class progressLine {
public:
    // totalScans 0: the run goes on until stopped. rate: the nominal scan rate, for the
    // remaining time (0: unknown, an external clock). waiting: what an armed run waits for
    // ("a pulse on rear-panel line 1"); empty for an immediate start.
    progressLine(bool terminal, bool quiet, long long totalScans, double rate, const std::string &waiting);

    // The text to print for this sample, or "" when the last line is too recent (a lost or
    // regained connection is shown at once).
    std::string update(const progressSample &sample);
    // What ends the progress output before a closing message ("\n" after a refreshed line).
    std::string finish();

    // The line's text alone, without a line end: rate is the measured scans per second.
    std::string text(const progressSample &sample, double measuredRate) const;

private:
    const bool m_refresh;      // refresh one line in place
    const double m_interval;   // seconds between lines
    const long long m_total;
    const double m_rate;
    const std::string m_waiting;
    double m_lastTime = -1.0;  // elapsed of the last line; -1 before the first
    bool m_lastReconnecting = false;
    // Blocks arrive a quarter second apart: the rate is measured over 10 s windows (from the
    // start until the first has passed), so that one block more or less hardly shows.
    double m_rateTime = 0.0;
    long long m_rateScans = 0;
    double m_measuredRate = 0.0;
    bool m_open = false;       // a refreshed line waits for its line end
};

// "h:mm:ss"
std::string clockText(double seconds);
// "812 B", "17.3 kB", "2.1 MB", "4.0 GB"
std::string sizeText(long long bytes);

#endif
