// The texts of the driver's own statuses.
#ifndef TS4720_DRIVERSTATUSTEXT_H
#define TS4720_DRIVERSTATUSTEXT_H

#include "visatype.h"

namespace ts4720 {

// The text of a TS4720_ERROR_* / TS4720_WARN_* status, or nullptr for any other status.
const char *driverStatusText(ViStatus status);

} // namespace ts4720

#endif
