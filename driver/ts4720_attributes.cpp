// Attribute functions: ATTR? / ATTR.
#include "ts4720.h"

#include "callArguments.h"
#include "sessionCall.h"

#include <string>

using namespace ts4720;

namespace {
enum class AttrKind { Unknown, Text, Int32, UInt32 };

AttrKind kindOf(ViAttr attribute)
{
    switch (attribute) {
    case ts4720_ATTR_DESCRIPTION: case ts4720_ATTR_ASSET_NO: case ts4720_ATTR_CURRENT_HOSTNAME:
    case ts4720_ATTR_CURRENT_IPADDR: case ts4720_ATTR_CURRENT_NETMASK:
    case ts4720_ATTR_CURRENT_GATEWAY: case ts4720_ATTR_CURRENT_DNS1: case ts4720_ATTR_CURRENT_DNS2:
    case ts4720_ATTR_LXI_CLASS: case ts4720_ATTR_ETH_ADDR: case ts4720_ATTR_PRODUCT_REVISION:
    case ts4720_ATTR_SUB_TYPE:
        return AttrKind::Text;
    case ts4720_ATTR_DATA_FORMAT: case ts4720_ATTR_SHADOW_COPY:
        return AttrKind::Int32;
    case ts4720_ATTR_SER_NUM:
        return AttrKind::UInt32;
    default:
        return AttrKind::Unknown;
    }
}

bool validValue(ViAttr attribute, ViInt32 value)
{
    if (attribute == ts4720_ATTR_SHADOW_COPY)
        return value >= 0 && value <= 2;
    // The temperature is always part of the data; voltage and cold junction are extras.
    return value >= 1 && value <= 7 && (value & 1) != 0;
}

ViStatus storeValue(AttrKind kind, const std::string &unit, void *value)
{
    if (kind == AttrKind::Text) {
        std::string text;
        if (!scpi::unquote(unit, &text))
            return TS4720_ERROR_BAD_RESPONSE;
        copyText(static_cast<ViChar *>(value), TS4720_ATTR_STRING_SIZE, text);
        return VI_SUCCESS;
    }
    long long number = 0;
    if (!scpi::toLong(unit, &number))
        return TS4720_ERROR_BAD_RESPONSE;
    if (kind == AttrKind::UInt32) {
        if (number < 0 || number > 0xFFFFFFFFLL)
            return TS4720_ERROR_BAD_RESPONSE;
        *static_cast<ViUInt32 *>(value) = static_cast<ViUInt32>(number);
    } else {
        if (number < -0x80000000LL || number > 0x7FFFFFFFLL)
            return TS4720_ERROR_BAD_RESPONSE;
        *static_cast<ViInt32 *>(value) = static_cast<ViInt32>(number);
    }
    return VI_SUCCESS;
}
} // namespace

ViStatus ts4720_getAttribute(ViSession vi, ViAttr attribute, void *value)
{
    AttrKind kind = kindOf(attribute);
    if (kind == AttrKind::Unknown)
        return TS4720_ERROR_INV_ATTRIBUTE;
    if (value == nullptr)
        return TS4720_ERROR_NULL_POINTER;
    std::string unit;
    ViStatus status = sessionQuery(vi, "ATTR? " + std::to_string(attribute), &unit);
    if (status < 0)
        return status;
    ViStatus stored = storeValue(kind, unit, value);
    return stored < 0 ? stored : status;
}

ViStatus ts4720_setAttribute(ViSession vi, ViAttr attribute, ViInt32 value)
{
    AttrKind kind = kindOf(attribute);
    if (kind == AttrKind::Unknown)
        return TS4720_ERROR_INV_ATTRIBUTE;
    if (kind != AttrKind::Int32)
        return TS4720_ERROR_ATTR_READ_ONLY;
    if (!validValue(attribute, value))
        return TS4720_ERROR_INV_PARAMETER;
    return sessionCommand(vi, "ATTR " + std::to_string(attribute) + "," + std::to_string(value),
                          attribute == ts4720_ATTR_DATA_FORMAT);
}
