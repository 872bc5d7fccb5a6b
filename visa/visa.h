/* The program's own VISA library: the subset of the standard VISA C interface that the
 * soft front panel and its driver need, with the standard names, status codes and
 * attribute values.
 *
 * Transport: TCPIP[board]::host[::device]::INSTR is carried over a plain TCP connection
 * to port 5025 of the host (raw SCPI), not over VXI-11 RPC as commercial libraries do;
 * TCPIP[board]::host::port::SOCKET names the port. Descriptors are case-insensitive; an
 * IPv6 host is written in brackets. Other interface types (GPIB, VXI, GPIB-VXI, ASRL,
 * PXI, USB) may appear in the resource list, but opening them fails with
 * VI_ERROR_INTF_NUM_NCONFIG (no such interface is configured here); a text that is no
 * descriptor at all gives VI_ERROR_INV_RSRC_NAME. viOpen connects within the session
 * timeout (2000 ms); a host that refuses, cannot be reached, cannot be resolved or does
 * not answer in time gives VI_ERROR_RSRC_NFOUND. The open timeout argument is the lock
 * wait of the standard and is unused, as there are no locks.
 *
 * Messages: the raw port has no END indicator, so on INSTR sessions the terminator stands
 * for it: viWrite appends the termination character (VI_ATTR_TERMCHAR, '\n') when the
 * data do not already end with it (switch off with VI_ATTR_SEND_END_EN; SOCKET sessions
 * send the bytes as they are); *retCnt counts the caller's bytes only. viRead returns
 * VI_SUCCESS when it stopped at the terminator character (VI_ATTR_TERMCHAR_EN, on by
 * default), VI_SUCCESS_MAX_CNT when cnt bytes came without it, VI_ERROR_TMO on timeout and
 * VI_ERROR_CONN_LOST when the peer closed (*retCnt counts the bytes stored in every case).
 * Bytes behind the terminator stay in the session for the next read.
 *
 * Resource list: viFindRsrc lists the descriptors of the environment variable
 * TSVISA_RESOURCES (separated by ';') and of the file tsvisa/resources.conf in the
 * user's configuration directory (one per line, '#' starts a comment). There is no
 * network scan.
 *
 * Sessions are independent and may be used from different threads at the same time;
 * reads on one session wait for each other, and so do writes (the driver serialises its
 * own exchanges anyway). viClose on a resource manager closes everything opened through it.
 *
 * Attributes of TCPIP sessions (type in brackets; text attributes are written into a
 * buffer of VI_FIND_BUFLEN bytes at most): VI_ATTR_INTF_TYPE (ViUInt16, VI_INTF_TCPIP),
 * VI_ATTR_INTF_NUM (ViUInt16, board), VI_ATTR_TCPIP_HOSTNAME (text, the host as written),
 * VI_ATTR_TCPIP_ADDR (text, numeric peer address), VI_ATTR_TCPIP_DEVICE_NAME (text,
 * INSTR only, "inst0" when none given), VI_ATTR_TCPIP_PORT (ViUInt16), VI_ATTR_RSRC_NAME
 * and VI_ATTR_RSRC_CLASS (text, canonical form), VI_ATTR_TMO_VALUE (ViUInt32 ms, default
 * 2000, settable), VI_ATTR_TERMCHAR (ViUInt8, '\n', settable), VI_ATTR_TERMCHAR_EN and
 * VI_ATTR_SEND_END_EN (ViBoolean, settable), VI_ATTR_TCPIP_NODELAY (ViBoolean, on,
 * settable). VI_ATTR_SLOT is not supported on TCPIP (VI_ERROR_NSUP_ATTR).
 * viStatusDesc accepts any session value, also VI_NULL.
 */
#ifndef TSVISA_VISA_H
#define TSVISA_VISA_H

#include "visatype.h"

