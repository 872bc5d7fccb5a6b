// Takes pictures of the panel's windows in various states, for looking at the layout:
//   ts4720-screens [folder]   (default: the temporary folder)
// Run it under xvfb-run (or with QT_QPA_PLATFORM=offscreen). Not a test.
#include "panelScreens.h"
#include "panelStyle.h"

#include <QApplication>
#include <QDir>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    ts2900fp_applyPanelStyle();
    const QString dir = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QDir::tempPath();
    QDir().mkpath(dir);
    panelScreens::mainPanel(dir);
    panelScreens::channelPages(dir);
    panelScreens::connection(dir);
    panelScreens::plotPane(dir);
    panelScreens::measurementPages(dir);
    return 0;
}
