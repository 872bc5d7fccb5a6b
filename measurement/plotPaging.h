// Paging through loaded scans with a plot's position slider: the scroll step, the slider's
// range, and which scans a slider position shows.
#ifndef TS4720_PLOTPAGING_H
#define TS4720_PLOTPAGING_H

struct plotPaging {
    int scans = 0;          // scans held by the windows
    int plotLength = 0;     // scans per pane, at most scans
    int scrollStep = 1;     // scans per slider step: max(plotLength / 5, 1)
    int sliderMaximum = 0;  // (scans - plotLength) / scrollStep; the slider is enabled from 1 on

    // The scans shown from slider position value on: first is value * scrollStep, and the
    // last position (or one that would run past the end) shows up to the last scan.
    struct range {
        int first = 0;
        int count = 0;
    };

    // A plot length above scans (or below 1) is taken as scans.
    static plotPaging of(int scans, int plotLength);
    range shown(int sliderValue) const;
};

#endif
