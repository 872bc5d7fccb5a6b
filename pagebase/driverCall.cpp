// Turning a driver status into the common error or warning report, once per outage.
#include "driverCall.h"

#include "commonReports.h"
#include "ts4720.h"
#include "ts4720_ext.h"

#include <QString>

namespace {

// The open actions' shared state; GUI thread only.
struct actionState {
    int depth = 0;          // how many driverAction objects are alive
    bool linkLost = false;
    QString firstFailure;   // "<call> failed due to [<driver text>]"
    int notMade = 0;
};

actionState &action()
{
    static actionState state;
    return state;
}

QString driverText(ViSession vi, ViStatus status)
{
    // 1024 bytes, more than the driver ever writes, as every caller of the driver reserves.
    ViChar text[1024] = {};
    ts4720_error_message(vi, status, text);
    text[sizeof text - 1] = '\0';
    return QString::fromLatin1(text);
}

QString failureText(ViSession vi, ViStatus status, const char *callText)
{
    return QStringLiteral("%1 failed due to [%2]").arg(QString::fromLatin1(callText), driverText(vi, status));
}

} // namespace

driverAction::driverAction()
{
    ++action().depth;
}

driverAction::~driverAction()
{
    actionState &state = action();
    if (--state.depth > 0 || !state.linkLost)
        return;
    QString text = state.firstFailure;
    if (state.notMade == 1)
        text += QStringLiteral("\n1 further call of this action was not made: the connection to the instrument is down.");
    else if (state.notMade > 1)
        text += QStringLiteral("\n%1 further calls of this action were not made: the connection to the instrument is down.")
                    .arg(state.notMade);
    state = actionState();
    reportError(text);
}

bool driverAction::linkLost()
{
    return action().linkLost;
}

ViStatus driverAction::notMade()
{
    ++action().notMade;
    return TS4720_ERROR_CONNECTION_DOWN;
}

bool driverAction::noteLinkFailure(ViSession vi, ViStatus status, const char *callText)
{
    actionState &state = action();
    if (state.depth == 0 || status >= 0 || !ts4720_isConnectionFailure(status))
        return false;
    if (!state.linkLost) {
        state.linkLost = true;
        state.firstFailure = failureText(vi, status, callText);
    } else {
        ++state.notMade; // made before the action knew; counted with the calls not made
    }
    return true;
}

ViStatus reportDriverCall(ViSession vi, ViStatus status, const char *callText)
{
    if (status == 0 || driverAction::noteLinkFailure(vi, status, callText))
        return status;
    if (status < 0)
        reportError(failureText(vi, status, callText));
    else
        reportWarning(QStringLiteral("Warning: [%1]").arg(driverText(vi, status)));
    return status;
}
