// The progress line.
#include "progressLine.h"

#include <charconv>
#include <cmath>

namespace {

// One decimal, without regard to the locale.
std::string oneDecimal(double v)
{
    char text[64];
    const auto result = std::to_chars(text, text + sizeof text, v, std::chars_format::fixed, 1);
    return std::string(text, result.ptr);
}

} // namespace

std::string clockText(double seconds)
{
    const long long s = seconds > 0.0 ? (long long)seconds : 0;
    const long long m = s / 60 % 60, sec = s % 60;
    return std::to_string(s / 3600) + (m < 10 ? ":0" : ":") + std::to_string(m) + (sec < 10 ? ":0" : ":")
           + std::to_string(sec);
}

std::string sizeText(long long bytes)
{
    if (bytes < 1000)
        return std::to_string(bytes) + " B";
    static const char *const units[] = {"kB", "MB", "GB", "TB"};
    double v = double(bytes) / 1000.0;
    int unit = 0;
    for (; v >= 1000.0 && unit < 3; ++unit)
        v /= 1000.0;
    return oneDecimal(v) + " " + units[unit];
}

progressLine::progressLine(bool terminal, bool quiet, long long totalScans, double rate,
                           const std::string &waiting)
    : m_refresh(terminal && !quiet),
      m_interval(terminal && !quiet ? 0.5 : 10.0),
      m_total(totalScans),
      m_rate(rate),
      m_waiting(waiting)
{
}

std::string progressLine::text(const progressSample &s, double measuredRate) const
{
    std::string line = std::to_string(s.scans) + (m_total > 0 ? " of " + std::to_string(m_total) : "") + " scans";
    if (s.scans == 0 && !m_waiting.empty())
        line += ", armed: waiting for " + m_waiting;
    else
        line += ", " + oneDecimal(measuredRate) + " scans/s, backlog " + std::to_string(s.backlog);
    line += ", elapsed " + clockText(s.elapsed);
    if (m_total > 0 && m_rate > 0.0 && s.scans > 0)
        line += ", " + clockText(double(m_total - s.scans) / m_rate) + " left";
    line += ", " + sizeText(s.bytes);
    if (s.reconnectSeconds >= 0)
        line += "; connection lost, reconnecting (" + std::to_string(s.reconnectSeconds) + " s left)";
    return line;
}

std::string progressLine::update(const progressSample &s)
{
    const double since = m_lastTime < 0.0 ? s.elapsed : s.elapsed - m_lastTime;
    const bool reconnecting = s.reconnectSeconds >= 0;
    if (since < m_interval && reconnecting == m_lastReconnecting)
        return std::string();
    m_lastReconnecting = reconnecting;
    m_lastTime = s.elapsed;
    const double window = s.elapsed - m_rateTime;
    if (window >= 10.0 || m_rateTime == 0.0) {
        m_measuredRate = window > 0.0 ? double(s.scans - m_rateScans) / window : 0.0;
        if (window >= 10.0)
            m_rateTime = s.elapsed, m_rateScans = s.scans;
    }
    if (!m_refresh)
        return text(s, m_measuredRate) + "\n";
    m_open = true;
    return "\r" + text(s, m_measuredRate) + "\x1b[K";
}

std::string progressLine::finish()
{
    const bool open = m_open;
    m_open = false;
    return open ? "\n" : std::string();
}
