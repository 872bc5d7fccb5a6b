// Displayed temperature units.
#include "temperatureUnit.h"

temperatureUnit temperatureUnit::of(QChar code)
{
    const QString degree(QChar(0x00b0));
    if (code == QLatin1Char('F'))
        return {QLatin1Char('F'), degree + QLatin1Char('F'), QStringLiteral("F"), 1.8, 32.0, -459.67, 4532.0};
    if (code == QLatin1Char('K'))
        return {QLatin1Char('K'), QStringLiteral("K"), QStringLiteral("K"), 1.0, 273.15, 0.0, 2773.15};
    return {QLatin1Char('C'), degree + QLatin1Char('C'), QStringLiteral("C"), 1.0, 0.0, -273.15, 2500.0};
}