#ifdef __cplusplus
extern "C" {
#endif

#define VI_FIND_BUFLEN 256
#define VI_TMO_IMMEDIATE 0L
#define VI_TMO_INFINITE 0xFFFFFFFFUL
#define VI_NO_LOCK 0L

/* Access modes */
#define VI_EXCLUSIVE_LOCK 1
#define VI_SHARED_LOCK 2
#define VI_LOAD_CONFIG 4

/* Completion and warning codes */
#define VI_SUCCESS_TERM_CHAR 0x3FFF0005L
#define VI_SUCCESS_MAX_CNT 0x3FFF0006L
#define VI_WARN_NULL_OBJECT 0x3FFF0082L
#define VI_WARN_UNKNOWN_STATUS 0x3FFF0085L

/* Error codes */
#define VI_ERROR_SYSTEM_ERROR (_VI_ERROR + 0x3FFF0000L)
#define VI_ERROR_INV_OBJECT (_VI_ERROR + 0x3FFF000EL)
#define VI_ERROR_RSRC_LOCKED (_VI_ERROR + 0x3FFF000FL)
#define VI_ERROR_INV_EXPR (_VI_ERROR + 0x3FFF0010L)
#define VI_ERROR_RSRC_NFOUND (_VI_ERROR + 0x3FFF0011L)
#define VI_ERROR_INV_RSRC_NAME (_VI_ERROR + 0x3FFF0012L)
#define VI_ERROR_INV_ACC_MODE (_VI_ERROR + 0x3FFF0013L)
#define VI_ERROR_TMO (_VI_ERROR + 0x3FFF0015L)
#define VI_ERROR_CLOSING_FAILED (_VI_ERROR + 0x3FFF0016L)
#define VI_ERROR_NSUP_ATTR (_VI_ERROR + 0x3FFF001DL)
#define VI_ERROR_NSUP_ATTR_STATE (_VI_ERROR + 0x3FFF001EL)
#define VI_ERROR_ATTR_READONLY (_VI_ERROR + 0x3FFF001FL)
#define VI_ERROR_ALLOC (_VI_ERROR + 0x3FFF003CL)
#define VI_ERROR_IO (_VI_ERROR + 0x3FFF003EL)
#define VI_ERROR_NSUP_OPER (_VI_ERROR + 0x3FFF0067L)
#define VI_ERROR_RSRC_BUSY (_VI_ERROR + 0x3FFF0072L)
#define VI_ERROR_INV_PARAMETER (_VI_ERROR + 0x3FFF0078L)
#define VI_ERROR_USER_BUF (_VI_ERROR + 0x3FFF0071L)
#define VI_ERROR_LIBRARY_NFOUND (_VI_ERROR + 0x3FFF009EL)
#define VI_ERROR_CONN_LOST (_VI_ERROR + 0x3FFF00A6L)
#define VI_ERROR_INTF_NUM_NCONFIG (_VI_ERROR + 0x3FFF00B0L)

/* Attributes */
#define VI_ATTR_RSRC_CLASS 0xBFFF0001UL
#define VI_ATTR_RSRC_NAME 0xBFFF0002UL
#define VI_ATTR_SEND_END_EN 0x3FFF0016UL
#define VI_ATTR_TMO_VALUE 0x3FFF001AUL
#define VI_ATTR_TERMCHAR 0x3FFF0018UL
#define VI_ATTR_TERMCHAR_EN 0x3FFF0038UL
#define VI_ATTR_SLOT 0x3FFF00E8UL
#define VI_ATTR_INTF_TYPE 0x3FFF0171UL
#define VI_ATTR_INTF_NUM 0x3FFF0176UL
#define VI_ATTR_TCPIP_ADDR 0xBFFF0195UL
#define VI_ATTR_TCPIP_HOSTNAME 0xBFFF0196UL
#define VI_ATTR_TCPIP_PORT 0x3FFF0197UL
#define VI_ATTR_TCPIP_DEVICE_NAME 0xBFFF0199UL
#define VI_ATTR_TCPIP_NODELAY 0x3FFF019AUL

/* Interface types */
#define VI_INTF_GPIB 1
#define VI_INTF_VXI 2
#define VI_INTF_GPIB_VXI 3
#define VI_INTF_ASRL 4
#define VI_INTF_PXI 5
#define VI_INTF_TCPIP 6
#define VI_INTF_USB 7

ViStatus viOpenDefaultRM(ViSession *vi);
ViStatus viFindRsrc(ViSession sesn, ViConstString expr, ViFindList *findList, ViUInt32 *retcnt,
                    ViChar desc[]);
ViStatus viFindNext(ViFindList findList, ViChar desc[]);
ViStatus viOpen(ViSession sesn, ViConstRsrc name, ViAccessMode mode, ViUInt32 timeout,
                ViSession *vi);
ViStatus viClose(ViObject vi);
ViStatus viGetAttribute(ViObject vi, ViAttr attrName, void *attrValue);
ViStatus viSetAttribute(ViObject vi, ViAttr attrName, ViAttrState attrValue);
ViStatus viWrite(ViSession vi, ViConstBuf buf, ViUInt32 cnt, ViUInt32 *retCnt);
ViStatus viRead(ViSession vi, ViBuf buf, ViUInt32 cnt, ViUInt32 *retCnt);
ViStatus viStatusDesc(ViObject vi, ViStatus status, ViChar desc[]);

#ifdef __cplusplus
}
#endif

#endif
