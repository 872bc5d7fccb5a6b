/* Basic VISA types, with the standard names and widths. */
#ifndef TSVISA_VISATYPE_H
#define TSVISA_VISATYPE_H

#include <stdint.h>

typedef uint64_t ViUInt64;
typedef int64_t ViInt64;
typedef uint32_t ViUInt32;
typedef int32_t ViInt32;
typedef uint16_t ViUInt16;
typedef int16_t ViInt16;
typedef uint8_t ViUInt8;
typedef int8_t ViInt8;
typedef char ViChar;
typedef unsigned char ViByte;
typedef void *ViAddr;
typedef float ViReal32;
typedef double ViReal64;

typedef ViUInt16 ViBoolean;
typedef ViInt32 ViStatus;
typedef ViUInt32 ViObject;
typedef ViObject ViSession;
typedef ViObject ViFindList;
typedef ViUInt32 ViAttr;
typedef ViUInt64 ViAttrState;
typedef ViUInt32 ViAccessMode;

typedef ViByte *ViBuf;
typedef const ViByte *ViConstBuf;
typedef ViChar *ViString;
typedef const ViChar *ViConstString;
typedef ViString ViRsrc;
typedef ViConstString ViConstRsrc;

typedef ViUInt16 *ViPUInt16;
typedef ViUInt32 *ViPUInt32;
typedef ViInt32 *ViPInt32;
typedef ViInt16 *ViPInt16;
typedef ViReal64 *ViPReal64;
typedef ViBoolean *ViPBoolean;
typedef ViSession *ViPSession;
typedef ViFindList *ViPFindList;
typedef ViChar *ViPChar;

#define VI_NULL 0
#define VI_TRUE 1
#define VI_FALSE 0
#define VI_SUCCESS 0L

#define _VI_ERROR (-2147483647L - 1)
#define _VI_FUNC
#define _VI_FUNCH

#endif
