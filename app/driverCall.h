// The reporting convention for every driver call the panel makes.
#ifndef TS4720_DRIVERCALL_H
#define TS4720_DRIVERCALL_H

#include "visatype.h"

// Reports a call's non-zero status and returns the status unchanged: an error (negative)
// through the common error report as "<callText> failed due to [<driver text>]", a warning
// (positive) through the common warning report as "Warning: [<driver text>]". The driver
// text comes from ts4720_error_message on the given session. Unless the user ends the
// program in the error report, the caller goes on with its next step. GUI thread only.
ViStatus reportDriverCall(ViSession vi, ViStatus status, const char *callText);

// Makes the call and reports it with its own source text, e.g.
// REPORTED_DRIVER_CALL(d_vi, ts4720_saveConfig(d_vi)) reports "ts4720_saveConfig(d_vi)".
#define REPORTED_DRIVER_CALL(vi, call) reportDriverCall((vi), (call), #call)

#endif
