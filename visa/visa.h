/* The program's own VISA library: the subset of the standard VISA C interface that the
 * soft front panel and its driver need, with the standard names, status codes and
 * attribute values.
 *
 * Transport: TCPIP[board]::host[::device]::INSTR is carried over a plain TCP connection
 * to port 5025 of the host (raw SCPI), not over VXI-11 RPC as commercial libraries do;
 * TCPIP[board]::host::port::SOCKET names the port. Other interface types may appear in
 * the resource list, but cannot be opened here.
 *
 * Resource list: viFindRsrc lists the descriptors of the environment variable
 * TSVISA_RESOURCES (separated by ';') and of the file tsvisa/resources.conf in the
 * user's configuration directory (one per line, '#' starts a comment). There is no
 * network scan.
 *
 * Sessions are independent and may be used from different threads at the same time;
 * calls on one session are not serialised here (the driver serialises its own).
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

/* Completion and warning codes */
#define VI_SUCCESS_TERM_CHAR 0x3FFF0005L
#define VI_SUCCESS_MAX_CNT 0x3FFF0006L

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
#define VI_ATTR_RSRC_NAME 0xBFFF0002UL
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
