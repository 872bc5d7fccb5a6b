// Copying a window of samples and summarising it block by block in the same pass.
#include "plotSamples.h"

#include "samplePool.h"

#ifdef __SSE2__
#include <emmintrin.h>
#endif

#include <QtConcurrent/QtConcurrentMap>

#include <algorithm>
#include <atomic>
#include <cfloat>
#include <cmath>
#include <limits>
#include <new>

namespace {
const double infinity = std::numeric_limits<double>::infinity();
const double notANumber = std::numeric_limits<double>::quiet_NaN();

void merge(plotSamples::span &into, const plotSamples::span &part)
{
    into.min = std::min(into.min, part.min);
    into.max = std::max(into.max, part.max);
    into.gaps += part.gaps;
}

// The running state of a copy: the value before the block and whether all so far ascend.
struct copyState {
    double scale;
    double offset;
    double previous;
    bool ascending;
};

// store: writes the converted samples to out; else only summarises them (a borrowed window).
template <bool store>
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
        if constexpr (store)
            out[i] = v;
    }
    return block;
}

#ifdef __SSE2__
// The same for a whole block, two samples at a time: this loop touches every sample of
// every channel per redraw, and the compiler does not vectorise the loop above.
template <bool store>
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
        if constexpr (store)
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
template <bool store>
plotSamples::span copyWholeBlock(const double *in, double *out, copyState &state)
{
    return copyBlock<store>(in, out, plotSamples::blockSize, state);
}
#endif

// Converts (when store) and summarises count samples block by block; the whole summary.
template <bool store>
plotSamples::span copyAll(const double *values, double *out, plotSamples::span *blocks, int count, copyState &state)
{
    const int whole = count / plotSamples::blockSize;
    const int bs = plotSamples::blockSize;
    plotSamples::span all{infinity, -infinity, 0};
    for (int b = 0; b < whole; ++b) {
        blocks[b] = copyWholeBlock<store>(values + b * bs, out + (store ? b * bs : 0), state);
        merge(all, blocks[b]);
    }
    if (count > whole * bs) {
        blocks[whole] = copyBlock<store>(values + whole * bs, out + (store ? whole * bs : 0), count - whole * bs, state);
        merge(all, blocks[whole]);
    }
    return all;
}

} // namespace

plotSamples::ptr plotSamples::copy(const double *values, int count, double scale, double offset)
{
    std::shared_ptr<plotSamples> samples(new plotSamples);
    if (!values || count <= 0)
        return samples;
    samples->m_storage = samplePool::instance().take(count);
    if (samples->m_storage.capacity == 0)
        return samples;
    samples->m_count = count;
    samples->m_values = samples->m_storage.values.get();
    copyState state{scale, offset, -infinity, true};
    const span all = copyAll<true>(values, samples->m_storage.values.get(), samples->m_storage.blocks.get(), count, state);
    samples->m_whole = all;
    samples->m_ascending = state.ascending;
    return samples;
}

plotSamples::ptr plotSamples::borrow(const double *values, int count, double scale, double offset)
{
    std::shared_ptr<plotSamples> samples(new plotSamples);
    if (!values || count <= 0)
        return samples;
    // Only the summaries are this object's own (not pooled: the pool keeps value arrays).
    samples->m_storage.blocks.reset(new (std::nothrow) span[size_t((count + blockSize - 1) / blockSize)]);
    if (!samples->m_storage.blocks)
        return samples;
    samples->m_count = count;
    samples->m_values = values;
    samples->m_scale = scale;
    samples->m_offset = offset;
    samples->m_borrowed = true;
    copyState state{scale, offset, -infinity, true};
    samples->m_whole = copyAll<false>(values, nullptr, samples->m_storage.blocks.get(), count, state);
    samples->m_ascending = state.ascending;
    return samples;
}

namespace {
// make(i) for every window, spread over the process's thread pool.
template <typename Make>
std::vector<plotSamples::ptr> makeEach(size_t windows, Make make)
{
    std::vector<plotSamples::ptr> made(windows);
    std::vector<int> indexes(windows);
    for (size_t i = 0; i < indexes.size(); ++i)
        indexes[i] = int(i);
    QtConcurrent::blockingMap(indexes, [&](int i) { made[size_t(i)] = make(size_t(i)); });
    return made;
}
} // namespace

std::vector<plotSamples::ptr> plotSamples::copyEach(const std::vector<const double *> &windows, int count,
                                                    double scale, double offset)
{
    return makeEach(windows.size(), [&](size_t i) { return copy(windows[i], count, scale, offset); });
}

std::vector<plotSamples::ptr> plotSamples::borrowEach(const std::vector<const double *> &windows, int count,
                                                      double scale, double offset)
{
    return makeEach(windows.size(), [&](size_t i) { return borrow(windows[i], count, scale, offset); });
}

plotSamples::plotSamples()
{
    static std::atomic<unsigned long long> lastId{0};
    m_id = ++lastId;
}

plotSamples::~plotSamples()
{
    samplePool::instance().give(std::move(m_storage));
}

plotSamples::span plotSamples::scan(int from, int to) const
{
    span result{infinity, -infinity, 0};
    for (int i = from; i < to; ++i) {
        const double v = (*this)[i];
        result.gaps += v != v;
        result.min = v < result.min ? v : result.min;
        result.max = v > result.max ? v : result.max;
    }
    return result;
}

plotSamples::span plotSamples::summary(int from, int to) const
{
    from = std::max(from, 0);
    to = std::min(to, m_count);
    if (from == 0 && to == m_count)
        return m_whole;
    if (to - from < 2 * blockSize)
        return scan(from, to);
    const int firstBlock = (from + blockSize - 1) / blockSize;
    const int endBlock = to / blockSize;
    span result = scan(from, firstBlock * blockSize);
    for (int b = firstBlock; b < endBlock; ++b)
        merge(result, m_storage.blocks[size_t(b)]);
    merge(result, scan(endBlock * blockSize, to));
    return result;
}
