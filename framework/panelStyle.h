// The fixed widget style of the maker's panels.
#ifndef TS2900FP_PANELSTYLE_H
#define TS2900FP_PANELSTYLE_H

// Sets a new Plastique style as the application style; Qt 5 ships Plastique only as a
// plug-in, so Fusion (its closest built-in relative) stands in when the plug-in is missing.
void ts2900fp_applyPanelStyle();

#endif
