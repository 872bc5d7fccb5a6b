// Recycling the arrays of sample copies.
#include "samplePool.h"

#include <QMutexLocker>

#include <limits>
#include <new>

samplePool &samplePool::instance()
{
    // Never destroyed, so copies freed late in the process's exit still find it.
    static samplePool *pool = new samplePool;
    return *pool;
}

// Capacities come in steps of an eighth of a power of two, so a window that grows a little
// from one redraw to the next still finds its arrays.
static long long capacityFor(int count)
{
    long long step = 4096;
    while (step < count / 8)
        step *= 2;
    return (count + step - 1) / step * step;
}

long long samplePool::bytes(int capacity)
{
    return capacity * (long long)sizeof(double) + (capacity / plotSamples::blockSize) * (long long)sizeof(plotSamples::span);
}

plotSamples::storage samplePool::take(int count)
{
    const long long capacity = capacityFor(count);
    if (capacity > std::numeric_limits<int>::max())
        return {};
    {
        const QMutexLocker lock(&m_mutex);
        ++m_takes;
        for (auto it = m_spare.begin(); it != m_spare.end(); ++it) {
            if (it->storage.capacity == capacity) {
                plotSamples::storage found = std::move(it->storage);
                m_spareBytes -= bytes(found.capacity);
                m_spare.erase(it);
                return found;
            }
        }
    }
    plotSamples::storage fresh;
    fresh.values.reset(new (std::nothrow) double[size_t(capacity)]);
    fresh.blocks.reset(new (std::nothrow) plotSamples::span[size_t(capacity / plotSamples::blockSize)]);
    if (!fresh.values || !fresh.blocks)
        return {};
    fresh.capacity = int(capacity);
    return fresh;
}

void samplePool::give(plotSamples::storage storage)
{
    if (storage.capacity == 0)
        return;
    const QMutexLocker lock(&m_mutex);
    m_spareBytes += bytes(storage.capacity);
    m_spare.push_back(spare{std::move(storage), m_takes});
    // Oldest first: too many bytes, or not wanted for a long time.
    while (!m_spare.empty() && (m_spareBytes > maxSpareBytes || m_takes - m_spare.front().givenAt > maxAge)) {
        m_spareBytes -= bytes(m_spare.front().storage.capacity);
        m_spare.pop_front();
    }
}
