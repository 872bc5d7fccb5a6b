// Thermoelectric voltage of the thermocouple types the instrument knows: the standard
// reference functions for the letter types and the user polynomials for "User 1"/"User 2".
#ifndef TSSIM_THERMOCOUPLE_H
#define TSSIM_THERMOCOUPLE_H

#include <string>
#include <vector>

namespace tssim {

// Type indexes follow the instrument's type list: J K T E B S R N "User 1" "User 2".
enum { TcTypeCount = 10, TcUser1 = 8, TcUser2 = 9 };

// The type's name as the instrument reports it ("J" ... "User 2").
const char *thermocoupleTypeName(int type);
// Index of a type name, case-insensitive; -1 for an unknown name.
int thermocoupleTypeIndex(const std::string &name);

// Voltage in mV against a 0 °C reference junction for a letter type (0..7), from the
// reference polynomials; outside a type's range the nearest range's polynomial is used.
double referenceEmf(int type, double celsius);
// Voltage in mV of a user type: sum of c[k] * t^k.
double userEmf(const std::vector<double> &coefficients, double celsius);

} // namespace tssim

#endif
