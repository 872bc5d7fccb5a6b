// Error queue and event status register of one connection.
#include "scpiSession.h"

#include <map>

namespace tssim {

namespace {

std::string quotedText(const std::string &text)
{
    std::string out = "\"";
    for (char c : text) {
        if (c == '"')
            out += '"';
        if (c == '\n' || c == '\r')
            c = ' ';
        out += c;
    }
    return out + "\"";
}

} // namespace

void ScpiSession::pushError(int code, const std::string &text)
{
    if (code < 0) {
        if (code <= -100 && code > -200)
            m_esr |= 32; // command error
        else if (code <= -200 && code > -300)
            m_esr |= 16; // execution error
        else if (code <= -300 && code > -400)
            m_esr |= 8; // device-dependent error
        else if (code <= -400 && code > -500)
            m_esr |= 4; // query error
    }
    const std::string entry = std::to_string(code) + "," + quotedText(text);
    if (m_queue.size() >= QueueSize) {
        m_queue.back() = "-350," + quotedText("Queue overflow");
        return;
    }
    m_queue.push_back(entry);
}

std::string ScpiSession::popError()
{
    if (m_queue.empty())
        return "0,\"No error\"";
    std::string entry = m_queue.front();
    m_queue.pop_front();
    return entry;
}

void ScpiSession::clear()
{
    m_queue.clear();
    m_esr = 0;
}

int ScpiSession::takeEventStatus()
{
    const int value = m_esr;
    m_esr = 0;
    return value;
}

std::string ScpiSession::standardText(int code)
{
    static const std::map<int, const char *> texts = {
        {-100, "Command error"},          {-101, "Invalid character"},
        {-102, "Syntax error"},           {-104, "Data type error"},
        {-108, "Parameter not allowed"},  {-109, "Missing parameter"},
        {-113, "Undefined header"},       {-151, "Invalid string data"},
        {-200, "Execution error"},        {-221, "Settings conflict"},
        {-222, "Data out of range"},      {-223, "Too much data"},
        {-224, "Illegal parameter value"}, {-250, "Mass storage error"},
        {-256, "File name not found"},    {-257, "File name error"},
        {-300, "Device-specific error"},  {-350, "Queue overflow"},
        {-363, "Input buffer overrun"},   {-400, "Query error"},
    };
    const auto it = texts.find(code);
    if (it != texts.end())
        return it->second;
    return code < 0 ? "Simulated error" : "Simulated warning";
}

} // namespace tssim
