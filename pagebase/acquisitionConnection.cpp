#include "acquisitionConnection.h"

#include "ts4720_ext.h"

namespace acquisitionConnection {

int reconnectSecondsLeft(ViSession vi)
{
    ViBoolean reconnecting = VI_FALSE;
    ViInt32 left = 0;
    if (vi == 0 || ts4720_getReconnectState(vi, &reconnecting, &left) != VI_SUCCESS || !reconnecting)
        return -1;
    return int(left);
}

QString reconnectingText(int secondsLeft)
{
    return QStringLiteral("Connection lost, reconnecting (%1 s left)").arg(secondsLeft);
}

QString lostScansText(ViSession vi)
{
    ts4720_acquisitionLoss loss;
    if (vi == 0 || ts4720_getAcquisitionLoss(vi, &loss) != VI_SUCCESS || loss.cause == VI_SUCCESS)
        return QString();
    ViChar text[TS4720_LOSS_TEXT_SIZE] = {};
    ts4720_acquisitionLossText(&loss, text);
    return QString::fromLatin1(text);
}

} // namespace acquisitionConnection
