// Copying a window of samples and summarising it block by block in the same pass.
#include "plotSamples.h"

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <limits>

namespace {
const double infinity = std::numeric_limits<double>::infinity();
const double notANumber = std::numeric_limits<double>::quiet_NaN();

void merge(plotSamples::span &into, const plotSamples::span &part)
{
    into.min = std::min(into.min, part.min);
    into.max = std::max(into.max, part.max);
    into.gaps += part.gaps;
}
} // namespace

plotSamples::ptr plotSamples::copy(const double *values, int count, double scale, double offset)
{
    std::shared_ptr<plotSamples> samples(new plotSamples);
    if (!values || count <= 0)
        return samples;
    const int blocks = (count + blockSize - 1) / blockSize;
    samples->d_count = count;
    samples->d_values.reset(new double[size_t(count)]);
    samples->d_blocks.reset(new span[size_t(blocks)]);
    double *out = samples->d_values.get();
    double previous = -infinity;
    bool ascending = true;
    // Branch-free on purpose: this loop touches every sample of every channel per redraw.
    for (int b = 0; b < blocks; ++b) {
        const int from = b * blockSize;
        const int to = std::min(count, from + blockSize);
        span block{infinity, -infinity, 0};
        for (int i = from; i < to; ++i) {
            double v = values[i] * scale + offset;
            const bool finite = std::fabs(v) <= DBL_MAX;
            v = finite ? v : notANumber;
            block.gaps += !finite;
            block.min = v < block.min ? v : block.min;  // NaN never wins a comparison
            block.max = v > block.max ? v : block.max;
            ascending &= v >= previous;
            previous = v;
            out[i] = v;
        }
        samples->d_blocks[size_t(b)] = block;
    }
    samples->d_ascending = ascending;
    return samples;
}

plotSamples::span plotSamples::scan(int from, int to) const
{
    span result{infinity, -infinity, 0};
    for (int i = from; i < to; ++i) {
        const double v = d_values[size_t(i)];
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
    if (to - from < 2 * blockSize)
        return scan(from, to);
    const int firstBlock = (from + blockSize - 1) / blockSize;
    const int endBlock = to / blockSize;
    span result = scan(from, firstBlock * blockSize);
    for (int b = firstBlock; b < endBlock; ++b)
        merge(result, d_blocks[size_t(b)]);
    merge(result, scan(endBlock * blockSize, to));
    return result;
}
