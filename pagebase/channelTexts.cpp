// Text rules of the channel configuration pages.
#include "channelTexts.h"

#include "dataFileNumbers.h"

#include <QByteArray>

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
} // namespace

bool parseTypedNumber(const QString &text, double *value)
{
    // Characters outside Latin-1 become '?', which no number holds.
    QByteArray latin = text.trimmed().toLatin1();
    if (latin.contains(',')) {
        // One decimal comma; "1.000,5" or "1,000.5" would be a guess at a grouping.
        if (latin.contains('.') || latin.count(',') > 1)
            return false;
        latin.replace(',', '.');
    }
    double parsed = 0;
    if (!parseValueField(latin.constData(), latin.constData() + latin.size(), parsed) || !std::isfinite(parsed))
        return false;
    *value = parsed;
    return true;
}

bool parseThreshold(const QString &text, bool *on, double *celsius)
{
    QString number = text.trimmed();
    if (number.isEmpty()) {
        *on = false;
        *celsius = 0.0;
        return true;
    }
    if (number.endsWith(degreesC))
        number.chop(degreesC.size());
    if (!parseTypedNumber(number, celsius))
        return false;
    *on = true;
    return true;
}

double thresholdValue(const QString &text)
{
    bool on = false;
    double celsius = 0.0;
    return parseThreshold(text, &on, &celsius) ? celsius : 0.0;
}

QString thresholdText(double celsius)
{
    return QString::number(celsius, 'f', 2) + QLatin1Char(' ') + degreesC;
}

QString normalisedThreshold(const QString &text)
{
    bool on = false;
    double celsius = 0.0;
    if (!parseThreshold(text, &on, &celsius))
        return text;
    return on ? thresholdText(celsius) : QString();
}

QString instrumentThresholdText(bool on, double celsius)
{
    return on ? QString::number(celsius, 'g', 6) : QString();
}

double coefficientValue(const QString &text)
{
    double value = 0.0;
    return parseTypedNumber(text, &value) ? value : 0.0;
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
