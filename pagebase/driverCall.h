// The reporting convention for every driver call the panel makes, and the one report per
// outage of a user action.
#ifndef TS4720_DRIVERCALL_H
#define TS4720_DRIVERCALL_H

#include "visatype.h"

// Reports a call's non-zero status and returns the status unchanged: an error (negative)
// through the common error report as "<callText> failed due to [<driver text>]", a warning
// (positive) through the common warning report as "Warning: [<driver text>]". The driver
// text comes from ts4720_error_message on the given session. Unless the user ends the
// program in the error report, the caller goes on with its next step. Inside a
// driverAction a failed link is not reported here but once, when the action ends.
// GUI thread only.
ViStatus reportDriverCall(ViSession vi, ViStatus status, const char *callText);

// One user action that makes driver calls: a button's work, the main panel's start-up.
// While one is open, the first call that fails because the link failed (no answer within
// the timeout, connection refused or lost) is remembered instead of reported; the action's
// further calls made through reportedCall or quietCall are then not made and return
// TS4720_ERROR_CONNECTION_DOWN at once. When the outermost action ends, one error report
// names the first failure and says how many calls were not made. Failures where the
// instrument answered are still reported per call. Actions nest: an inner one joins the
// outer. Open it before a wait cursor, so the report comes after the cursor is back.
// GUI thread only.
class driverAction {
public:
    driverAction();
    ~driverAction();
    driverAction(const driverAction &) = delete;
    driverAction &operator=(const driverAction &) = delete;

    // True once a call of the open action found the link down.
    static bool linkLost();
    // Counts a call that is not made because the link was lost; returns its status.
    static ViStatus notMade();
    // Remembers the first link failure of the open action; false when there is no action.
    static bool noteLinkFailure(ViSession vi, ViStatus status, const char *callText);
};

// Makes the call, a callable returning the driver's status, unless the open action has
// lost the link, and reports it with its call text.
template <class Call>
ViStatus reportedCall(ViSession vi, Call call, const char *callText)
{
    if (driverAction::linkLost())
        return driverAction::notMade();
    return reportDriverCall(vi, call(), callText);
}

// The same for calls whose failures are not reported (best-effort reads with a fallback):
// a failed link still counts for the action and is reported once when it ends.
template <class Call>
ViStatus quietCall(ViSession vi, Call call, const char *callText)
{
    if (driverAction::linkLost())
        return driverAction::notMade();
    const ViStatus status = call();
    driverAction::noteLinkFailure(vi, status, callText);
    return status;
}

#endif
