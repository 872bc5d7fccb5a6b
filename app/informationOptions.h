// --help and --version of the panel, answered before the application object exists so
// that they need no display.
#ifndef TS4720_INFORMATIONOPTIONS_H
#define TS4720_INFORMATIONOPTIONS_H

#include <optional>

// The exit code when --help or --version was given (the answer is printed on standard
// output); nothing when the panel is to start. Other arguments, Qt's own options and a file
// named like an option (open it as ./--help) are left to the start-up.
std::optional<int> answerInformationOptions(int argc, char **argv);

#endif
