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
 * The polling session of a panel reconnects this way. The acquisition thread reconnects on
 * its own terms (below). */
#define TS4720_RETRY_INTERVAL_MS 2000

/* VI_TRUE when the status says the link to the instrument failed (no answer within the
 * timeout, connection refused or lost, TS4720_ERROR_CONNECTION_DOWN or
 * TS4720_ERROR_RECONNECTING), as opposed to a
 * refusal by the instrument or by the driver's own argument checks. */
ViBoolean ts4720_isConnectionFailure(ViStatus status);

/* Reconnection of a running acquisition (see ts4720_startAcquisitionEx). When the
 * connection of a session with a running acquisition breaks, its thread reconnects to the
 * same resource (tries 0.1 s apart at first, then up to 2 s apart) for the grace period,
 * checks that the instrument still runs the same acquisition and goes on from the first
 * scan not yet delivered. Meanwhile calls on the session from other threads return
 * TS4720_ERROR_RECONNECTING at once, except ts4720_stopAcquisition and ts4720_close (they
 * end the reconnection after the attempt in flight, at most about 2 s) and the two queries
 * below, which never touch the network.
 * seconds: 0 turns reconnection off (a broken connection ends the acquisition), at most
 * 3600; the default is TS4720_DEFAULT_GRACE_S. It applies from the next break on. */
#define TS4720_DEFAULT_GRACE_S 60
ViStatus ts4720_setReconnectGracePeriod(ViSession vi, ViUInt32 seconds);

/* *reconnecting: VI_TRUE while the acquisition thread reconnects; *secondsLeft: the whole
 * seconds left of its grace period (rounded up; 0 when not reconnecting). For a status
 * line or an LED polled once a second. */
ViStatus ts4720_getReconnectState(ViSession vi, ViBoolean *reconnecting, ViInt32 *secondsLeft);

/* The scans the last acquisition of the session did not deliver, once it ended because the
 * connection did not come back within the grace period (or the instrument no longer ran
 * it) or because the instrument's scan memory overflowed. Scans are numbered from 0, the
 * first of the run; instants are seconds since 1970 (UTC) and nanoseconds.
 *  - cause: the status that ended the run; VI_SUCCESS when nothing was lost (then the other
 *    fields are 0, shadowLocation -1).
 *  - firstScan, firstSeconds/firstNanoseconds: the first scan not delivered and its instant.
 *    When the instrument could not be asked, the instant is one scan period after the last
 *    scan delivered (exact for an internal or PTP clock), or 0/0 without stored timestamps.
 *  - lastScan, lastSeconds/lastNanoseconds: the last scan not delivered; lastScan is -1 when
 *    no last one is known: the instrument could not be reached (it may still be measuring)
 *    or it stopped measuring at firstScan.
 *  - shadowLocation: ts4720_STORAGE_RAM or ts4720_STORAGE_HD when the instrument keeps a
 *    shadow copy of the run, whose file shadowFile (on that disk) holds every scan;
 *    -1 when it keeps none.
 * Filled when the driver ends the run, before the final callback; kept until the next
 * start. No network traffic. */
#define TS4720_SHADOW_FILE_SIZE 256
typedef struct {
    ViStatus cause;
    ViInt64 firstScan;
    ViUInt32 firstSeconds, firstNanoseconds;
    ViInt64 lastScan;
    ViUInt32 lastSeconds, lastNanoseconds;
    ViInt16 shadowLocation;
    ViChar shadowFile[TS4720_SHADOW_FILE_SIZE];
} ts4720_acquisitionLoss;
ViStatus ts4720_getAcquisitionLoss(ViSession vi, ts4720_acquisitionLoss *loss);

/* The loss as one sentence for the user (empty when nothing was lost), at most
 * TS4720_LOSS_TEXT_SIZE bytes with the terminator, e.g. "Scans 1200 to 1799
 * (2026-12-06 23:10:04.000000000 UTC to 23:10:09.990000000 UTC) were lost: the instrument's
 * scan memory was full. The shadow copy "rec_20261206_231000.csv" on the RAM disk holds the
 * complete run." */
#define TS4720_LOSS_TEXT_SIZE 1024
ViStatus ts4720_acquisitionLossText(const ts4720_acquisitionLoss *loss, ViChar text[]);

#ifdef __cplusplus
}
#endif

#endif
