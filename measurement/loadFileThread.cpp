// The file-loading thread.
#include "loadFileThread.h"

#include <algorithm>

loadFileThread::loadFileThread(const loadedFileRecord &record, double *timeWindow,
                               double *const *channelWindows, int first, int count, QObject *parent)
    : QThread(parent), m_record(record), m_timeWindow(timeWindow), m_first(first), m_count(count)
{
    if (channelWindows)
        std::copy(channelWindows, channelWindows + modelTable::maxChannels, m_channelWindows);
    m_run.cancel = &m_cancel;
}

void loadFileThread::run()
{
    const int status = readDataFileRows(m_record, m_first, m_count, m_timeWindow, m_channelWindows, m_run);
    m_result = status == 0 && !m_run.cancelled && !m_run.endedEarly && !m_run.readFailed;
}
