// The thermocouple type list and the text rules of channel settings: threshold and
// coefficient texts, connection status texts. Plain functions, no widgets.
#ifndef TS4720_CHANNELTEXTS_H
#define TS4720_CHANNELTEXTS_H

#include <QString>

// The thermocouple types in index order, null-terminated; the names the driver receives.
extern const char *const tc_type_name[];
constexpr int tcTypeCount = 10;

// Index of a type name (exact, case-sensitive), -1 when it names no type.
int tcTypeIndex(const char *name);

// A number as the user types it, whatever the process locale: blanks around it, "." or
// "," as the decimal separator, an exponent. False for anything else, "nan" and "inf"
// included; *value is then left alone.
bool parseTypedNumber(const QString &text, double *value);

// A threshold as typed: empty (no alert), or a number in °C with an optional "°C" after
// it. False for any other text.
bool parseThreshold(const QString &text, bool *on, double *celsius);
// The °C of a threshold text that parseThreshold accepts; 0 for an empty or refused text.
double thresholdValue(const QString &text);
// A threshold as shown in the table: two decimals, a blank and "°C".
QString thresholdText(double celsius);
// The shown form of a typed threshold; an empty text stays empty, a refused one as it is.
QString normalisedThreshold(const QString &text);
// The text for a threshold read from the instrument: empty when the alert is off.
QString instrumentThresholdText(bool on, double celsius);

// The value of a coefficient text that parseTypedNumber accepts; 0 for a refused one.
double coefficientValue(const QString &text);
// Exponential notation with 16 digits after the point, e.g. 1.0000000000000000e+00.
QString coefficientText(double value);

enum class connectionState { Disabled, Open, Connected, Unknown };
// Disabled whatever the scan says; Unknown when enabled but no scan could be read.
connectionState connectionStateOf(bool enabled, bool haveScan, double scanValue);
QString connectionStatusText(connectionState state);

#endif
