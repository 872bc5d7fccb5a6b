// Splits one SCPI message into its program units (header, query flag, arguments).
#ifndef TSSIM_SCPIPARSER_H
#define TSSIM_SCPIPARSER_H

#include <string>
#include <vector>

namespace tssim {

struct ScpiArgument {
    std::string text;     // without quotes; doubled quotes inside a string are undone
    bool quoted = false;
};

struct ScpiUnit {
    std::vector<std::string> mnemonics; // upper-cased; a common command is one "*XXX" mnemonic
    bool absolute = false;              // the unit began with ':'
    bool common = false;                // "*IDN?" and friends
    bool query = false;
    std::vector<ScpiArgument> arguments;
    int errorCode = 0;                  // not 0: the unit cannot be parsed; SCPI error code
    std::string errorDetail;
};

class ScpiParser {
public:
    // Every unit of the message, in order; empty units (";;") are skipped.
    static std::vector<ScpiUnit> parse(const std::string &message);

    // Conversions of argument texts; false when the text is not of that kind.
    static bool toDouble(const std::string &text, double *value); // also NAN, INF, -INF
    static bool toInteger(const std::string &text, long long *value);
    static bool toBoolean(const std::string &text, bool *value); // 0, 1, ON, OFF

private:
    static ScpiUnit parseUnit(const std::string &text);
    static bool parseArguments(const std::string &text, ScpiUnit *unit);
    // 0, or the SCPI error code of a malformed argument.
    static int parseArgument(const std::string &text, ScpiArgument *argument);
};

} // namespace tssim

#endif
