// The main window of the program: the Korvan 4720 main panel, whose base classes run the
// start-up dialogue and label the window.
#include "mainPanelFactory.h"

#include "measurement.h"
#include "ts4720fp_App.h"

std::unique_ptr<ts2900fp_app> createMainPanel(ts2900fp_genSPC &personality, bool viewer)
{
    return std::make_unique<ts4720fp_App>(&personality, viewer);
}

bool showLoadedFile(ts2900fp_app &panel)
{
    auto *mainPanel = qobject_cast<ts4720fp_App *>(&panel);
    if (!mainPanel)
        return false;
    mainPanel->applyViewerRestrictions();
    return mainPanel->measurementPage() && mainPanel->measurementPage()->loadFile();
}
