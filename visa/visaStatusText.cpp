// Texts of the VISA statuses.
#include "visaStatusText.h"

#include "visa.h"

namespace tsvisa {

namespace {

struct StatusText {
    ViStatus status;
    const char *text;
};

const StatusText texts[] = {
    {VI_SUCCESS, "VI_SUCCESS: Operation completed."},
    {VI_SUCCESS_TERM_CHAR, "VI_SUCCESS_TERM_CHAR: The read stopped at the termination character."},
    {VI_SUCCESS_MAX_CNT, "VI_SUCCESS_MAX_CNT: The read stopped after the requested number of bytes."},
    {VI_WARN_NULL_OBJECT, "VI_WARN_NULL_OBJECT: The object reference is VI_NULL; nothing was closed."},
    {VI_WARN_UNKNOWN_STATUS, "VI_WARN_UNKNOWN_STATUS: This status value is not known to the library."},
    {VI_ERROR_SYSTEM_ERROR, "VI_ERROR_SYSTEM_ERROR: The operating system refused a resource the library needs."},
    {VI_ERROR_INV_OBJECT, "VI_ERROR_INV_OBJECT: The session or object reference is not valid (never opened or already closed)."},
    {VI_ERROR_RSRC_LOCKED, "VI_ERROR_RSRC_LOCKED: The resource is locked."},
    {VI_ERROR_INV_EXPR, "VI_ERROR_INV_EXPR: The search expression is not valid."},
    {VI_ERROR_RSRC_NFOUND, "VI_ERROR_RSRC_NFOUND: The resource was not found: no match for the search, or the host refused, could not be reached or did not answer in time."},
    {VI_ERROR_INV_RSRC_NAME, "VI_ERROR_INV_RSRC_NAME: The resource descriptor is not valid."},
    {VI_ERROR_INV_ACC_MODE, "VI_ERROR_INV_ACC_MODE: The access mode is not valid (this library has no locks)."},
    {VI_ERROR_TMO, "VI_ERROR_TMO: The timeout expired before the operation completed."},
    {VI_ERROR_CLOSING_FAILED, "VI_ERROR_CLOSING_FAILED: The session or object could not be closed."},
    {VI_ERROR_NSUP_ATTR, "VI_ERROR_NSUP_ATTR: The attribute is not supported by this session or object."},
    {VI_ERROR_NSUP_ATTR_STATE, "VI_ERROR_NSUP_ATTR_STATE: The attribute value is not valid or not supported."},
    {VI_ERROR_ATTR_READONLY, "VI_ERROR_ATTR_READONLY: The attribute is read-only."},
    {VI_ERROR_ALLOC, "VI_ERROR_ALLOC: Not enough memory."},
    {VI_ERROR_IO, "VI_ERROR_IO: An input/output error occurred on the connection."},
    {VI_ERROR_NSUP_OPER, "VI_ERROR_NSUP_OPER: The session or object does not support this operation."},
    {VI_ERROR_USER_BUF, "VI_ERROR_USER_BUF: A buffer or output argument is missing or not valid."},
    {VI_ERROR_RSRC_BUSY, "VI_ERROR_RSRC_BUSY: The resource is busy."},
    {VI_ERROR_INV_PARAMETER, "VI_ERROR_INV_PARAMETER: A parameter value is not valid."},
    {VI_ERROR_LIBRARY_NFOUND, "VI_ERROR_LIBRARY_NFOUND: A library that VISA needs could not be loaded."},
    {VI_ERROR_CONN_LOST, "VI_ERROR_CONN_LOST: The connection was closed by the peer or broke."},
    {VI_ERROR_INTF_NUM_NCONFIG, "VI_ERROR_INTF_NUM_NCONFIG: No interface of this type and number is configured here (only TCPIP resources can be opened)."},
};

} // namespace

const char *statusText(ViStatus status)
{
    for (const StatusText &entry : texts) {
        if (entry.status == status)
            return entry.text;
    }
    return nullptr;
}

} // namespace tsvisa
