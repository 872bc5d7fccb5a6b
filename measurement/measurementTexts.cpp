#include "measurementTexts.h"

QString stateName(int state)
{
    switch (state) {
    case 0: return QStringLiteral("IDLE");
    case 1: return QStringLiteral("ARM");
    case 2: return QStringLiteral("RUNNING");
    default: return QStringLiteral("-");
    }
}

QString clockSourceName(int clockSource)
{
    switch (clockSource) {
    case 0: return QStringLiteral("Internal");
    case 1: return QStringLiteral("PTP");
    case 2: return QStringLiteral("Rear Panel Input 1");
    case 3: return QStringLiteral("Rear Panel Input 2");
    default: return QStringLiteral("-");
    }
}

QString scanRateText(int clockSource, double rate)
{
    if (clockSource == 0 || clockSource == 1)
        return QString::number(rate, 'f', 0);
    if (clockSource == 2 || clockSource == 3)
        return QStringLiteral("External");
    return QStringLiteral("-");
}
