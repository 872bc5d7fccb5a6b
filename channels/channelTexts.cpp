// Text rules of the channel configuration pages.
#include "channelTexts.h"

#include <cmath>
#include <cstring>

const char *const tc_type_name[] = {"J", "K", "T", "E", "B", "S", "R", "N", "User 1", "User 2", nullptr};

int tcTypeIndex(const char *name)
{
    if (!name)
        return -1;
    for (int i = 0; tc_type_name[i]; ++i) {
        if (std::strcmp(tc_type_name[i], name) == 0)
            return i;
    }
    return -1;
}

namespace {
const QString degreesC = QStringLiteral("\u00b0C");

// QString::toDouble also accepts "nan" and "inf"; neither is a usable setting.
double finiteOrZero(const QString &text)
{
    bool ok = false;
    const double v = text.toDouble(&ok);
    return ok && std::isfinite(v) ? v : 0.0;
}
} // namespace

double thresholdValue(const QString &text)
{
    QString rest = text;
    rest.remove(degreesC, Qt::CaseSensitive);
    return finiteOrZero(rest);
}

QString thresholdText(double celsius)
{
    return QString::number(celsius, 'f', 2) + QLatin1Char(' ') + degreesC;
}

QString normalisedThreshold(const QString &text)
{
    return text.isEmpty() ? QString() : thresholdText(thresholdValue(text));
}

QString instrumentThresholdText(bool on, double celsius)
{
    return on ? QString::number(celsius, 'g', 6) : QString();
}

double coefficientValue(const QString &text)
{
    return finiteOrZero(text);
}

QString coefficientText(double value)
{
    return QString::number(value, 'e', 16);
}

connectionState connectionStateOf(bool enabled, bool haveScan, double scanValue)
{
    if (!enabled)
        return connectionState::Disabled;
    if (!haveScan)
        return connectionState::Unknown;
    return std::isnan(scanValue) ? connectionState::Open : connectionState::Connected;
}

QString connectionStatusText(connectionState state)
{
    switch (state) {
    case connectionState::Disabled:
        return QStringLiteral("<font style='color: #000; font-weight: bold'>-</font>");
    case connectionState::Open:
        return QStringLiteral("<font style='color: #992222; font-weight: bold'>Open</font>");
    case connectionState::Connected:
        return QStringLiteral("<font style='color: #009922; font-weight: bold'>Connected</font>");
    case connectionState::Unknown:
        break;
    }
    // The scan failed: claiming either "Open" or "Connected" would be a guess.
    return QStringLiteral("<font style='color: #000; font-weight: bold'>Unknown</font>");
}
