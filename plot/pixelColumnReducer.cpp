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
    columnBuilder(const double *x, QPolygonF &out) : m_x(x), m_out(out) {}

    void addValid(const run &piece)
    {
        if (m_open) {
            extend(m_runs == 1 ? m_head : m_tail, piece);
            return;
        }
        if (m_runs == 0) {
            m_head = piece;
        } else {
            if (m_runs >= 2)
                keepInMiddle(m_tail);
            m_tail = piece;
        }
        ++m_runs;
        m_open = true;
        m_endsWithGap = false;
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
        m_gapFirst |= m_runs == 0;
        m_open = false;
        m_endsWithGap = true;
    }

    void finishColumn()
    {
        if (m_gapFirst)
            appendGap();
        if (m_runs > 0)
            appendRun(m_head);
        if (m_hasMiddle) {
            appendGap();
            appendRun(m_middle);
        }
        if (m_runs >= 2) {
            appendGap();
            appendRun(m_tail);
        }
        if (m_endsWithGap)
            appendGap();
        m_runs = 0;
        m_hasMiddle = m_open = m_gapFirst = m_endsWithGap = false;
    }

private:
    void keepInMiddle(const run &r)
    {
        if (m_hasMiddle)
            extend(m_middle, r);
        else
            m_middle = r;
        m_hasMiddle = true;
    }

    void append(double x, double y)
    {
        // Exact comparison: QPointF's own is fuzzy.
        if (m_out.isEmpty() || m_out.last().x() != x || m_out.last().y() != y)
            m_out.append(QPointF(x, y));
    }

    void appendGap()
    {
        if (!m_out.isEmpty() && !pixelColumnReducer::isGap(m_out.last()))
            m_out.append(QPointF(0.0, notANumber));
    }

    // The extremes sit at the first sample's x: in the same pixel column, so their
    // order does not change which pixels the strokes light.
    void appendRun(const run &r)
    {
        const double x = m_x[r.first];
        append(x, r.firstY);
        append(x, r.min);
        append(x, r.max);
        append(m_x[r.last], r.lastY);
    }

    const double *m_x;
    QPolygonF &m_out;
    run m_head{};
    run m_middle{};
    run m_tail{};
    int m_runs = 0;
    bool m_hasMiddle = false;
    bool m_open = false;
    bool m_gapFirst = false;
    bool m_endsWithGap = false;
};

// Device column of x as the painter rounds it, with everything left or right of the
// canvas in one column each (this also keeps huge values away from integers).
class columnMap {
public:
    columnMap(const QwtScaleMap &map, double left, double right)
        : m_map(map), m_left(std::floor(left) - 1.0), m_right(std::ceil(right))
    {
    }
    // The time at device position p.
    double timeAt(double p) const { return m_map.invTransform(p); }
    // The columns that hold everything left and right of the canvas.
    double leftmost() const { return m_left; }
    double rightmost() const { return m_right; }
    double operator()(double x) const
    {
        const double column = std::floor(m_map.transform(x) + 0.5);
        return column < m_left ? m_left : (column > m_right ? m_right : column);
    }

private:
    const QwtScaleMap &m_map;
    double m_left;
    double m_right;
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

// First index in (from, to) whose column lies right of `column`, or to. The search starts
// where the column's right edge would be if the samples were evenly spaced in time (they
// nearly always are, so one or two probes find it), then gallops and halves from there.
int columnEnd(const plotSamples &x, int from, int to, double column, const columnMap &columnOf)
{
    const auto inColumn = [&](long long i) { return columnOf(x[int(i)]) <= column; };
    long long low = from;  // in the column
    long long high = to;   // beyond it (or the end)
    long long guess = from + 1;
    const double span = x[to - 1] - x[from];
    const double share = span > 0.0 ? (columnOf.timeAt(column + 0.5) - x[from]) / span : 0.0;
    if (share > 0.0)
        guess = from + std::max(1ll, (long long)(std::min(1.0, share) * (to - 1 - from)));
    if (guess >= to)
        return to;
    if (inColumn(guess)) {
        low = guess;
        for (long long step = 1; low + step < high; step *= 2) {
            if (!inColumn(low + step)) {
                high = low + step;
                break;
            }
            low += step;
        }
    } else {
        high = guess;
        for (long long step = 1; high - step > low; step *= 2) {
            if (inColumn(high - step)) {
                low = high - step;
                break;
            }
            high -= step;
        }
    }
    while (high - low > 1) {
        const long long middle = low + (high - low) / 2;
        if (inColumn(middle))
            low = middle;
        else
            high = middle;
    }
    return int(high);
}

// Samples in ascending time: whole columns at a time, found by searching the times.
void reduceAscending(const plotSamples &x, const plotSamples &y, int first, int end, const columnMap &columnOf,
                     columnBuilder &column)
{
    const auto firstRightOf = [&](int from, double c) {
        return int(std::partition_point(x.data() + from, x.data() + end, [&](double t) { return columnOf(t) <= c; })
                   - x.data());
    };
    const int inView = firstRightOf(first, columnOf.leftmost());
    const int pastView = firstRightOf(inView, columnOf.rightmost() - 1.0);
    if (inView > first) {
        feedRange(y, first, inView, column);
        column.finishColumn();
    }
    if (pastView - inView <= 2 * int(columnOf.rightmost() - columnOf.leftmost())) {
        // Zoomed in: hardly more samples than columns, so every one is kept as it is.
        for (int i = inView; i < pastView; ++i) {
            column.addPoint(i, y[i]);
            column.finishColumn();
        }
    } else {
        for (int i = inView; i < pastView;) {
            const int next = columnEnd(x, i, pastView, columnOf(x[i]), columnOf);
            feedRange(y, i, next, column);
            column.finishColumn();
            i = next;
        }
    }
    if (pastView < end) {
        feedRange(y, pastView, end, column);
        column.finishColumn();
    }
}

// Times out of order (or a reversed axis): neighbours that share a column are grouped.
void reduceInOrder(const plotSamples &x, const plotSamples &y, int first, int end, const columnMap &columnOf,
                   columnBuilder &column)
{
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
    out.reserve(int(std::min<double>(end - first, 4.0 * std::min(right - left + 4.0, 65536.0))));
    columnBuilder column(x.data(), out);
    const bool increasing = (xMap.p2() - xMap.p1()) * (xMap.s2() - xMap.s1()) > 0.0;
    if (x.ascending() && increasing)
        reduceAscending(x, y, first, end, columnOf, column);
    else
        reduceInOrder(x, y, first, end, columnOf, column);
    return out;
}
