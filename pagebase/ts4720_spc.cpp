// Answers of the Korvan 4720 personality.
#include "ts4720_spc.h"

#include "ts4720.h"
#include "ts4720_ext.h"
#include "ts4720Version.h"

ViStatus ts4720_spc::init(ViConstRsrc resourceName, ViBoolean idQuery, ViBoolean reset, ViSession *vi)
{
    const ViStatus status = ts4720_init(resourceName, idQuery, reset, vi);
    if (status < VI_SUCCESS || idQuery || *vi == 0)
        return status;
    // An address that accepts the connection is not yet an instrument that answers: ask
    // once, so that a silent one fails here, within one timeout, and not in every call the
    // panel would make next.
    ViChar driverRevision[TS4720_REVISION_SIZE] = {};
    ViChar instrumentRevision[TS4720_REVISION_SIZE] = {};
    const ViStatus answer = ts4720_revision_query(*vi, driverRevision, instrumentRevision);
    if (!ts4720_isConnectionFailure(answer))
        return status;
    ts4720_close(*vi);
    *vi = 0;
    return answer;
}

QString ts4720_spc::statusText(ViStatus status)
{
    ViChar text[TS4720_ERROR_MESSAGE_SIZE] = {};
    ts4720_error_message(VI_NULL, status, text);
    text[sizeof text - 1] = '\0';
    return QString::fromLatin1(text);
}

ViStatus ts4720_spc::close(ViSession vi)
{
    return ts4720_close(vi);
}

QString ts4720_spc::version()
{
    return QStringLiteral(TS4720_VERSION);
}

QString ts4720_spc::description()
{
    return QStringLiteral("Isolated LXI Thermocouple Instrument");
}

// Session 0 and no instrument buffer: the driver answers with its own revision alone.
// Whatever the status, the buffer's text is the answer (empty when the driver wrote none).
QString ts4720_spc::driverRevision()
{
    ViChar revision[TS4720_REVISION_SIZE] = {};
    ts4720_revision_query(0, revision, nullptr);
    revision[TS4720_REVISION_SIZE - 1] = '\0';
    return QString::fromLatin1(revision);
}

QString ts4720_spc::notice()
{
    return QStringLiteral("Copyright (c) 2026 Tarsel Ltd. All rights reserved.");
}
