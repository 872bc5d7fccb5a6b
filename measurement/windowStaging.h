// The Waveforms view's own copy of the plot windows. Each redraw takes, under the
// acquisition data lock, only the scans that arrived since the previous one (the windows
// only grow during the first pass and shift left afterwards), and moves its copy along
// after the lock is released; so the callback never waits for more than a block's copy.
#ifndef TS4720_WINDOWSTAGING_H
#define TS4720_WINDOWSTAGING_H

#include <cstddef>
#include <memory>
#include <vector>

class acquisitionWindows;

class windowStaging {
public:
    // Under the acquisition data lock: notes the windows' counters and copies what the copy
    // lacks of `windows` windows and of the time window. full: copy everything (a loaded file,
    // a changed unit or channel choice need no special case then).
    void take(const acquisitionWindows &w, int windows, int available, bool full);
    // After the lock: brings the copy up to date.
    void apply();

    int available() const { return m_available; }
    int plotLength() const { return m_length; }
    int windows() const { return m_windows; }
    const double *time() const { return m_time.data(); }
    const double *window(int k) const { return m_values.get() + std::size_t(k) * std::size_t(m_length); }

private:
    std::vector<double> m_time;     // plotLength values
    // windows x plotLength values, left uninitialised: only [0, available) of each is read,
    // so a long plot length costs no memory before its scans arrive.
    std::unique_ptr<double[]> m_values;
    std::size_t m_capacity = 0;
    std::vector<double> m_incoming; // taken under the lock: time [from, plotLength), then each window [from, available)
    const double *m_source = nullptr; // the time window the copy was taken from
    long long m_total = -1;         // scans plotted when last taken
    int m_length = 0, m_windows = 0, m_available = 0;
    int m_shift = 0, m_from = 0;    // what apply() does: shift left, then place from there on
};

#endif
