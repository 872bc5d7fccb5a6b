#include "driverStatusText.h"

#include "ts4720.h"

namespace ts4720 {

const char *driverStatusText(ViStatus status)
{
    switch (status) {
    case TS4720_ERROR_INSTRUMENT: return "The instrument reported an error";
    case TS4720_ERROR_INV_SESSION: return "Invalid or closed instrument session";
    case TS4720_ERROR_NULL_POINTER: return "A required output parameter is NULL";
    case TS4720_ERROR_INV_CHANNEL: return "Channel number out of range (1 to 48)";
    case TS4720_ERROR_INV_TYPE_NAME: return "Unknown thermocouple type name";
    case TS4720_ERROR_INV_PARAMETER: return "Parameter value not valid";
    case TS4720_ERROR_INV_ATTRIBUTE: return "Unknown attribute";
    case TS4720_ERROR_ATTR_READ_ONLY: return "The attribute is read-only";
    case TS4720_ERROR_NOT_IDENTIFIED: return "The instrument is not a Tarsel Ltd. Korvan 4720";
    case TS4720_ERROR_BAD_RESPONSE: return "The instrument's reply was not understood";
    case TS4720_ERROR_ACQ_RUNNING: return "An acquisition is already running";
    case TS4720_ERROR_ACQ_NOT_RUNNING: return "No acquisition is running";
    case TS4720_ERROR_ACQ_OVERFLOW:
        return "The instrument stopped the acquisition because its scan memory was full "
               "(the scans taken until then are kept)";
    case TS4720_ERROR_BUFFER_TOO_SMALL: return "The buffer is too small for the data";
    case TS4720_ERROR_FILE_IO: return "Cannot write the local file";
    case TS4720_ERROR_CONNECTION_DOWN:
        return "The connection to the instrument is down; the call was not sent";
    case TS4720_ERROR_RECONNECTING:
        return "Connection lost, reconnecting: the call was not sent while the acquisition reconnects";
    case TS4720_WARN_INSTRUMENT: return "The instrument reported a warning";
    default: return nullptr;
    }
}

} // namespace ts4720
