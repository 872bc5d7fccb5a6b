// The instrument's command set: header patterns in SCPI short/long form and their handlers.
#ifndef TSSIM_COMMANDTABLE_H
#define TSSIM_COMMANDTABLE_H

#include "scpiParser.h"

#include <functional>
#include <string>
#include <vector>

namespace tssim {

struct InstrumentModel;
class ScpiSession;

// What a handler sees of one unit; it appends its reply (queries) or reports an error.
class CommandContext {
public:
    CommandContext(InstrumentModel &model, ScpiSession &session, const ScpiUnit &unit, long long nowNs);

    InstrumentModel &model;
    ScpiSession &session;
    const ScpiUnit &unit;
    const long long nowNs;   // instrument time (ns since 1970) when the message arrived
    std::string reply;       // the unit's reply without separators
    bool failed = false;

    // Queues the error (standard text plus detail) and marks the unit failed.
    void fail(int code, const std::string &detail = std::string());
    // Argument checks; each reports -109/-108/-104/-222 itself and returns false.
    bool expectCount(size_t minimum, size_t maximum);
    bool integer(size_t index, long long minimum, long long maximum, long long *value);
    bool real(size_t index, double minimum, double maximum, double *value); // NaN refused
    bool boolean(size_t index, bool *value);
    bool string(size_t index, std::string *value); // quoted or not
    // The channel number argument: 1 .. the model's channel count.
    bool channel(size_t index, int *number);
};

class CommandTable {
public:
    using Handler = std::function<void(CommandContext &)>;
    struct Entry {
        std::vector<std::string> shortForms;
        std::vector<std::string> longForms;
        bool query = false;
        bool block = false; // replies with a definite-length block ("#10" when it fails)
        std::string name;   // short-form header, e.g. "CHAN:STAT" or "CHAN:STAT?"
        Handler handler;
    };

    // pattern: "CHANnel:STATe"; capitals are the short form.
    void add(const char *pattern, bool query, Handler handler, bool block = false);
    // The entry for these mnemonics relative to a path (absolute units use an empty one).
    const Entry *find(const std::vector<std::string> &path, const std::vector<std::string> &mnemonics,
                      bool query) const;
    // The short-form header ("CHAN:STAT" or with "?") of a header text such as "channel:state?";
    // empty when no command has that header.
    std::string canonicalName(const std::string &header) const;

private:
    const Entry *match(const std::vector<std::string> &mnemonics, bool query) const;
    std::vector<Entry> m_entries;
};

} // namespace tssim

#endif
