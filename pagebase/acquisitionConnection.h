// The connection of a running acquisition as the panel shows it: while the driver reconnects
// (the LED, the Waveforms status line) and the scans a run lost when it could not.
#ifndef TS4720_ACQUISITIONCONNECTION_H
#define TS4720_ACQUISITIONCONNECTION_H

#include "visatype.h"

#include <QString>

namespace acquisitionConnection {

// Seconds left while the acquisition on the session reconnects; -1 when it does not (or
// there is no session: demo and viewer mode). No network traffic: cheap once a second.
int reconnectSecondsLeft(ViSession vi);
// "Connection lost, reconnecting (42 s left)"
QString reconnectingText(int secondsLeft);
// The scans the last acquisition on the session did not deliver, as one sentence with the
// shadow-copy file that holds them; empty when nothing was lost.
QString lostScansText(ViSession vi);

} // namespace acquisitionConnection

#endif
