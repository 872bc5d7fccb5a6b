// Turning a driver status into the common error or warning report.
#include "driverCall.h"

#include "commonReports.h"
#include "ts4720.h"

#include <QString>

ViStatus reportDriverCall(ViSession vi, ViStatus status, const char *callText)
{
    if (status == 0)
        return status;
    // 1024 bytes, more than the driver ever writes, as every caller of the driver reserves.
    ViChar text[1024] = {};
    ts4720_error_message(vi, status, text);
    text[sizeof text - 1] = '\0';
    const QString driverText = QString::fromLatin1(text);
    if (status < 0)
        reportError(QStringLiteral("%1 failed due to [%2]").arg(QString::fromLatin1(callText), driverText));
    else
        reportWarning(QStringLiteral("Warning: [%1]").arg(driverText));
    return status;
}
