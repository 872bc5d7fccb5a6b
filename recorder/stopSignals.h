// Ctrl-C, SIGTERM and SIGHUP for the recorder. The handler only counts the signal and
// writes a byte to a pipe (both async-signal-safe); a watcher thread reads the pipe and
// calls the reaction in ordinary thread context, where it may lock and close files.
// SIGPIPE is ignored. POSIX only, kept to this file.
#ifndef TS4720_STOPSIGNALS_H
#define TS4720_STOPSIGNALS_H

#include <functional>
#include <thread>

class stopSignals {
public:
    stopSignals() = default;
    // Restores the default handlers and ends the watcher.
    ~stopSignals();
    stopSignals(const stopSignals &) = delete;
    stopSignals &operator=(const stopSignals &) = delete;

    // reaction(n) runs on the watcher thread for the n-th signal (1, 2, ...). One instance
    // per process. false when the pipe or the handlers cannot be set up.
    bool install(std::function<void(int count)> reaction);

private:
    void watch();

    std::function<void(int)> m_reaction;
    std::thread m_watcher;
    bool m_installed = false;
};

#endif
