// Reads the selected rows of a data file straight into the plot windows, on a thread of its
// own, while the GUI thread shows the progress. The windows are allocated before it starts
// and nobody else touches them until it has finished.
#ifndef TS4720_LOADFILETHREAD_H
#define TS4720_LOADFILETHREAD_H

#include "dataFileReader.h"
#include "loadedFile.h"

#include <QThread>

#include <atomic>

class loadFileThread : public QThread {
    Q_OBJECT
public:
    // Rows first .. first + count - 1 of the record's file; channelWindows holds a window
    // per channel slot (null for slots without one).
    loadFileThread(const loadedFileRecord &record, double *timeWindow, double *const *channelWindows,
                   int first, int count, QObject *parent = nullptr);

    // Asks the read to stop before its next row; safe from any thread.
    void cancel() { m_cancel.store(true, std::memory_order_relaxed); }
    // Rows stored so far, 0 .. count: the progress, never past its maximum.
    int progress() const { return m_run.stored.load(std::memory_order_relaxed); }

    // After the thread has finished:
    bool result() const { return m_result; }  // every row asked for was read
    const dataFileRowRead &outcome() const { return m_run; }

protected:
    void run() override;

private:
    loadedFileRecord m_record;
    double *m_timeWindow;
    double *m_channelWindows[modelTable::maxChannels] = {};
    int m_first;
    int m_count;
    std::atomic<bool> m_cancel{false};
    dataFileRowRead m_run;       // stored is read by the GUI thread while the read runs
    bool m_result = false;
};

#endif
