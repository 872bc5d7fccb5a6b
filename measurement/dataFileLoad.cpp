// Loading a data file into the plot windows.
#include "dataFileLoad.h"

#include "acquisitionWindows.h"
#include "loadFileThread.h"
#include "loadedFile.h"
#include "messageBoxes.h"
#include "modelText.h"
#include "trace.h"

#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QProgressDialog>
#include <QTimer>

#include <algorithm>

namespace {

const qint64 megabyte = 1024 * 1024;

QString shownPath(const loadedFileRecord &record)
{
    return QDir::toNativeSeparators(QString::fromLocal8Bit(record.path));
}

} // namespace

qint64 dataFileLoad::systemMemoryLimit()
{
    QFile info(QStringLiteral("/proc/meminfo"));
    if (info.open(QIODevice::ReadOnly)) {
        const QList<QByteArray> fields = info.readLine().simplified().split(' ');
        if (fields.size() == 3 && fields[0] == "MemTotal:" && fields[2] == "kB")
            return fields[1].toLongLong() * 1024 / 2;
    }
    return 2048 * megabyte;
}

qint64 dataFileLoad::bytesNeeded(const loadedFileRecord &record, const loadSelection &selection)
{
    const qint64 windows = qint64(record.presentChannels) + 1;
    return windows * qint64(sizeof(double)) * (qint64(selection.scans) + selection.plotLength);
}

dataFileLoad::dataFileLoad(QWidget *panel, qint64 memoryLimit)
    : m_panel(panel), m_memoryLimit(memoryLimit)
{
}

bool dataFileLoad::fits(const loadedFileRecord &record, const loadSelection &selection)
{
    const qint64 need = bytesNeeded(record, selection);
    if (need <= m_memoryLimit)
        return true;
    messageBoxes::warning(m_panel, ts2900fp_sfpTitle(),
        QStringLiteral("The %1 scans selected from '%2' need %3 MB of memory (%4 channels and their "
                       "times, and a copy of one plot length for drawing), more than the %5 MB this "
                       "program allows itself (half of this computer's memory).\n\nSelect fewer scans "
                       "or a shorter plot length.")
            .arg(selection.scans).arg(shownPath(record)).arg((need + megabyte - 1) / megabyte)
            .arg(record.presentChannels).arg(m_memoryLimit / megabyte));
    return false;
}

int dataFileLoad::load(const loadedFileRecord &record, const loadSelection &selection)
{
    // Refused before anything is freed or allocated: the view keeps what it shows.
    if (selection.scans <= 0 || !fits(record, selection))
        return 0;
    acquisitionWindows &windows = plotWindows();
    trace("Free memory\n");
    windows.free();
    if (!windows.allocate(record.presentChannels, selection.scans, 1)) {
        messageBoxes::warning(m_panel, ts2900fp_sfpTitle(),
                              QStringLiteral("There is not enough memory for %1 scans of '%2'.")
                                  .arg(selection.scans).arg(shownPath(record)));
        return 0;
    }
    double *channelWindows[modelTable::maxChannels] = {};
    {
        // Nothing to draw until the thread has finished: a redraw meanwhile finds no scans.
        const std::lock_guard<std::mutex> locker(acquisitionDataLock());
        windows.plotLength = 0;
        for (int slot = 0; slot < record.presentChannels; ++slot)
            channelWindows[slot] = windows.window(slot);
    }
    loadFileThread thread(record, windows.timeWindow(), channelWindows, selection.first, selection.scans);

    QProgressDialog progress(m_panel);
    progress.setWindowModality(Qt::ApplicationModal);
    if (m_panel)
        progress.setWindowIcon(m_panel->windowIcon());
    progress.setWindowTitle(QStringLiteral("Korvan %1").arg(ts2900fp_modelText()));
    progress.setLabelText(QStringLiteral("Loading..."));
    progress.setRange(0, selection.scans);
    progress.setAutoReset(false);
    progress.setAutoClose(false);
    progress.setMinimumDuration(0);
    QEventLoop waiting;
    QTimer tick;
    tick.setInterval(50);
    QObject::connect(&tick, &QTimer::timeout, &progress, [&] { progress.setValue(thread.progress()); });
    QObject::connect(&progress, &QProgressDialog::canceled, &progress, [&] { thread.cancel(); });
    QObject::connect(&thread, &QThread::finished, &waiting, &QEventLoop::quit);
    thread.start();
    tick.start();
    progress.show();
    if (!thread.isFinished())
        waiting.exec();
    thread.wait();
    tick.stop();
    progress.close();

    const dataFileRowRead &outcome = thread.outcome();
    const int stored = outcome.cancelled ? 0 : outcome.stored.load();
    if (!outcome.cancelled && !thread.result())
        report(record, selection, stored, outcome.opened, outcome.readFailed);
    if (stored == 0) {
        windows.free();
        return 0;
    }
    const std::lock_guard<std::mutex> locker(acquisitionDataLock());
    windows.plotDataPtr = stored;
    windows.plotLength = std::min(selection.plotLength, stored);
    return stored;
}

// One box for a file that could not be read to the end, naming where reading stopped.
void dataFileLoad::report(const loadedFileRecord &record, const loadSelection &selection, int stored,
                          bool opened, bool readFailed)
{
    QString text;
    if (!opened) {
        text = QStringLiteral("Cannot read '%1'.").arg(shownPath(record));
    } else {
        const int row = selection.first + stored + 1;   // counted as "First Scan" counts
        text = QStringLiteral("%1 '%2' stopped at row %3 (line %4 of the file).")
                   .arg(readFailed ? QStringLiteral("Reading") : QStringLiteral("The file ends early: reading"))
                   .arg(shownPath(record)).arg(row).arg(qint64(record.headerLineCount) + row);
        text += stored > 0 ? QStringLiteral(" The %1 scans before it are shown.").arg(stored)
                           : QStringLiteral(" No scans were loaded.");
    }
    messageBoxes::warning(m_panel, ts2900fp_sfpTitle(), text);
}
