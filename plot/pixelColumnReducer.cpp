// Per pixel column: first, smallest, largest and last sample of each run between gaps.
#include "pixelColumnReducer.h"

#include <qwt_scale_map.h>

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

const double notANumber = std::numeric_limits<double>::quiet_NaN();

// A stretch of samples without a gap.
struct run {
    int first;
    int last;
    double firstY;
    double lastY;
    double min;
    double max;
};

void extend(run &into, const run &piece)
{
    into.last = piece.last;
    into.lastY = piece.lastY;
    into.min = std::min(into.min, piece.min);
    into.max = std::max(into.max, piece.max);
}

// Collects the runs of one column and appends their points when the column ends.
class columnBuilder {
public:
    columnBuilder(const double *x, QPolygonF &out) : d_x(x), d_out(out) {}

    void addValid(const run &piece)
    {
        if (d_open) {
            extend(d_runs == 1 ? d_head : d_tail, piece);
            return;
        }
        if (d_runs == 0) {
            d_head = piece;
        } else {
            if (d_runs >= 2)
                keepInMiddle(d_tail);
            d_tail = piece;
        }
        ++d_runs;
        d_open = true;
        d_endsWithGap = false;
    }

    void addPoint(int i, double y)
    {
        if (y == y)
            addValid(run{i, i, y, y, y, y});
        else
            addGap();
    }

    void addGap()
    {
        d_gapFirst |= d_runs == 0;
        d_open = false;
        d_endsWithGap = true;
    }

    void finishColumn()
    {
        if (d_gapFirst)
            appendGap();
        if (d_runs > 0)
            appendRun(d_head);
        if (d_hasMiddle) {
            appendGap();
            appendRun(d_middle);
        }
        if (d_runs >= 2) {
            appendGap();
            appendRun(d_tail);
        }
        if (d_endsWithGap)
            appendGap();
        d_runs = 0;
        d_hasMiddle = d_open = d_gapFirst = d_endsWithGap = false;
    }

private:
    void keepInMiddle(const run &r)
    {
        if (d_hasMiddle)
            extend(d_middle, r);
        else
            d_middle = r;
        d_hasMiddle = true;
    }

    void append(double x, double y)
    {
        if (d_out.isEmpty() || d_out.last() != QPointF(x, y))
            d_out.append(QPointF(x, y));
    }

    void appendGap()
    {
        if (!d_out.isEmpty() && !pixelColumnReducer::isGap(d_out.last()))
            d_out.append(QPointF(0.0, notANumber));
    }

    // The extremes sit at the first sample's x: in the same pixel column, so their
    // order does not change which pixels the strokes light.
    void appendRun(const run &r)
    {
        const double x = d_x[r.first];
        append(x, r.firstY);
        append(x, r.min);
        append(x, r.max);
        append(d_x[r.last], r.lastY);
    }

    const double *d_x;
    QPolygonF &d_out;
    run d_head{};
    run d_middle{};
    run d_tail{};
    int d_runs = 0;
    bool d_hasMiddle = false;
    bool d_open = false;
    bool d_gapFirst = false;
    bool d_endsWithGap = false;
};

// Device column of x as the painter rounds it, with everything left or right of the
// canvas in one column each (this also keeps huge values away from integers).
class columnMap {
public:
    columnMap(const QwtScaleMap &map, double left, double right)
        : d_map(map), d_left(std::floor(left) - 1.0), d_right(std::ceil(right))
    {
    }
    double operator()(double x) const
    {
        const double column = std::floor(d_map.transform(x) + 0.5);
        return column < d_left ? d_left : (column > d_right ? d_right : column);
    }

private:
    const QwtScaleMap &d_map;
    double d_left;
    double d_right;
};

// Feeds [from, to) of one column, reading block summaries where a block lies inside.
void feedRange(const plotSamples &y, int from, int to, columnBuilder &column)
{
    const plotSamples::span s = y.summary(from, to);
    if (s.gaps == 0) {
        column.addValid(run{from, to - 1, y[from], y[to - 1], s.min, s.max});
        return;
    }
    if (s.gaps == to - from) {
        column.addGap();
        return;
    }
    const int block = plotSamples::blockSize;
    for (int i = from; i < to;) {
        const int b = i / block;
        if (i % block == 0 && i + block <= to && y.blockGaps(b) == 0) {
            column.addValid(run{i, i + block - 1, y[i], y[i + block - 1], y.blockMin(b), y.blockMax(b)});
            i += block;
        } else if (i % block == 0 && i + block <= to && y.blockGaps(b) == block) {
            column.addGap();
            i += block;
        } else {
            column.addPoint(i, y[i]);
            ++i;
        }
    }
}

// First index in (from, to) whose column lies right of `column`, or to: gallop, then halve.
int columnEnd(const plotSamples &x, int from, int to, double column, const columnMap &columnOf)
{
    int low = from;  // known to be in the column
    int step = 1;
    while (low + step < to && columnOf(x[low + step]) <= column) {
        low += step;
        step = std::min(2 * step, to - low);
    }
    int high = std::min(to, low + step);
    while (high - low > 1) {
        const int middle = low + (high - low) / 2;
        if (columnOf(x[middle]) <= column)
            low = middle;
        else
            high = middle;
    }
    return high;
}

} // namespace

QPolygonF pixelColumnReducer::reduce(const plotSamples &x, const plotSamples &y, int first, int count,
                                     const QwtScaleMap &xMap, double left, double right)
{
    QPolygonF out;
    first = std::max(first, 0);
    const int end = int(std::min<long long>({static_cast<long long>(first) + std::max(count, 0),
                                             x.size(), y.size()}));
    if (first >= end)
        return out;
    const columnMap columnOf(xMap, left, right);
    columnBuilder column(x.data(), out);
    const bool increasing = (xMap.p2() - xMap.p1()) * (xMap.s2() - xMap.s1()) > 0.0;
    if (x.ascending() && increasing) {
        for (int i = first; i < end;) {
            const int next = columnEnd(x, i, end, columnOf(x[i]), columnOf);
            feedRange(y, i, next, column);
            column.finishColumn();
            i = next;
        }
        return out;
    }
    // Times out of order (or a reversed axis): group neighbours that share a column.
    double current = notANumber;
    for (int i = first; i < end; ++i) {
        const double t = x[i];
        if (t != t) {
            column.addGap();
            continue;
        }
        const double c = columnOf(t);
        if (c != current && current == current)
            column.finishColumn();
        current = c;
        column.addPoint(i, y[i]);
    }
    column.finishColumn();
    return out;
}
