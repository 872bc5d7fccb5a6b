// The process-wide plot windows and the acquisition data lock.
#include "acquisitionWindows.h"

#include <algorithm>

std::mutex &acquisitionDataLock()
{
    static std::mutex mutex; // guards plotWindows(): contents, counters, allocation
    return mutex;
}

acquisitionWindows &plotWindows()
{
    static acquisitionWindows windows;
    return windows;
}

bool acquisitionWindows::allocate(int channels, int scansOnPlot, int callbackThreshold)
{
    letGo();
    const std::lock_guard<std::mutex> locker(acquisitionDataLock());
    plotDataPtr = 0;
    plotOffset = 0;
    backlog = 0;
    running = false;
    release();
    const int length = std::max(scansOnPlot, callbackThreshold);
    if (channels < 0 || channels > TS4720_MAX_CHANNELS || scansOnPlot <= 0 || callbackThreshold <= 0)
        return false;
    // calloc hands out zeroed pages without touching them, and says when there are none.
    auto zeroed = [length] { return buffer(static_cast<double *>(std::calloc(std::size_t(length), sizeof(double)))); };
    for (int slot = 0; slot < channels; ++slot) {
        m_windows[slot] = zeroed();
        if (!m_windows[slot]) {
            release();
            return false;
        }
    }
    m_time = zeroed();
    if (!m_time) {
        release();
        return false;
    }
    m_channels = channels;
    m_dataLength = length;
    return true;
}

void acquisitionWindows::free()
{
    letGo();
    const std::lock_guard<std::mutex> locker(acquisitionDataLock());
    release();
}

void acquisitionWindows::release()
{
    for (buffer &window : m_windows)
        window.reset();
    m_time.reset();
    m_channels = 0;
    m_dataLength = 0;
}

double *acquisitionWindows::window(int slot) const
{
    return slot >= 0 && slot < m_channels ? m_windows[slot].get() : nullptr;
}

void acquisitionWindows::addReleaseListener(const void *owner, std::function<void()> letGo)
{
    const std::lock_guard<std::mutex> locker(m_listenersLock);
    m_listeners.emplace_back(owner, std::move(letGo));
}

void acquisitionWindows::removeReleaseListener(const void *owner)
{
    const std::lock_guard<std::mutex> locker(m_listenersLock);
    m_listeners.erase(std::remove_if(m_listeners.begin(), m_listeners.end(),
                                     [owner](const auto &entry) { return entry.first == owner; }),
                      m_listeners.end());
}

void acquisitionWindows::letGo()
{
    decltype(m_listeners) listeners;
    {
        const std::lock_guard<std::mutex> locker(m_listenersLock);
        listeners = m_listeners;
    }
    for (const auto &entry : listeners)
        entry.second();
}
