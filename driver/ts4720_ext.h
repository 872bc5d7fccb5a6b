/* Additions of this driver beside the instrument driver interface of ts4720.h. */
#ifndef TS4720_EXT_H
#define TS4720_EXT_H

#include "ts4720.h"

#ifdef __cplusplus
extern "C" {
#endif

/* Sets the I/O timeout of the session in milliseconds (1 .. 600000; the default is
 * TS4720_DEFAULT_TIMEOUT_MS). It bounds each exchange (a message and its reply) as a whole:
 * VI_ERROR_TMO comes after this time at the latest, however the reply trickles in. A block
 * reply may take longer by the time its bytes take at 1 MiB/s, counted as they arrive, so
 * that a large download over a slower link is not cut short. After a timeout the connection
 * is opened afresh, so that a late reply cannot be taken for the answer to another query. */
#define TS4720_DEFAULT_TIMEOUT_MS 5000
ViStatus ts4720_setTimeout(ViSession vi, ViUInt32 milliseconds);

/* A link that is down. When an exchange fails because the link failed (VI_ERROR_TMO,
 * VI_ERROR_CONN_LOST, VI_ERROR_RSRC_NFOUND when reopening, VI_ERROR_IO), the session's link
 * is down: later calls on the session return TS4720_ERROR_CONNECTION_DOWN at once, without
 * sending anything, so that a burst of calls after an outage waits one timeout in all.
 * Once TS4720_RETRY_INTERVAL_MS have passed since the last failure, the next call reopens
 * the connection and tries for real (one call per interval does); any answer of the
 * instrument, an error entry included, brings the link up again. A session polled once a
 * second thus learns within about two seconds that the instrument is back.
 * The acquisition thread does not retry: a link failure ends its acquisition, as described
 * at ts4720_startAcquisitionEx. */
#define TS4720_RETRY_INTERVAL_MS 2000

/* VI_TRUE when the status says the link to the instrument failed (no answer within the
 * timeout, connection refused or lost, or TS4720_ERROR_CONNECTION_DOWN), as opposed to a
 * refusal by the instrument or by the driver's own argument checks. */
ViBoolean ts4720_isConnectionFailure(ViStatus status);

#ifdef __cplusplus
}
#endif

#endif
