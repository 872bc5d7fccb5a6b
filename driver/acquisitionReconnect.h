// A running acquisition across a broken connection: where it stands in the instrument's
// numbering of scans, reconnecting to it, and the record of what it lost when it could not.
#ifndef TS4720_ACQUISITIONRECONNECT_H
#define TS4720_ACQUISITIONRECONNECT_H

#include "visatype.h"

#include <functional>

namespace ts4720 {

class DriverSession;

// At the start, with the session's lock held: the instrument's run, its first scan and
// its shadow copy; the loss of the last run is forgotten.
ViStatus noteRunStart(DriverSession &session);

// Reconnects within the session's grace period, trying with growing pauses; waitForStop(ms)
// pauses and tells whether the acquisition is to end. VI_SUCCESS once the instrument runs
// the same acquisition again with the next scan still held; otherwise `cause` (the grace
// period passed or is 0, or a stop came), or TS4720_ERROR_ACQ_NOT_RUNNING when the
// instrument no longer runs it. Takes the session's lock for each attempt only.
ViStatus reconnectAcquisition(DriverSession &session, ViStatus cause,
                              const std::function<bool(int ms)> &waitForStop);

// Records why the run ended and the scans it did not deliver. With `askInstrument` (the
// link answers) the instrument names them; otherwise they run from the next scan on, with
// no known end. Takes the session's lock.
void recordLoss(DriverSession &session, ViStatus cause, bool askInstrument);

} // namespace ts4720

#endif
