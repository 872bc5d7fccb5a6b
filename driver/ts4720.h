/* Instrument driver of the Korvan 4720 isolated LXI thermocouple instrument.
 *
 * Every function returns a status: 0 success, negative an error, positive a warning;
 * ts4720_error_message gives its text. The first argument is the instrument session
 * opened by ts4720_init. Each call maps onto one or a few SCPI exchanges on the session's
 * VISA connection (see docs/protocol.md).
 *
 * Threads: calls on one session are serialised by a lock of that session, so a session
 * may be used from several threads; different sessions are independent.
 *
 * Buffers: every text the driver writes is NUL-terminated and never longer than the
 * size stated beside the function, terminator included.
 *
 * Arguments: an unknown or closed session gives TS4720_ERROR_INV_SESSION, a VI_NULL
 * pointer where the function needs one TS4720_ERROR_NULL_POINTER (out values that may be
 * VI_NULL are named below), a channel outside 1..48 TS4720_ERROR_INV_CHANNEL, any other
 * value out of range TS4720_ERROR_INV_PARAMETER. Nothing is sent then. (A channel beyond
 * a 16- or 32-channel model is refused by the instrument: TS4720_ERROR_INSTRUMENT.)
 *
 * Failures: an error entry of the instrument's error queue (negative code) gives
 * TS4720_ERROR_INSTRUMENT and a warning entry (positive code) TS4720_WARN_INSTRUMENT, after
 * which the call has completed and written its out values; ts4720_error_message shows the
 * entry. Transport failures come back as VISA's statuses (VI_ERROR_TMO, VI_ERROR_CONN_LOST,
 * ...). No exchange (a message and its reply) waits longer than the session's I/O timeout
 * (5000 ms unless changed with ts4720_setTimeout of ts4720_ext.h, which also says how long a
 * block may take) in total, however slowly the reply trickles in. After a timeout or a lost
 * connection the link is down: later calls fail at once with TS4720_ERROR_CONNECTION_DOWN,
 * without sending, until one call per retry interval finds the instrument answering again
 * (the rule is at TS4720_RETRY_INTERVAL_MS in ts4720_ext.h); that call opens the connection
 * afresh, so a late reply is never taken for another answer. While the acquisition thread of
 * the session reconnects (see ts4720_startAcquisitionEx), calls from other threads fail at
 * once with TS4720_ERROR_RECONNECTING instead.
 * A reply that is not exactly what the call expects is TS4720_ERROR_BAD_RESPONSE: integers
 * are plain decimal ("12abc" and "2.5E+01" are not), numbers never depend on the process
 * locale, values the setter would refuse (NaN or infinite limits, rates, coefficients) are
 * no answer, and a block is never longer than the call can take.
 * Out values are left as they were on failure, except the counts of
 * ts4720_readAcquisition and the length of ts4720_getStorageFileList, which become 0.
 */
#ifndef TS4720_H
#define TS4720_H

#include "visatype.h"

