// What a page of the main panel needs to know about its instrument, handed over at
// construction so pages can also be built on their own (tests).
#ifndef TS4720_PANELCONTEXT_H
#define TS4720_PANELCONTEXT_H

#include "visatype.h"

class pollingThread;

struct panelContext {
    ViSession vi = 0;          // the GUI's instrument session; 0 in demo and viewer mode
    bool demo = false;         // demo mode, also set in viewer mode
    bool viewer = false;       // showing a data file (the loaded-file record)
    int channelCount = 16;     // 16, 32 or 48
    pollingThread *poller = nullptr;
};

#endif
