// The data path of one acquisition: the read buffers, the callback the driver calls (on a
// thread of its own) or the demo pump calls (on the GUI thread), the plot windows it fills
// under the acquisition data lock and the local data file it appends to. It never touches
// a widget: what the GUI must hear (the end of the data, a file that stopped growing)
// goes out as signals, delivered queued to the GUI thread.
#ifndef TS4720_ACQUISITIONRUN_H
#define TS4720_ACQUISITIONRUN_H

#include "recordingFile.h"
#include "ts4720.h"

#include <QObject>
#include <QString>

#include <atomic>
#include <memory>
#include <random>
#include <vector>

// Scans per callback: a quarter of a second of scans, at least 1.
int callbackThreshold(double scanRate);
// The plot length rounded down to a multiple of the threshold, but not below it.
int roundedPlotLength(int plotLength, int threshold);

// What a start hands to the run; fixed while it runs.
struct runPlan {
    ViSession vi = 0;
    bool demo = false;
    int threshold = 1;
    int numberOfScans = 0;   // 0: until stopped
    double scanRate = 1;     // Hz; -1 with an external clock
    bool timestamps = false;
    bool voltage = false;
    bool coldJunction = false;
    std::vector<int> channels; // enabled channel numbers, in order; window k is channels[k]
    double seeds[TS4720_MAX_CHANNELS] = {}; // demo: starting temperature by channel index
};

class acquisitionRun : public QObject {
    Q_OBJECT
public:
    explicit acquisitionRun(QObject *parent = nullptr);
    ~acquisitionRun() override; // closes the file; the caller has stopped the driver

    // Windows for channelSlots channels of max(scansOnPlot, threshold) values, and read
    // buffers for threshold scans. false when the memory cannot be had.
    bool allocateBuffers(int channelSlots, int scansOnPlot, int threshold);
    void freeBuffers();

    // Creates the local file and writes its header; it stays open until the end of the
    // data or stop(). A "Yes" in an error report closes it first.
    bool openFile(const QString &path, const dataFileSettings &settings, const dataFileColumns &columns,
                  QString *error);
    bool fileOpen() const { return m_fileOpen; }
    bool fileUsed() const { return m_fileUsed; } // this run was given a file
    QString filePath() const { return QString::fromStdString(m_file.path()); }
    long long rowsWritten() const { return m_file.state().scans; }

    // Takes the plan, sets the plot length in use, the first timestamp 0, and running.
    void begin(const runPlan &plan, int plotLength);
    static void callback(ViSession vi, ViInt32 backlog, ViInt16 da_end, ViAddr params);

    // After ts4720_stopAcquisition (no callback runs any more): reads what the instrument
    // still holds into the windows and the file, clears running and closes the file.
    void finish();
    // Demo: one refresh's worth of generated scans; true when the run reached its number
    // of scans (the caller then stops it). current: the live values by channel index.
    bool pumpDemo(const double current[TS4720_MAX_CHANNELS]);
    bool running() const;

    // For the benchmark: the longest wait of a callback for the acquisition data lock.
    double worstLockWaitMs() const { return m_worstLockWaitNs.load() / 1e6; }

signals:
    // The data ended on the instrument's side: problem is empty, or says what ended it
    // (a lost connection). Queued from the callback's thread.
    void ended(const QString &problem);
    // The local file stopped growing (full disk, failed write); sent once per run.
    void fileFailed(const QString &path, const QString &why);

private:
    void onCallback(ViSession vi, ViInt32 backlog, bool dataEnd);
    ViStatus readBlock(ViSession vi, int scans, ViInt32 *remaining, ViInt32 *scansRead);
    void generateDemo(int scans);
    int storeBlock(int scans, int remaining); // returns plotDataPtr
    void placeSegment(int from, int count, int position, int scans);
    double stampOf(int scan) const;
    double timeOf(int scan, long long absolute) const;
    void writeRows(int scans);
    void closeFile();

    runPlan m_plan;
    int m_vpc = 1;
    // Read buffers: written by whoever runs the callback (one at a time: the driver's thread,
    // or the GUI thread in demo mode and in finish(), after the driver's thread ended).
    std::unique_ptr<double[]> m_data;
    std::unique_ptr<ViInt32[]> m_stamps;
    int m_capacity = 0;      // scans the buffers hold
    std::minstd_rand m_random;

    recordingFile m_file;    // has a lock of its own
    std::atomic<bool> m_fileOpen{false};
    std::atomic<bool> m_fileFailTold{false};
    bool m_fileUsed = false; // GUI thread only
    int m_beforeExit = -1;   // GUI thread only
    std::atomic<long long> m_worstLockWaitNs{0};
};

#endif
