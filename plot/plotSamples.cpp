// Copying a window of samples and summarising it block by block in the same pass.
#include "plotSamples.h"

#ifdef __SSE2__
#include <emmintrin.h>
#endif

#include <QMutex>
#include <QtConcurrent/QtConcurrentMap>
#include <QMutexLocker>

#include <algorithm>
#include <atomic>
#include <cfloat>
#include <cmath>
#include <deque>
#include <limits>
#include <new>

namespace {
const double infinity = std::numeric_limits<double>::infinity();
const double notANumber = std::numeric_limits<double>::quiet_NaN();

// Every redraw copies each window anew and frees the copies of the redraw before. Fresh
// memory costs a page fault per 4 KiB on first write, which took longer than the copying
// itself; so freed arrays wait here for the next copy of the same size class.
class storagePool {
public:
    static storagePool &instance()
    {
        static storagePool pool;
        return pool;
    }

    // Capacities come in steps of an eighth of a power of two, so a window that grows a
    // little from one redraw to the next still finds its arrays.
    static long long capacityFor(int count)
    {
        long long step = 4096;
        while (step < count / 8)
            step *= 2;
        return (count + step - 1) / step * step;
    }

    // Empty storage when memory runs out: the curve then shows nothing.
    plotSamples::storage take(int count)
    {
        const long long capacity = capacityFor(count);
        if (capacity > std::numeric_limits<int>::max())
            return {};
        {
            const QMutexLocker lock(&d_mutex);
            for (auto it = d_spare.begin(); it != d_spare.end(); ++it) {
                if (it->capacity == capacity) {
                    plotSamples::storage found = std::move(*it);
                    d_spareBytes -= bytes(capacity);
                    d_spare.erase(it);
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

    // Keeps at most maxSpareBytes, the oldest spare arrays going first.
    void give(plotSamples::storage storage)
    {
        if (storage.capacity == 0)
            return;
        const QMutexLocker lock(&d_mutex);
        d_spareBytes += bytes(storage.capacity);
        d_spare.push_back(std::move(storage));
        while (d_spareBytes > maxSpareBytes) {
            d_spareBytes -= bytes(d_spare.front().capacity);
            d_spare.pop_front();
        }
    }

private:
    static long long bytes(int capacity)
    {
        return capacity * (long long)(sizeof(double) + sizeof(plotSamples::span) / plotSamples::blockSize);
    }

    // Room for the time and 48 channel windows of a million samples each.
    static constexpr long long maxSpareBytes = 512ll * 1024 * 1024;
    QMutex d_mutex;  // protects d_spare and d_spareBytes (copies may die on any thread)
    std::deque<plotSamples::storage> d_spare;
    long long d_spareBytes = 0;
};

void merge(plotSamples::span &into, const plotSamples::span &part)
{
    into.min = std::min(into.min, part.min);
    into.max = std::max(into.max, part.max);
    into.gaps += part.gaps;
}
} // namespace

namespace {

// The running state of a copy: the value before the block and whether all so far ascend.
struct copyState {
    double scale;
    double offset;
    double previous;
    bool ascending;
};

plotSamples::span copyBlock(const double *in, double *out, int n, copyState &state)
{
    plotSamples::span block{infinity, -infinity, 0};
    for (int i = 0; i < n; ++i) {
        double v = in[i] * state.scale + state.offset;
        const bool finite = std::fabs(v) <= DBL_MAX;
        v = finite ? v : notANumber;
        block.gaps += !finite;
        block.min = v < block.min ? v : block.min;  // NaN never wins a comparison
        block.max = v > block.max ? v : block.max;
        state.ascending &= v >= state.previous;
        state.previous = v;
        out[i] = v;
    }
    return block;
}

#ifdef __SSE2__
// The same for a whole block, two samples at a time: this loop touches every sample of
// every channel per redraw, and the compiler does not vectorise the loop above.
plotSamples::span copyWholeBlock(const double *in, double *out, copyState &state)
{
    const __m128d scale = _mm_set1_pd(state.scale);
    const __m128d offset = _mm_set1_pd(state.offset);
    const __m128d magnitude = _mm_castsi128_pd(_mm_set1_epi64x(0x7fffffffffffffffll));
    const __m128d largest = _mm_set1_pd(DBL_MAX);
    const __m128d gap = _mm_set1_pd(notANumber);
    __m128d low = _mm_set1_pd(infinity);
    __m128d high = _mm_set1_pd(-infinity);
    __m128d ordered = _mm_castsi128_pd(_mm_set1_epi64x(-1));
    __m128d before = _mm_set1_pd(state.previous);
    int finite = 0;
    for (int i = 0; i < plotSamples::blockSize; i += 2) {
        __m128d v = _mm_add_pd(_mm_mul_pd(_mm_loadu_pd(in + i), scale), offset);
        const __m128d ok = _mm_cmple_pd(_mm_and_pd(v, magnitude), largest);
        v = _mm_or_pd(_mm_and_pd(ok, v), _mm_andnot_pd(ok, gap));
        const int mask = _mm_movemask_pd(ok);
        finite += (mask & 1) + (mask >> 1);
        _mm_storeu_pd(out + i, v);
        low = _mm_min_pd(v, low);  // a NaN in v keeps the second operand
        high = _mm_max_pd(v, high);
        ordered = _mm_and_pd(ordered, _mm_cmpge_pd(v, _mm_shuffle_pd(before, v, 1)));
        before = v;
    }
    double lows[2], highs[2], last[2];
    _mm_storeu_pd(lows, low);
    _mm_storeu_pd(highs, high);
    _mm_storeu_pd(last, before);
    state.previous = last[1];
    state.ascending &= _mm_movemask_pd(ordered) == 3;
    return {std::min(lows[0], lows[1]), std::max(highs[0], highs[1]), plotSamples::blockSize - finite};
}
#else
plotSamples::span copyWholeBlock(const double *in, double *out, copyState &state)
{
    return copyBlock(in, out, plotSamples::blockSize, state);
}
#endif

} // namespace

plotSamples::ptr plotSamples::copy(const double *values, int count, double scale, double offset)
{
    std::shared_ptr<plotSamples> samples(new plotSamples);
    if (!values || count <= 0)
        return samples;
    samples->d_storage = storagePool::instance().take(count);
    if (samples->d_storage.capacity == 0)
        return samples;
    samples->d_count = count;
    double *out = samples->d_storage.values.get();
    span *blocks = samples->d_storage.blocks.get();
    copyState state{scale, offset, -infinity, true};
    const int whole = count / blockSize;
    span all{infinity, -infinity, 0};
    for (int b = 0; b < whole; ++b) {
        blocks[b] = copyWholeBlock(values + b * blockSize, out + b * blockSize, state);
        merge(all, blocks[b]);
    }
    if (count > whole * blockSize) {
        blocks[whole] = copyBlock(values + whole * blockSize, out + whole * blockSize, count - whole * blockSize, state);
        merge(all, blocks[whole]);
    }
    samples->d_whole = all;
    samples->d_ascending = state.ascending;
    return samples;
}

std::vector<plotSamples::ptr> plotSamples::copyEach(const std::vector<const double *> &windows, int count,
                                                    double scale, double offset)
{
    std::vector<ptr> copies(windows.size());
    std::vector<int> indexes(windows.size());
    for (size_t i = 0; i < indexes.size(); ++i)
        indexes[i] = int(i);
    QtConcurrent::blockingMap(indexes, [&](int i) { copies[size_t(i)] = copy(windows[size_t(i)], count, scale, offset); });
    return copies;
}

plotSamples::plotSamples()
{
    static std::atomic<unsigned long long> lastId{0};
    d_id = ++lastId;
}

plotSamples::~plotSamples()
{
    storagePool::instance().give(std::move(d_storage));
}

plotSamples::span plotSamples::scan(int from, int to) const
{
    span result{infinity, -infinity, 0};
    for (int i = from; i < to; ++i) {
        const double v = d_storage.values[size_t(i)];
        result.gaps += v != v;
        result.min = v < result.min ? v : result.min;
        result.max = v > result.max ? v : result.max;
    }
    return result;
}

plotSamples::span plotSamples::summary(int from, int to) const
{
    from = std::max(from, 0);
    to = std::min(to, d_count);
    if (from == 0 && to == d_count)
        return d_whole;
    if (to - from < 2 * blockSize)
        return scan(from, to);
    const int firstBlock = (from + blockSize - 1) / blockSize;
    const int endBlock = to / blockSize;
    span result = scan(from, firstBlock * blockSize);
    for (int b = firstBlock; b < endBlock; ++b)
        merge(result, d_storage.blocks[size_t(b)]);
    merge(result, scan(endBlock * blockSize, to));
    return result;
}
