/* Additions of this driver beside the instrument driver interface of ts4720.h. */
#ifndef TS4720_EXT_H
#define TS4720_EXT_H

#include "ts4720.h"

#ifdef __cplusplus
extern "C" {
#endif

/* Sets the I/O timeout of the session's connection in milliseconds (1 .. 600000; the
 * default is TS4720_DEFAULT_TIMEOUT_MS). Every exchange with the instrument ends with
 * VI_ERROR_TMO after this time at the latest; the connection is then opened afresh on the
 * next call, so that a late reply cannot be taken for the answer to another query. */
#define TS4720_DEFAULT_TIMEOUT_MS 5000
ViStatus ts4720_setTimeout(ViSession vi, ViUInt32 milliseconds);

/* VI_TRUE when the status says the link to the instrument failed (no answer within the
 * timeout, connection refused or lost, or TS4720_ERROR_CONNECTION_DOWN), as opposed to a
 * refusal by the instrument or by the driver's own argument checks. */
ViBoolean ts4720_isConnectionFailure(ViStatus status);

#ifdef __cplusplus
}
#endif

#endif
