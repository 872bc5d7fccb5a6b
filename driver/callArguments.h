// Argument checks and text copies shared by the driver's functions.
#ifndef TS4720_CALLARGUMENTS_H
#define TS4720_CALLARGUMENTS_H

#include "visatype.h"

#include <string>

namespace ts4720 {

bool validChannel(ViInt16 channel);
// Thermocouple types of a channel, and the names of the custom coefficient sets.
bool validChannelType(const char *name);
bool validCustomTypeName(const char *name);

// Copies with truncation into a buffer of `size` bytes, always terminated.
void copyText(char *destination, size_t size, const std::string &text);

// Combines two statuses: the first error wins, else the first warning.
ViStatus worse(ViStatus a, ViStatus b);

} // namespace ts4720

#endif
