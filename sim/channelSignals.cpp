// Smooth, deterministic signals: every value is a function of the instrument time, so a
// scan taken late (scans are produced lazily) reads what it would have read on time.
#include "channelSignals.h"

#include "thermocouple.h"

#include <cmath>

namespace tssim {

namespace {

const double twoPi = 6.283185307179586;

double seconds(long long timeNs)
{
    // Reduced to a day so that the sines keep their precision.
    return static_cast<double>(timeNs % 86400000000000LL) / 1e9;
}

// A deterministic noise in [-1, 1] from a time slot and a channel.
double noise(long long slot, int index)
{
    unsigned long long x = static_cast<unsigned long long>(slot) * 6364136223846793005ULL +
                           static_cast<unsigned long long>(index + 1) * 1442695040888963407ULL;
    x ^= x >> 29;
    x *= 0xbf58476d1ce4e5b9ULL;
    x ^= x >> 32;
    return static_cast<double>(x % 2000001ULL) / 1000000.0 - 1.0;
}

} // namespace

ChannelSignals::ChannelSignals()
{
    for (int i = 0; i < MaxChannels; ++i) {
        m_open[i] = false;
        m_fixed[i] = false;
        m_fixedValue[i] = 0.0;
    }
}

double ChannelSignals::trueTemperature(int index, long long timeNs) const
{
    if (m_fixed[index])
        return m_fixedValue[index];
    const double t = seconds(timeNs);
    const double base = 21.0 + 0.05 * index;
    const double drift = 1.5 * std::sin(twoPi * t / (90.0 + 7.0 * index) + index);
    const double ripple = 0.05 * std::sin(twoPi * t / (3.0 + 0.1 * index) + 2.0 * index);
    return base + drift + ripple;
}

double ChannelSignals::coldJunction(long long timeNs) const
{
    return 24.0 + 0.3 * std::sin(twoPi * seconds(timeNs) / 600.0);
}

ChannelReading ChannelSignals::read(int index, long long timeNs, const ChannelSettings &channel,
                                    const InstrumentSettings &settings) const
{
    const double cj = coldJunction(timeNs);
    if (m_open[index]) {
        if (channel.otd) {
            const double nan = std::nan("");
            return {nan, nan, nan};
        }
        const long long slot = timeNs / 1000000LL;
        return {2000.0 + 25.0 * noise(slot, index), 80.0 + 0.5 * noise(slot, index + 100), cj};
    }
    const double temperature = trueTemperature(index, timeNs);
    double voltage = 0.0;
    if (channel.type == TcUser1 || channel.type == TcUser2) {
        const std::vector<double> &c = settings.user[channel.type - TcUser1];
        voltage = userEmf(c, temperature) - userEmf(c, cj);
    } else {
        voltage = referenceEmf(channel.type, temperature) - referenceEmf(channel.type, cj);
    }
    return {temperature, voltage, cj};
}

void ChannelSignals::setFixedTemperature(int index, double celsius)
{
    m_fixed[index] = true;
    m_fixedValue[index] = celsius;
}

void ChannelSignals::clearFixedTemperature(int index)
{
    m_fixed[index] = false;
}

} // namespace tssim
