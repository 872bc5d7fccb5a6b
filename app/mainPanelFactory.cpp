// The main window of this build: the panel frame with the product title, no instrument
// pages yet. The instrument main panel takes the frame's place in these two functions
// (its base classes carry the connection dialogue and the title texts set here).
#include "mainPanelFactory.h"

#include "modelText.h"
#include "ts2900fp_app.h"
#include "ts2900fp_genSPC.h"

#include <QPushButton>

std::unique_ptr<ts2900fp_app> createMainPanel(ts2900fp_genSPC &personality, bool viewer)
{
    ts2900fp_setModelText(personality.modelText());
    auto panel = std::make_unique<ts2900fp_app>();
    panel->setWindowTitle(QStringLiteral("Korvan ") + personality.modelText()
                          + QStringLiteral(" Soft Front Panel"));
    panel->setTitle(QStringLiteral("<html>Korvan ") + personality.modelText()
                    + QStringLiteral("<br><font size='2'>") + personality.description()
                    + QStringLiteral("</font></html>"));
    panel->setActive(1); // no instrument session: the LED stays dark
    panel->setLxiLogo(true);
    panel->aboutButton()->setEnabled(!viewer);
    panel->resetButton()->setEnabled(!viewer);
    return panel;
}

bool showLoadedFile(ts2900fp_app &)
{
    // The frame has no page that could show the file's data.
    return true;
}
