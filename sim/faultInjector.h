// The test hooks' misbehaviour: operations that fail with a given code, a reply delay,
// and silence.
#ifndef TSSIM_FAULTINJECTOR_H
#define TSSIM_FAULTINJECTOR_H

#include <map>
#include <string>

namespace tssim {

class FaultInjector {
public:
    // name: short-form header ("CHAN:STAT" covers command and query, "CHAN:STAT?" only the
    // query); times: how often, 0 until cleared.
    void addFailure(const std::string &name, int code, long long times);
    void clearFailures() { m_failures.clear(); }
    // The code for one execution of the command named entryName ("CHAN:STAT" or "CHAN:STAT?"),
    // counting it down; 0 when it runs normally.
    int takeFailure(const std::string &entryName);

    int delayMs = 0;
    bool silent = false;

private:
    struct Failure {
        int code;
        long long remaining; // 0: until cleared
    };
    std::map<std::string, Failure> m_failures;
};

} // namespace tssim

#endif
