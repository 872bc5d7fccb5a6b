// Where the program entry gets its main window from.
#ifndef TS4720_MAINPANELFACTORY_H
#define TS4720_MAINPANELFACTORY_H

#include <memory>

class ts2900fp_app;
class ts2900fp_genSPC;

// Builds the main window for the personality; in viewer mode no instrument is contacted.
std::unique_ptr<ts2900fp_app> createMainPanel(ts2900fp_genSPC &personality, bool viewer);

// Viewer mode, after the window is shown: disables what needs an instrument and shows the
// loaded data file. False when the file cannot be shown.
bool showLoadedFile(ts2900fp_app &panel);

#endif
