// Session and utility functions: open, close, status texts, revisions, device-wide commands.
#include "ts4720.h"
#include "ts4720_ext.h"

#include "callArguments.h"
#include "driverSession.h"
#include "linkHealth.h"
#include "sessionCall.h"
#include "sessionRegistry.h"
#include "driverStatusText.h"
#include "visa.h"

#include <cstdio>

using namespace ts4720;

namespace {
const char kDriverRevision[] = "1.0.0";
const char kIdentityPrefix[] = "Tarsel Ltd.,Korvan 4720";

ViStatus openSession(DriverSession &session, ViConstRsrc resourceName, ViBoolean idQuery,
                     ViBoolean reset)
{
    ViStatus status = session.link.open(resourceName, TS4720_DEFAULT_TIMEOUT_MS);
    if (status < 0)
        return status;
    if (idQuery) {
        std::string identity;
        ViStatus idStatus = session.queryOne("*IDN?", &identity);
        if (idStatus < 0)
            return idStatus;
        if (identity.compare(0, sizeof kIdentityPrefix - 1, kIdentityPrefix) != 0)
            return TS4720_ERROR_NOT_IDENTIFIED;
        status = worse(status, idStatus);
    }
    if (reset)
        status = worse(status, session.command("*RST"));
    return status;
}

ViStatus simpleCommand(ViSession vi, const std::string &message, bool changesLayout = false)
{
    return sessionCommand(vi, message, changesLayout);
}
} // namespace

ViStatus ts4720_init(ViConstRsrc resourceName, ViBoolean idQuery, ViBoolean reset, ViSession *vi)
{
    if (vi == nullptr)
        return TS4720_ERROR_NULL_POINTER;
    *vi = 0;
    if (resourceName == nullptr)
        return TS4720_ERROR_INV_PARAMETER;
    std::shared_ptr<DriverSession> session = SessionRegistry::instance().create();
    ViStatus status;
    {
        std::lock_guard<std::mutex> guard(session->lock);
        status = openSession(*session, resourceName, idQuery, reset);
        if (status < 0) {
            session->closed = true;
            session->link.close();
            return status;
        }
    }
    SessionRegistry::instance().add(session);
    *vi = session->handle;
    return status;
}

ViStatus ts4720_close(ViSession vi)
{
    std::shared_ptr<DriverSession> session = SessionRegistry::instance().take(vi);
    if (!session)
        return TS4720_ERROR_INV_SESSION;
    bool acquiring = session->worker.running();
    session->worker.stop();
    std::lock_guard<std::mutex> guard(session->lock);
    if (acquiring)
        session->command("ACQ:STOP"); // best effort: the instrument would run on unread
    session->closed = true;
    session->link.close();
    return VI_SUCCESS;
}

ViStatus ts4720_setTimeout(ViSession vi, ViUInt32 milliseconds)
{
    if (milliseconds < 1 || milliseconds > 600000)
        return TS4720_ERROR_INV_PARAMETER;
    SessionCall call(vi);
    if (call.status() != 0)
        return call.status();
    return call->link.setTimeout(milliseconds);
}

ViBoolean ts4720_isConnectionFailure(ViStatus status)
{
    return isTransportFailure(status) || status == TS4720_ERROR_CONNECTION_DOWN || status == TS4720_ERROR_RECONNECTING
               ? VI_TRUE
               : VI_FALSE;
}

static std::string instrumentEntryText(ViSession vi)
{
    std::shared_ptr<DriverSession> session = SessionRegistry::instance().find(vi);
    if (!session)
        return std::string();
    std::lock_guard<std::mutex> guard(session->lock);
    if (session->lastEntry.code == 0)
        return std::string();
    char code[16];
    std::snprintf(code, sizeof code, "%d", session->lastEntry.code);
    return std::string(": ") + code + ",\"" + session->lastEntry.text + "\"";
}

static std::string visaStatusText(ViSession vi, ViStatus status)
{
    ViChar text[256] = {0};
    ViSession object = 0;
    if (std::shared_ptr<DriverSession> session = SessionRegistry::instance().find(vi)) {
        std::lock_guard<std::mutex> guard(session->lock);
        object = session->link.visaSession();
    }
    if (viStatusDesc(object, status, text) >= 0 && text[0] != '\0')
        return text;
    char fallback[64];
    std::snprintf(fallback, sizeof fallback, "Unknown status code 0x%08X",
                  static_cast<unsigned>(status));
    return fallback;
}

ViStatus ts4720_error_message(ViSession vi, ViStatus status, ViChar message[])
{
    if (message == nullptr)
        return TS4720_ERROR_NULL_POINTER;
    std::string text;
    if (status == VI_SUCCESS)
        text = "No error";
    else if (const char *own = driverStatusText(status))
        text = own;
    else
        text = visaStatusText(vi, status);
    if (status == TS4720_ERROR_INSTRUMENT || status == TS4720_WARN_INSTRUMENT)
        text += instrumentEntryText(vi);
    copyText(message, TS4720_ERROR_MESSAGE_SIZE, text);
    return VI_SUCCESS;
}

ViStatus ts4720_revision_query(ViSession vi, ViChar driverRevision[], ViChar instrumentRevision[])
{
    if (driverRevision == nullptr)
        return TS4720_ERROR_NULL_POINTER;
    copyText(driverRevision, TS4720_REVISION_SIZE, kDriverRevision);
    if (instrumentRevision == nullptr)
        return VI_SUCCESS;
    SessionCall call(vi);
    if (call.status() != 0)
        return call.status();
    std::string identity;
    ViStatus status = call->queryOne("*IDN?", &identity);
    if (status < 0)
        return status;
    std::vector<std::string> fields = scpi::split(identity, ',');
    if (fields.size() < 4)
        return TS4720_ERROR_BAD_RESPONSE;
    copyText(instrumentRevision, TS4720_REVISION_SIZE, fields[3]);
    return status;
}

ViStatus ts4720_reset(ViSession vi)
{
    return simpleCommand(vi, "*RST", true);
}

ViStatus ts4720_identify(ViSession vi, ViBoolean on)
{
    return simpleCommand(vi, on ? "SYST:IDEN 1" : "SYST:IDEN 0");
}

ViStatus ts4720_saveConfig(ViSession vi)
{
    return simpleCommand(vi, "SYST:CONF:SAVE");
}

ViStatus ts4720_reloadConfig(ViSession vi, ViBoolean factoryDefaults)
{
    return simpleCommand(vi, factoryDefaults ? "SYST:CONF:LOAD FACT" : "SYST:CONF:LOAD", true);
}
