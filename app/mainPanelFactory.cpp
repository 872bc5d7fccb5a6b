// The main window of this build: the panel base (start-up dialogue, window labels, About
// box), no instrument pages yet. The instrument main panel takes its place in these two
// functions.
#include "mainPanelFactory.h"

#include "ts2900fp_AppSPC.h"
#include "ts2900fp_genSPC.h"

#include <QPushButton>

std::unique_ptr<ts2900fp_app> createMainPanel(ts2900fp_genSPC &personality, bool viewer)
{
    // The panel base runs the start-up dialogue and labels the window, LED and logo.
    auto panel = std::make_unique<ts2900fp_AppSPC>(&personality, viewer);
    panel->resetButton()->setEnabled(!viewer);
    return panel;
}

bool showLoadedFile(ts2900fp_app &)
{
    // The frame has no page that could show the file's data.
    return true;
}
