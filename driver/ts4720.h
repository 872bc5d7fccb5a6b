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
#define TS4720_ERROR_NULL_POINTER (TS4720_ERROR_OFFSET + 0x03L) /* a required out value is VI_NULL */
#define TS4720_ERROR_INV_CHANNEL (TS4720_ERROR_OFFSET + 0x04L)  /* channel outside 1..48 */
#define TS4720_ERROR_INV_TYPE_NAME (TS4720_ERROR_OFFSET + 0x05L)
#define TS4720_ERROR_INV_PARAMETER (TS4720_ERROR_OFFSET + 0x06L)
#define TS4720_ERROR_INV_ATTRIBUTE (TS4720_ERROR_OFFSET + 0x07L)
#define TS4720_ERROR_ATTR_READ_ONLY (TS4720_ERROR_OFFSET + 0x08L)
#define TS4720_ERROR_NOT_IDENTIFIED (TS4720_ERROR_OFFSET + 0x09L) /* idQuery: not a Korvan 4720 */
#define TS4720_ERROR_BAD_RESPONSE (TS4720_ERROR_OFFSET + 0x0AL)   /* reply not understood */
#define TS4720_ERROR_ACQ_RUNNING (TS4720_ERROR_OFFSET + 0x0BL)
#define TS4720_ERROR_ACQ_NOT_RUNNING (TS4720_ERROR_OFFSET + 0x0CL)
#define TS4720_ERROR_ACQ_OVERFLOW (TS4720_ERROR_OFFSET + 0x0DL)   /* instrument backlog overflowed */
#define TS4720_ERROR_BUFFER_TOO_SMALL (TS4720_ERROR_OFFSET + 0x0EL)
#define TS4720_ERROR_FILE_IO (TS4720_ERROR_OFFSET + 0x0FL)        /* local file of ts4720_downloadFile */
#define TS4720_WARN_OFFSET 0x3FFA4000L
#define TS4720_WARN_INSTRUMENT (TS4720_WARN_OFFSET + 0x01L)       /* the instrument reported a warning */

/* Acquisition callback, called on a thread of the driver (see ts4720_startAcquisitionEx). */
typedef void (*ts4720_callback_t)(ViSession vi, ViInt32 backlog, ViInt16 da_end, ViAddr params);

/* Session */
ViStatus ts4720_init(ViConstRsrc resourceName, ViBoolean idQuery, ViBoolean reset, ViSession *vi);
ViStatus ts4720_close(ViSession vi);

/* Utility */
ViStatus ts4720_error_message(ViSession vi, ViStatus status, ViChar message[]);
ViStatus ts4720_revision_query(ViSession vi, ViChar driverRevision[], ViChar instrumentRevision[]);
ViStatus ts4720_reset(ViSession vi);
ViStatus ts4720_identify(ViSession vi, ViBoolean on);
ViStatus ts4720_saveConfig(ViSession vi);
ViStatus ts4720_reloadConfig(ViSession vi, ViBoolean factoryDefaults);

/* Attributes */
ViStatus ts4720_getAttribute(ViSession vi, ViAttr attribute, void *value);
ViStatus ts4720_setAttribute(ViSession vi, ViAttr attribute, ViInt32 value);

/* Channels (numbers 1..48) */
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

/* Acquisition */
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

/* Rear-panel triggers */
ViStatus ts4720_getOutputTrigger(ViSession vi, ViInt16 output, ViInt16 *function);
ViStatus ts4720_configureOutputTrigger(ViSession vi, ViInt16 output, ViInt16 function);
ViStatus ts4720_getRPTrigger(ViSession vi, ViInt16 line, ViInt16 *activeState);
ViStatus ts4720_configureRPTrigger(ViSession vi, ViInt16 line, ViInt16 activeState);

/* Storage */
ViStatus ts4720_getStorageInfo(ViSession vi, ViInt16 location, ViChar info[], ViInt32 *totalKB,
                               ViInt32 *freeKB);
ViStatus ts4720_getStorageFileList(ViSession vi, ViChar buffer[], ViInt32 *length);
ViStatus ts4720_deleteFile(ViSession vi, ViInt16 location, ViConstString fileName);
ViStatus ts4720_downloadFile(ViSession vi, ViInt16 location, ViConstString fileName,
                             ViConstString destinationPath);

#ifdef __cplusplus
}
#endif

#endif
