// Shared pieces of the connection tests.
#include "connectTestSupport.h"

ViStatus fakePersonality::init(ViConstRsrc resourceName, ViBoolean, ViBoolean reset, ViSession *vi)
{
    initDescriptors.append(QString::fromLatin1(resourceName));
    initResets.append(reset != VI_FALSE);
    const ViStatus status = initStatuses.isEmpty() ? VI_SUCCESS : initStatuses.takeFirst();
    // Like a driver, a warning still opens a session; an error does not.
    if (status < VI_SUCCESS)
        *vi = 0;
    else
        *vi = initSessions.isEmpty() ? nextSession++ : initSessions.takeFirst();
    return status;
}

ViStatus fakePersonality::close(ViSession vi)
{
    closed.append(vi);
    return VI_SUCCESS;
}
