// The instrument's acquisition state (ACQ:STAT?) and the session's record of how the
// driver's acquisition ended.
#ifndef TS4720_ACQUISITIONSTATE_H
#define TS4720_ACQUISITIONSTATE_H

#include "visatype.h"

namespace ts4720 {

class DriverSession;

struct AcquisitionState {
    int state = 0;      // ts4720_ACQ_IDLE, _ARMED, _RUNNING
    ViInt32 backlog = 0;
    int error = 0;      // the instrument's acquisition error code, 0 none
};

// Both need the session's lock held.
ViStatus queryAcquisitionState(DriverSession &session, AcquisitionState *state);
// A non-zero acquisition error of the instrument as a status (overflow or instrument error).
ViStatus acquisitionErrorStatus(DriverSession &session, int error);

// These take the session's lock themselves (used by the acquisition thread).
ViStatus pollAcquisitionState(DriverSession &session, AcquisitionState *state);
// The instrument ended the acquisition on an error of its own (backlog or disk full):
// every scan taken stays readable; the status (returned) is reported once afterwards.
ViStatus noteAcquisitionError(DriverSession &session, int error);
// ACQ:STOP; a failure shows at the next poll.
void stopOnInstrument(DriverSession &session);
// The driver lost the instrument: nothing more can be read.
void markAcquisitionFailed(DriverSession &session, ViStatus status);
// Around each callback: counts the scans its reads take, then tells whether a full block
// is still waiting after a callback that made progress (a read that took nothing waits for
// the next poll instead of asking again at once).
void beginCallback(DriverSession &session);
bool fullBlockLeft(DriverSession &session, ViInt32 threshold);

} // namespace ts4720

#endif
