// One invocation of ts4720-record: the up-front checks, the connection, the instrument's
// set-up, the run with its progress line, and the end with its message and exit status.
// Messages and progress go to standard error, prefixed with the program's name.
#ifndef TS4720_RECORDER_H
#define TS4720_RECORDER_H

#include "instrumentSetup.h"
#include "recorderOptions.h"
#include "recordingFile.h"

#include <atomic>
#include <mutex>
#include <string>

class recordingRun;
struct runLayout;

class recorder {
public:
    // terminal: standard error is a terminal (the progress line is refreshed in place).
    recorder(const recorderOptions &options, bool terminal);
    ~recorder();
    recorder(const recorder &) = delete;
    recorder &operator=(const recorder &) = delete;

    // The whole recording; returns the exit status (exitStatus.h).
    int run();

    // First Ctrl-C or SIGTERM, from any thread: the run stops, drains and ends normally.
    void requestStop();
    // Second one: closes the file with every row written so far and ends the process at
    // once with exitInterrupted. Any thread but the one that calls run() while it writes.
    [[noreturn]] void abortNow();

private:
    int connect();
    int plan(const instrumentFacts &facts, runPlan *plan);
    int prepareFile(const runPlan &plan, const instrumentFacts &facts, dataFileSettings *settings,
                    dataFileColumns *columns);
    int record(const runPlan &plan, const runLayout &layout);
    int startRun(recordingRun &run, const runPlan &plan);
    void watch(recordingRun &run, const runPlan &plan);
    int report(const recordingRun &run);
    void attach(recordingRun *run);

    // Prints the message and returns the status.
    int exitWith(int status, const std::string &message);
    std::string refusal(const setupError &error) const;
    std::string driverText(ViStatus status) const;
    std::string lastScanText() const;
    std::string lossText() const;
    void say(const std::string &text);

    const recorderOptions m_options;
    const bool m_terminal;
    std::string m_resource;
    ViSession m_vi = 0;
    recordingFile m_file;
    std::atomic<bool> m_stopRequested{false};
    std::mutex m_runMutex;            // protects m_run
    recordingRun *m_run = nullptr;    // the run in progress, for requestStop()
};

#endif
