// The texts that name acquisition states, clock sources and scan rates.
#ifndef TS4720_MEASUREMENTTEXTS_H
#define TS4720_MEASUREMENTTEXTS_H

#include <QString>

// 0 "IDLE", 1 "ARM", 2 "RUNNING", otherwise "-".
QString stateName(int state);
// 0 "Internal", 1 "PTP", 2/3 "Rear Panel Input 1/2", otherwise "-".
QString clockSourceName(int clockSource);
// The rate without decimals for the internal and PTP clocks, "External" for a rear-panel
// clock, otherwise "-".
QString scanRateText(int clockSource, double rate);

#endif
