// The driver thread of a running acquisition: polls the instrument's backlog and calls
// the caller's callback whenever a block is waiting, and once more at the end.
#ifndef TS4720_ACQUISITIONWORKER_H
#define TS4720_ACQUISITIONWORKER_H

#include "ts4720.h"

#include <atomic>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <thread>

namespace ts4720 {

class DriverSession;

struct AcquisitionPlan {
    ViInt32 threshold = 1;
    ts4720_callback_t callback = nullptr;
    ViAddr params = nullptr;
    int pollMs = 50;
};

class AcquisitionWorker {
public:
    AcquisitionWorker() = default;
    ~AcquisitionWorker();
    AcquisitionWorker(const AcquisitionWorker &) = delete;
    AcquisitionWorker &operator=(const AcquisitionWorker &) = delete;

    // Claims the worker for a new acquisition; false while one is still running.
    // A finished thread of an earlier acquisition is joined first.
    bool reserve();
    // Gives the claim back when the start failed before the thread ran.
    void release();
    void start(const std::shared_ptr<DriverSession> &session, const AcquisitionPlan &plan);
    // Flag, wake, join. From inside the callback the thread cannot join itself: it only
    // learns that it has to end after the callback returns.
    void stop();

    // An acquisition was started and its thread has not yet left its loop.
    bool running();
    bool onWorkerThread() const { return std::this_thread::get_id() == m_threadId.load(); }
    static int pollInterval(ViInt32 threshold, double scanRate);

private:
    void run(std::shared_ptr<DriverSession> session, AcquisitionPlan plan);
    bool deliver(const AcquisitionPlan &plan, ViSession vi, ViInt32 backlog, ViInt16 end);
    bool waitForStop(int ms);
    void joinFinished();

    std::mutex m_mutex;          // protects m_thread, m_busy, m_stop
    std::condition_variable m_wake;
    std::thread m_thread;
    bool m_busy = false;         // reserved or running, until the thread leaves its loop
    bool m_stop = false;
    std::atomic<std::thread::id> m_threadId{std::thread::id()};
};

} // namespace ts4720

#endif
