// Slider arithmetic of the Waveforms view in viewer mode.
#include "plotPaging.h"

#include <algorithm>

plotPaging plotPaging::of(int scans, int plotLength)
{
    plotPaging p;
    p.scans = std::max(scans, 0);
    p.plotLength = plotLength < 1 || plotLength > p.scans ? p.scans : plotLength;
    p.scrollStep = std::max(p.plotLength / 5, 1);
    p.sliderMaximum = (p.scans - p.plotLength) / p.scrollStep;
    return p;
}

plotPaging::range plotPaging::shown(int sliderValue) const
{
    range r;
    const long long first = (long long)std::clamp(sliderValue, 0, sliderMaximum) * scrollStep;
    r.first = int(std::min<long long>(first, std::max(scans - 1, 0)));
    r.count = plotLength;
    if (r.first + r.count > scans || sliderValue >= sliderMaximum)
        r.count = scans - r.first;
    return r;
}
