// The plot windows that an acquisition or a loaded data file fills and the Waveforms view
// draws from: one window of values per channel slot, the time window (the x value of each
// position), and the counters that say how far they are filled. One process-wide set.
#ifndef TS4720_ACQUISITIONWINDOWS_H
#define TS4720_ACQUISITIONWINDOWS_H

#include "ts4720.h"

#include <cstdlib>
#include <functional>
#include <memory>
#include <mutex>
#include <vector>

// The acquisition data lock: guards the windows, their counters and their (re)allocation;
// taken by the acquisition callback, the Waveforms redraw and file loading. Never held
// while the demo store lock is taken.
std::mutex &acquisitionDataLock();

class acquisitionWindows {
public:
    // The counters; read and written under the acquisition data lock.
    int plotDataPtr = 0;       // next write position during the first pass, below plotLength
    int plotOffset = 0;        // scans before the current pass; grows by plotLength as the windows fill
    int backlog = 0;           // scans still waiting in the driver after the last read
    bool running = false;      // from a successful start until the end of the data or Stop
    int plotLength = 0;        // the plot length in use
    double firstTimestamp = 0; // seconds; subtracted from every timestamp for the time axis

    // Takes the lock, resets the counters and replaces the windows by zero-filled ones: a
    // window per channel slot (at most TS4720_MAX_CHANNELS) and the time window, each of
    // dataLength = max(scansOnPlot, callbackThreshold) values. False, with no windows left,
    // when a size is not positive or the memory cannot be had.
    bool allocate(int channels, int scansOnPlot, int callbackThreshold);
    // Takes the lock and frees every window; the counters stay.
    void free();

    // A view that reads the windows in place, outside the lock (a loaded file's samples on
    // the plot), lets go of them in letGo: free() and allocate() call every letGo first, on
    // their own thread and before taking the acquisition data lock. owner names the entry
    // for removeReleaseListener(), which its owner calls before it goes.
    void addReleaseListener(const void *owner, std::function<void()> letGo);
    void removeReleaseListener(const void *owner);

    // Under the lock.
    int dataLength() const { return m_dataLength; }
    int channelCount() const { return m_channels; }
    double *window(int slot) const; // nullptr outside 0 .. channelCount() - 1
    double *timeWindow() const { return m_time.get(); }

private:
    struct freeDeleter {
        void operator()(double *values) const { std::free(values); }
    };
    using buffer = std::unique_ptr<double[], freeDeleter>;

    void release(); // the caller holds the lock
    void letGo();   // calls the listeners; the caller holds no lock

    std::mutex m_listenersLock; // protects m_listeners (never held while a listener runs)
    std::vector<std::pair<const void *, std::function<void()>>> m_listeners;

    buffer m_windows[TS4720_MAX_CHANNELS];
    buffer m_time;
    int m_channels = 0;
    int m_dataLength = 0;
};

// The one process-wide set.
acquisitionWindows &plotWindows();

#endif