#ifdef __cplusplus
extern "C" {
#endif

/* Buffer sizes, in bytes including the terminating NUL, or elements. */
#define TS4720_ERROR_MESSAGE_SIZE 256 /* ts4720_error_message */
#define TS4720_REVISION_SIZE 256      /* each text of ts4720_revision_query */
#define TS4720_ATTR_STRING_SIZE 128   /* text attributes of ts4720_getAttribute */
#define TS4720_TYPE_NAME_SIZE 32      /* thermocouple type name of ts4720_getChannelConfig */
#define TS4720_STORAGE_INFO_SIZE 64   /* info text of ts4720_getStorageInfo */
#define TS4720_MAX_CHANNELS 48        /* ts4720_acquireScan writes this many values */
#define TS4720_N_USER_COEFFS 17       /* coefficients of a user thermocouple type */

/* Attributes. DATA_FORMAT and SHADOW_COPY are ViInt32, SER_NUM is ViUInt32, the rest
 * are texts of at most TS4720_ATTR_STRING_SIZE bytes. */
#define ts4720_ATTR_DESCRIPTION 272
#define ts4720_ATTR_ASSET_NO 273
#define ts4720_ATTR_CURRENT_HOSTNAME 274
#define ts4720_ATTR_CURRENT_IPADDR 275
#define ts4720_ATTR_CURRENT_NETMASK 276
#define ts4720_ATTR_CURRENT_GATEWAY 277
#define ts4720_ATTR_CURRENT_DNS1 278
#define ts4720_ATTR_CURRENT_DNS2 279
#define ts4720_ATTR_LXI_CLASS 280
#define ts4720_ATTR_ETH_ADDR 281
#define ts4720_ATTR_PRODUCT_REVISION 291
#define ts4720_ATTR_SUB_TYPE 292
#define ts4720_ATTR_SER_NUM 293
#define ts4720_ATTR_DATA_FORMAT 295 /* bit values: 1 temperature, 2 voltage, 4 cold junction */
#define ts4720_ATTR_SHADOW_COPY 309 /* 0 none, 1 RAM disk, 2 hard disk */

/* Rear-panel lines: active states (ts4720_get/configureRPTrigger) */
#define ts4720_TRIG_OUT_RP1_IN 0
#define ts4720_TRIG_OUT_RP2_IN 1
#define ts4720_TRIG_OUT_RP1_OUT 2
#define ts4720_TRIG_OUT_RP2_OUT 3
/* Rear-panel outputs: functions (ts4720_get/configureOutputTrigger) */
#define ts4720_TRIG_OUT_RP1 0
#define ts4720_TRIG_OUT_RP2 1

/* Storage locations */
#define ts4720_STORAGE_HD 0
#define ts4720_STORAGE_RAM 1

/* Acquisition states (ts4720_checkAcquisition) */
#define ts4720_ACQ_IDLE 0
#define ts4720_ACQ_ARMED 1
#define ts4720_ACQ_RUNNING 2

/* Driver statuses beside VISA's own. */
#define TS4720_ERROR_OFFSET (_VI_ERROR + 0x3FFA4000L)
#define TS4720_ERROR_INSTRUMENT (TS4720_ERROR_OFFSET + 0x01L)   /* the instrument reported an error */
#define TS4720_ERROR_INV_SESSION (TS4720_ERROR_OFFSET + 0x02L)  /* unknown or closed session */
#define TS4720_ERROR_NULL_POINTER (TS4720_ERROR_OFFSET + 0x03L) /* a required pointer is VI_NULL */
#define TS4720_ERROR_INV_CHANNEL (TS4720_ERROR_OFFSET + 0x04L)  /* channel outside 1..48 */
#define TS4720_ERROR_INV_TYPE_NAME (TS4720_ERROR_OFFSET + 0x05L)
#define TS4720_ERROR_INV_PARAMETER (TS4720_ERROR_OFFSET + 0x06L)
#define TS4720_ERROR_INV_ATTRIBUTE (TS4720_ERROR_OFFSET + 0x07L)
#define TS4720_ERROR_ATTR_READ_ONLY (TS4720_ERROR_OFFSET + 0x08L)
#define TS4720_ERROR_NOT_IDENTIFIED (TS4720_ERROR_OFFSET + 0x09L) /* idQuery: not a Korvan 4720 */
#define TS4720_ERROR_BAD_RESPONSE (TS4720_ERROR_OFFSET + 0x0AL)   /* reply not understood */
#define TS4720_ERROR_ACQ_RUNNING (TS4720_ERROR_OFFSET + 0x0BL)
#define TS4720_ERROR_ACQ_NOT_RUNNING (TS4720_ERROR_OFFSET + 0x0CL)
#define TS4720_ERROR_ACQ_OVERFLOW (TS4720_ERROR_OFFSET + 0x0DL)   /* backlog full: the instrument stopped */
#define TS4720_ERROR_BUFFER_TOO_SMALL (TS4720_ERROR_OFFSET + 0x0EL)
#define TS4720_ERROR_FILE_IO (TS4720_ERROR_OFFSET + 0x0FL)        /* local file of ts4720_downloadFile */
/* The session's link failed on an earlier call and has not answered since: the call was
 * not sent (see ts4720_isConnectionFailure of ts4720_ext.h). */
#define TS4720_ERROR_CONNECTION_DOWN (TS4720_ERROR_OFFSET + 0x10L)
/* The connection of the session's running acquisition was lost and its thread is reconnecting
 * (ts4720_getReconnectState of ts4720_ext.h tells for how long yet): the call was not sent. */
#define TS4720_ERROR_RECONNECTING (TS4720_ERROR_OFFSET + 0x11L)
#define TS4720_WARN_OFFSET 0x3FFA4000L
#define TS4720_WARN_INSTRUMENT (TS4720_WARN_OFFSET + 0x01L)       /* the instrument reported a warning */

/* Acquisition callback, called on a thread of the driver (see ts4720_startAcquisitionEx):
 * backlog is the number of scans waiting in the instrument, da_end is non-zero on the last
 * call of an acquisition, params is the pointer given to ts4720_startAcquisitionEx.
 * The session's lock is not held while the callback runs, so it may call
 * ts4720_readAcquisition and any other driver function on the same session, including
 * ts4720_stopAcquisition (which then does not wait for the callback it is called from).
 * It must not wait for a thread that is inside ts4720_stopAcquisition or ts4720_close of
 * the same session: those wait for the callback to return. */
typedef void (*ts4720_callback_t)(ViSession vi, ViInt32 backlog, ViInt16 da_end, ViAddr params);

/* Session */
/* Opens a VISA session on the resource. idQuery: refuses (TS4720_ERROR_NOT_IDENTIFIED)
 * an instrument whose *IDN? does not begin "Tarsel Ltd.,Korvan 4720". reset: sends *RST.
 * On failure returns a negative status and sets *vi to 0. Session handles are never reused. */
ViStatus ts4720_init(ViConstRsrc resourceName, ViBoolean idQuery, ViBoolean reset, ViSession *vi);
/* Ends the acquisition thread of the session (waiting for a running callback unless
 * called from it; the instrument is sent ACQ:STOP), then closes the connection. */
ViStatus ts4720_close(ViSession vi);

/* Utility */
/* The text of any status the driver returns (VISA's own through viStatusDesc), at most
 * TS4720_ERROR_MESSAGE_SIZE bytes. For TS4720_ERROR/WARN_INSTRUMENT it ends with the
 * instrument's last error entry on that session (code and text); vi may be 0. */
ViStatus ts4720_error_message(ViSession vi, ViStatus status, ViChar message[]);
/* driverRevision (required): the driver's revision. instrumentRevision (may be VI_NULL;
 * needs a session): the revision field of *IDN?. Each at most TS4720_REVISION_SIZE bytes. */
ViStatus ts4720_revision_query(ViSession vi, ViChar driverRevision[], ViChar instrumentRevision[]);
ViStatus ts4720_reset(ViSession vi);                      /* *RST */
ViStatus ts4720_identify(ViSession vi, ViBoolean on);     /* front-panel identify light */
ViStatus ts4720_saveConfig(ViSession vi);                 /* stores the configuration */
/* Loads the stored configuration, or the factory defaults with VI_TRUE. */
ViStatus ts4720_reloadConfig(ViSession vi, ViBoolean factoryDefaults);

/* Attributes. value points to a ViInt32, a ViUInt32 or a text buffer as listed above.
 * Unknown identifiers give TS4720_ERROR_INV_ATTRIBUTE. Only DATA_FORMAT (1..7 with the
 * temperature bit 1 set) and SHADOW_COPY (0..2) can be set; the others give
 * TS4720_ERROR_ATTR_READ_ONLY. */
ViStatus ts4720_getAttribute(ViSession vi, ViAttr attribute, void *value);
ViStatus ts4720_setAttribute(ViSession vi, ViAttr attribute, ViInt32 value);

/* Channels (numbers 1..48). Type names of a channel: "J", "K", "T", "E", "B", "S", "R",
 * "N", "User 1", "User 2"; others give TS4720_ERROR_INV_TYPE_NAME.
 * getChannelConfig: typeName holds TS4720_TYPE_NAME_SIZE bytes; otd may be VI_NULL.
 * Alert limits are in degrees Celsius and must be finite.
 * Custom coefficient sets: "User 1", "User 2", "WebInterface_UA", "WebInterface_UB";
 * getCustomThermConfig writes at most TS4720_N_USER_COEFFS values and their number to
 * *count; setCustomThermConfig takes 1..TS4720_N_USER_COEFFS finite values.
 * acquireScan writes TS4720_MAX_CHANNELS temperatures (NaN: open, or beyond the model); a
 * reply with fewer values is TS4720_ERROR_BAD_RESPONSE and writes none. */
ViStatus ts4720_getChannelState(ViSession vi, ViInt16 channel, ViBoolean *enabled);
ViStatus ts4720_setChannelState(ViSession vi, ViInt16 channel, ViBoolean enabled);
ViStatus ts4720_getChannelConfig(ViSession vi, ViInt16 channel, ViChar typeName[], ViBoolean *otd);
ViStatus ts4720_setChannelConfig(ViSession vi, ViInt16 channel, ViConstString typeName, ViBoolean otd);
ViStatus ts4720_getAlertConfig(ViSession vi, ViInt16 channel, ViBoolean *minOn, ViReal64 *min,
                               ViBoolean *maxOn, ViReal64 *max);
ViStatus ts4720_setAlertConfig(ViSession vi, ViInt16 channel, ViBoolean minOn, ViReal64 min,
                               ViBoolean maxOn, ViReal64 max);
ViStatus ts4720_getCustomThermConfig(ViSession vi, ViConstString typeName, ViReal64 coefficients[],
                                     ViInt32 *count);
ViStatus ts4720_setCustomThermConfig(ViSession vi, ViConstString typeName,
                                     const ViReal64 coefficients[], ViInt16 count);
ViStatus ts4720_acquireScan(ViSession vi, ViReal64 scan[]);

/* Acquisition.
 * Mode: clockSource 0 internal, 1 PTP, 2/3 rear-panel line 1/2 (external clock, scanRate
 * is then its maximum rate); scanRate in Hz (> 0); numberOfScans, 0 = until stopped;
 * startMode 0 immediate, 1 PTP alarm, 2/3 rear-panel line 1/2; stop 0 after the number of
 * scans, 1 on a trigger pulse, 2 at the end of a trigger gate; timestamps stored or not.
 * getAcquisitionMode accepts VI_NULL for any out value.
 *
 * ts4720_startAcquisitionEx: reads the data format and the enabled channels, starts the
 * instrument (ACQ:STARt) and fixes the acquisition's layout from them (see readAcquisition);
 * an instrument that announces another layout is stopped again and the start fails with
 * TS4720_ERROR_BAD_RESPONSE. It starts a driver thread that polls the backlog every quarter of the
 * time `threshold` scans take (2..50 ms). It calls callback(vi, backlog, 0, params)
 * whenever at least `threshold` scans wait, and once callback(vi, backlog, 1, params) when
 * the instrument has ended the acquisition; the caller then reads until remaining is 0.
 * A NULL callback starts no thread (the caller polls and reads by itself).
 * TS4720_ERROR_ACQ_RUNNING while the previous acquisition's thread still runs.
 * When the instrument ends the acquisition on an error of its own (backlog overflow:
 * TS4720_ERROR_ACQ_OVERFLOW; shadow-copy disk full: TS4720_ERROR_INSTRUMENT) every scan it
 * kept for reading is still delivered: the last callback gets the real backlog. (A full
 * backlog ends the acquisition on the instrument; when it keeps a shadow copy, it goes on
 * in the copy alone, and the thread stops it and ends the run the same way: the scans that
 * only the copy holds are named by ts4720_getAcquisitionLoss of ts4720_ext.h.)
 * A lost connection or a timeout does not end the run: the thread reconnects to the same
 * resource for a grace period (60 s; ts4720_setReconnectGracePeriod of ts4720_ext.h) and goes
 * on from the first scan not yet delivered, so the callback sees every scan once, in order.
 * A ts4720_readAcquisition of the callback that meets the broken connection returns what it
 * got with remaining 0 and no error; the thread reconnects after the callback returns.
 * When the grace period passes (or is 0), or the instrument no longer runs the acquisition,
 * the thread ends with callback(vi, 0, 1, params), in which ts4720_readAcquisition returns
 * that failure with remaining 0. ts4720_getAcquisitionLoss of ts4720_ext.h names the scans
 * not delivered, here and after an overflow. Either way the next call on the session from
 * any other thread returns the failure once (without doing anything else),
 * ts4720_stopAcquisition included.
 *
 * ts4720_stopAcquisition: ends the driver thread (waiting for a running callback, unless
 * called from inside it; a reconnection ends after the attempt in flight, without a final
 * callback) and sends ACQ:STOP; after it returns no callback runs. While the connection is
 * still down the stop is not sent (TS4720_ERROR_CONNECTION_DOWN or the link failure).
 *
 * ts4720_checkAcquisition: state ts4720_ACQ_IDLE/ARMED/RUNNING; backlog may be VI_NULL.
 * Until the next start it returns (with the state written) the error that ended the last
 * acquisition on the instrument: TS4720_ERROR_ACQ_OVERFLOW or TS4720_ERROR_INSTRUMENT.
 *
 * ts4720_readAcquisition: waits up to timeoutMs (0: not at all) for `scans` scans, then
 * reads at most `scans` scans, going on from the last one read (the instrument keeps them
 * until the next read asks for later ones, so that a reply lost on the way is read again,
 * never skipped or doubled). *scansRead is the number of scans
 * written to data (n), *remaining the scans still waiting afterwards (0 when the call
 * failed). Value j of scan i of the k-th enabled channel is written to
 * data[(n * k + i) * vpc + j], with vpc = 1 + voltage + cold junction (j: temperature in
 * degrees Celsius, voltage in mV, cold-junction temperature); NaN marks an open channel.
 * Size rule: data needs room for scans * C * vpc doubles and timestamps (may be VI_NULL) for
 * 2 * scans, where C is the number of channels enabled and vpc comes from the DATA_FORMAT
 * attribute, both as they were when ts4720_startAcquisitionEx started the acquisition on
 * this session; they hold for every read of that acquisition, also after it ended. A block
 * of the instrument that is not whole scans of that layout, or holds more than `scans`
 * scans, is refused with TS4720_ERROR_BAD_RESPONSE and nothing is written. When no
 * acquisition was started on this session, or a call on it may have changed that layout
 * since (a successful ts4720_setChannelState, ts4720_setAttribute of DATA_FORMAT,
 * ts4720_reset or ts4720_reloadConfig), the call returns TS4720_ERROR_ACQ_NOT_RUNNING and
 * writes nothing. timestamps receives a (seconds, nanoseconds) pair per scan (zeros when the
 * mode stores none).
 *
 * PTP times are seconds since 1970 (UTC) and nanoseconds (0..999999999); the nanoseconds
 * may be VI_NULL in getPTPTime/getPTPAlarm. An alarm in the past is refused by the
 * instrument (TS4720_ERROR_INSTRUMENT). */
ViStatus ts4720_getAcquisitionMode(ViSession vi, ViInt16 *clockSource, ViReal64 *scanRate,
                                   ViInt32 *numberOfScans, ViInt16 *startMode, ViInt16 *stop,
                                   ViBoolean *timestamps);
ViStatus ts4720_setAcquisitionMode(ViSession vi, ViInt16 clockSource, ViReal64 scanRate,
                                   ViInt32 numberOfScans, ViInt16 startMode, ViInt16 stop,
                                   ViBoolean timestamps);
ViStatus ts4720_startAcquisitionEx(ViSession vi, ViInt32 threshold, ts4720_callback_t callback,
                                   ViAddr params);
ViStatus ts4720_stopAcquisition(ViSession vi);
ViStatus ts4720_checkAcquisition(ViSession vi, ViInt16 *state, ViInt32 *backlog);
ViStatus ts4720_readAcquisition(ViSession vi, ViInt32 scans, ViInt32 timeoutMs, ViInt32 *remaining,
                                ViInt32 *scansRead, ViReal64 data[], ViInt32 timestamps[]);
ViStatus ts4720_getPTPTime(ViSession vi, ViUInt32 *seconds, ViUInt32 *nanoseconds);
ViStatus ts4720_getPTPAlarm(ViSession vi, ViUInt32 *seconds, ViUInt32 *nanoseconds);
ViStatus ts4720_setPTPAlarm(ViSession vi, ViUInt32 seconds, ViUInt32 nanoseconds);

/* Rear-panel triggers: output 0..1 with function 0..4; line 0..3 with active state 0..1. */
ViStatus ts4720_getOutputTrigger(ViSession vi, ViInt16 output, ViInt16 *function);
ViStatus ts4720_configureOutputTrigger(ViSession vi, ViInt16 output, ViInt16 function);
ViStatus ts4720_getRPTrigger(ViSession vi, ViInt16 line, ViInt16 *activeState);
ViStatus ts4720_configureRPTrigger(ViSession vi, ViInt16 line, ViInt16 activeState);

/* Storage. location ts4720_STORAGE_HD or ts4720_STORAGE_RAM. File names must not hold
 * '"' or control characters (TS4720_ERROR_INV_PARAMETER). */
/* info (may be VI_NULL): at most TS4720_STORAGE_INFO_SIZE bytes describing the disk;
 * totalKB, freeKB: size and free space in kB. */
ViStatus ts4720_getStorageInfo(ViSession vi, ViInt16 location, ViChar info[], ViInt32 *totalKB,
                               ViInt32 *freeKB);
/* The list of stored files, one "name,location,size,date" line per file, lines separated
 * by "\n". In two steps:
 *  - buffer VI_NULL: fetches the list from the instrument, keeps it with the session and
 *    writes its length in bytes (without terminator) to *length (0 when the call fails);
 *  - buffer given, length VI_NULL: copies the list kept by the last length query on this
 *    session (length + 1 bytes with the terminator; "" before any query);
 *  - buffer and length given: *length on entry is the buffer's size in bytes; the kept
 *    list is copied, truncated to fit, *length becomes its full length and
 *    TS4720_ERROR_BUFFER_TOO_SMALL is returned when it did not fit. */
ViStatus ts4720_getStorageFileList(ViSession vi, ViChar buffer[], ViInt32 *length);
ViStatus ts4720_deleteFile(ViSession vi, ViInt16 location, ViConstString fileName);
/* Writes the stored file's bytes to the local destination path (created or replaced),
 * whatever the file's size: the bytes stream into "<destinationPath>.part" as they arrive
 * and that file takes the destination's place when complete. TS4720_ERROR_FILE_IO when it
 * cannot be written. When the download fails, no file is left behind and a file that
 * already had the destination's name is untouched. */
ViStatus ts4720_downloadFile(ViSession vi, ViInt16 location, ViConstString fileName,
                             ViConstString destinationPath);

#ifdef __cplusplus
}
#endif

#endif
