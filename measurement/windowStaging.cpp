// The Waveforms view's copy of the plot windows.
#include "windowStaging.h"

#include "acquisitionWindows.h"

#include <algorithm>
#include <cstring>

void windowStaging::take(const acquisitionWindows &w, int windows, int available, bool full)
{
    const int length = std::min(w.plotLength, w.dataLength());
    const long long total = (long long)w.plotDataPtr + w.plotOffset;
    // Position 0 of the windows holds scan `base`: 0 in the first pass, then total - length.
    const long long base = total - available, oldBase = m_total - m_available;
    const bool sameRun = !full && w.timeWindow() == m_source && length == m_length && windows == m_windows
                         && m_total >= 0 && total >= m_total && base >= oldBase;
    m_shift = sameRun ? int(std::min<long long>(base - oldBase, m_available)) : m_available;
    m_from = sameRun ? m_available - m_shift : 0;
    m_source = w.timeWindow();
    m_total = total;
    m_length = length;
    m_windows = windows;
    m_available = available;
    const size_t times = size_t(std::max(length - m_from, 0)), values = size_t(std::max(available - m_from, 0));
    m_incoming.resize(times + size_t(windows) * values);
    if (times)
        std::memcpy(m_incoming.data(), w.timeWindow() + m_from, times * sizeof(double));
    for (int k = 0; k < windows && values; ++k)
        std::memcpy(m_incoming.data() + times + size_t(k) * values, w.window(k) + m_from, values * sizeof(double));
}

void windowStaging::apply()
{
    m_time.resize(size_t(m_length));
    const size_t needed = size_t(m_length) * size_t(m_windows);
    if (needed > m_capacity) { // only when the length or the windows changed: nothing is kept then
        m_values.reset(new double[needed]);
        m_capacity = needed;
    }
    const size_t times = size_t(std::max(m_length - m_from, 0)), values = size_t(std::max(m_available - m_from, 0));
    const size_t kept = size_t(m_from);
    for (int k = 0; k < m_windows; ++k) {
        double *window = m_values.get() + size_t(k) * size_t(m_length);
        if (m_shift > 0 && kept > 0)
            std::memmove(window, window + m_shift, kept * sizeof(double));
        std::copy_n(m_incoming.data() + times + size_t(k) * values, values, window + m_from);
    }
    if (m_shift > 0 && kept > 0)
        std::memmove(m_time.data(), m_time.data() + m_shift, kept * sizeof(double));
    std::copy_n(m_incoming.data(), times, m_time.data() + m_from);
}
