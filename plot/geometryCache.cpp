// A small table of recent curve geometries, oldest overwritten first.
#include "geometryCache.h"

#include "pixelColumnReducer.h"

#include <qwt_scale_map.h>

#include <QMutex>
#include <QMutexLocker>

#include <algorithm>
#include <array>

namespace {

struct key {
    unsigned long long time;
    unsigned long long values;
    int first;
    int count;
    std::array<double, 12> view;  // both maps, the canvas, rounding

    bool operator==(const key &o) const
    {
        return time == o.time && values == o.values && first == o.first && count == o.count && view == o.view;
    }
};

struct entry {
    key k{};
    std::shared_ptr<const curveGeometry> geometry;
};

// Three panes of 48 curves, with room to spare.
const int entries = 192;

QMutex tableMutex;  // protects table and next
std::array<entry, entries> table;
int next = 0;

} // namespace

std::shared_ptr<const curveGeometry> geometryCache::get(const plotSamples &x, const plotSamples &y, int first,
                                                        int count, const QwtScaleMap &xMap, const QwtScaleMap &yMap,
                                                        const QRectF &canvas, bool round)
{
    const key k{x.id(),
                y.id(),
                first,
                count,
                {xMap.s1(), xMap.s2(), xMap.p1(), xMap.p2(), yMap.s1(), yMap.s2(), yMap.p1(), yMap.p2(), canvas.left(),
                 canvas.top(), canvas.right(), canvas.bottom() + (round ? 0.5 : 0.0)}};
    {
        const QMutexLocker lock(&tableMutex);
        const auto found = std::find_if(table.begin(), table.end(), [&](const entry &e) { return e.k == k; });
        if (found != table.end() && found->geometry)
            return found->geometry;
    }
    const QPolygonF reduced = pixelColumnReducer::reduce(x, y, first, count, xMap, canvas.left(), canvas.right());
    // The clip edges lie outside the canvas by more than the pen, so lines there never show.
    const QRectF clip = canvas.adjusted(-3.0, -3.0, 3.0, 3.0);
    auto geometry = std::make_shared<const curveGeometry>(reduced, xMap, yMap, clip, round);
    const QMutexLocker lock(&tableMutex);
    table[size_t(next)] = entry{k, geometry};
    next = (next + 1) % entries;
    return geometry;
}
