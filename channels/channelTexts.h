// The thermocouple type list and the text rules of the channel pages: threshold and
// coefficient texts, connection status texts. Plain functions, no widgets.
#ifndef TS4720_CHANNELTEXTS_H
#define TS4720_CHANNELTEXTS_H

#include <QString>

// The thermocouple types in index order, null-terminated; the names the driver receives.
extern const char *const tc_type_name[];
constexpr int tcTypeCount = 10;

// Index of a type name (exact, case-sensitive), -1 when it names no type.
int tcTypeIndex(const char *name);

// Threshold text to °C: "°C" removed, the rest read as a number; text that is not a
// finite number gives 0.
double thresholdValue(const QString &text);
// A threshold as shown in the table: two decimals, a blank and "°C".
QString thresholdText(double celsius);
// The shown form of a typed threshold; an empty text stays empty.
QString normalisedThreshold(const QString &text);
// The text for a threshold read from the instrument: empty when the alert is off.
QString instrumentThresholdText(bool on, double celsius);

// Coefficient text to value; text that is not a finite number gives 0.
double coefficientValue(const QString &text);
// Exponential notation with 16 digits after the point, e.g. 1.0000000000000000e+00.
QString coefficientText(double value);

enum class connectionState { Disabled, Open, Connected, Unknown };
// Disabled whatever the scan says; Unknown when enabled but no scan could be read.
connectionState connectionStateOf(bool enabled, bool haveScan, double scanValue);
QString connectionStatusText(connectionState state);

#endif
