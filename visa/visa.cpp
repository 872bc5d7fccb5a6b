// The VISA functions: argument checks, then the object table and the session objects.
#include "visa.h"

#include "findExpression.h"
#include "objectTable.h"
#include "resourceList.h"
#include "visaStatusText.h"

#include <cstring>

using tsvisa::ObjectTable;

namespace {

void copyDescriptor(const std::string &text, ViChar desc[])
{
    if (!desc)
        return;
    const size_t n = text.size() < VI_FIND_BUFLEN ? text.size() : VI_FIND_BUFLEN - 1;
    std::memcpy(desc, text.data(), n);
    desc[n] = '\0';
}

// The status for an object that cannot do what was asked: it exists but is of another
// kind, or it does not exist (never opened, or closed).
ViStatus wrongObject(ViObject object)
{
    return ObjectTable::instance().contains(object) ? VI_ERROR_NSUP_OPER : VI_ERROR_INV_OBJECT;
}

// viWrite and viRead: the same checks and count reporting around the session's transfer.
template <typename Buffer, typename Transfer>
ViStatus transfer(ViSession vi, Buffer buf, ViUInt32 cnt, ViUInt32 *retCnt, Transfer run)
{
    ViUInt32 done = 0;
    if (retCnt)
        *retCnt = 0;
    const auto session = ObjectTable::instance().session(vi);
    if (!session)
        return wrongObject(vi);
    if (!buf && cnt > 0)
        return VI_ERROR_USER_BUF;
    const ViStatus status = run(*session, buf, cnt, &done);
    if (retCnt)
        *retCnt = done;
    return status;
}

} // namespace

ViStatus viOpenDefaultRM(ViSession *vi)
{
    if (!vi)
        return VI_ERROR_USER_BUF;
    *vi = ObjectTable::instance().addManager();
    return VI_SUCCESS;
}

ViStatus viFindRsrc(ViSession sesn, ViConstString expr, ViFindList *findList, ViUInt32 *retcnt,
                    ViChar desc[])
{
    if (findList)
        *findList = VI_NULL;
    if (retcnt)
        *retcnt = 0;
    copyDescriptor(std::string(), desc);
    ObjectTable &table = ObjectTable::instance();
    if (!table.isManager(sesn))
        return wrongObject(sesn);
    tsvisa::FindExpression expression;
    if (!expr || expression.compile(expr) != VI_SUCCESS)
        return VI_ERROR_INV_EXPR;
    std::vector<std::string> found;
    for (const std::string &descriptor : tsvisa::configuredResources()) {
        if (expression.matches(descriptor))
            found.push_back(descriptor);
    }
    if (found.empty())
        return VI_ERROR_RSRC_NFOUND;
    const std::string first = found.front();
    const auto count = static_cast<ViUInt32>(found.size());
    if (findList) {
        *findList = table.addFindList(sesn, std::make_shared<tsvisa::FindList>(std::move(found)));
        if (*findList == VI_NULL)
            return VI_ERROR_INV_OBJECT; // the manager was closed meanwhile
    }
    if (retcnt)
        *retcnt = count;
    copyDescriptor(first, desc);
    return VI_SUCCESS;
}

ViStatus viFindNext(ViFindList findList, ViChar desc[])
{
    const auto list = ObjectTable::instance().findList(findList);
    if (!list)
        return wrongObject(findList);
    std::string descriptor;
    if (!list->next(&descriptor))
        return VI_ERROR_RSRC_NFOUND;
    copyDescriptor(descriptor, desc);
    return VI_SUCCESS;
}

ViStatus viOpen(ViSession sesn, ViConstRsrc name, ViAccessMode mode, ViUInt32 timeout,
                ViSession *vi)
{
    (void)timeout; // the lock wait: there are no locks here
    if (vi)
        *vi = VI_NULL;
    ObjectTable &table = ObjectTable::instance();
    if (!table.isManager(sesn))
        return wrongObject(sesn);
    if (!vi)
        return VI_ERROR_USER_BUF;
    if ((mode & ~static_cast<ViAccessMode>(VI_LOAD_CONFIG)) != 0)
        return VI_ERROR_INV_ACC_MODE;
    tsvisa::ResourceDescriptor descriptor;
    if (!name || tsvisa::parseDescriptor(name, &descriptor) != VI_SUCCESS)
        return VI_ERROR_INV_RSRC_NAME;
    std::shared_ptr<tsvisa::InstrSession> session;
    const ViStatus status = tsvisa::InstrSession::open(descriptor, &session);
    if (status != VI_SUCCESS)
        return status;
    *vi = table.addSession(sesn, session);
    if (*vi == VI_NULL)
        return VI_ERROR_INV_OBJECT; // the manager was closed during the connect
    return VI_SUCCESS;
}

ViStatus viClose(ViObject vi)
{
    if (vi == VI_NULL)
        return VI_WARN_NULL_OBJECT;
    std::vector<std::shared_ptr<tsvisa::InstrSession>> sessions;
    if (!ObjectTable::instance().remove(vi, &sessions))
        return VI_ERROR_INV_OBJECT;
    // A call still running on a session holds its own reference; the shutdown ends its
    // wait, and the socket closes when the last reference goes.
    for (const auto &session : sessions)
        session->shutdown();
    return VI_SUCCESS;
}

ViStatus viGetAttribute(ViObject vi, ViAttr attrName, void *attrValue)
{
    const auto session = ObjectTable::instance().session(vi);
    if (!session)
        return ObjectTable::instance().contains(vi) ? VI_ERROR_NSUP_ATTR : VI_ERROR_INV_OBJECT;
    if (!attrValue)
        return VI_ERROR_USER_BUF;
    return session->getAttribute(attrName, attrValue);
}

ViStatus viSetAttribute(ViObject vi, ViAttr attrName, ViAttrState attrValue)
{
    const auto session = ObjectTable::instance().session(vi);
    if (!session)
        return ObjectTable::instance().contains(vi) ? VI_ERROR_NSUP_ATTR : VI_ERROR_INV_OBJECT;
    return session->setAttribute(attrName, attrValue);
}

ViStatus viWrite(ViSession vi, ViConstBuf buf, ViUInt32 cnt, ViUInt32 *retCnt)
{
    return transfer(vi, buf, cnt, retCnt, [](auto &session, ViConstBuf b, ViUInt32 n, ViUInt32 *d) {
        return session.write(b, n, d);
    });
}

ViStatus viRead(ViSession vi, ViBuf buf, ViUInt32 cnt, ViUInt32 *retCnt)
{
    return transfer(vi, buf, cnt, retCnt, [](auto &session, ViBuf b, ViUInt32 n, ViUInt32 *d) {
        return session.read(b, n, d);
    });
}

ViStatus viStatusDesc(ViObject vi, ViStatus status, ViChar desc[])
{
    (void)vi; // the texts are the same for every session
    if (!desc)
        return VI_ERROR_USER_BUF;
    const char *text = tsvisa::statusText(status);
    if (!text) {
        copyDescriptor("Unknown status value " + std::to_string(status) + ".", desc);
        return VI_WARN_UNKNOWN_STATUS;
    }
    copyDescriptor(text, desc);
    return VI_SUCCESS;
}
