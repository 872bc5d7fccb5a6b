// Starting an acquisition with its scan layout fixed: the channels enabled and the data
// format the caller set, held against the layout the instrument announces.
#ifndef TS4720_ACQUISITIONSETUP_H
#define TS4720_ACQUISITIONSETUP_H

#include "visatype.h"

namespace ts4720 {

class DriverSession;

// Reads the settings, starts the instrument and fixes session.layout; the session's lock
// must be held. An instrument whose layout disagrees with the settings is stopped again
// and the start fails with TS4720_ERROR_BAD_RESPONSE.
ViStatus startWithFixedLayout(DriverSession &session);

} // namespace ts4720

#endif
