// Takes pictures of the panel's windows in various states, for looking at the layout:
//   ts4720-screens [folder [set]]   (default: the temporary folder, every set; sets: panel,
//   channels, connection, storage, plot, view)
//   ts4720-screens folder viewer FILE.csv   (the program as a viewer of FILE.csv)
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
    const QString set = argc > 2 ? QString::fromLocal8Bit(argv[2]) : QString();
    QDir().mkpath(dir);
    if (set == QLatin1String("viewer")) {
        panelScreens::viewer(dir, argc > 3 ? QString::fromLocal8Bit(argv[3]) : QString());
        return 0;
    }
    const struct {
        const char *name;
        void (*take)(const QString &);
    } sets[] = {{"panel", panelScreens::mainPanel},     {"channels", panelScreens::channelPages},
                {"measurement", panelScreens::measurementPages}, {"acquisition", panelScreens::acquisitionPages},
                {"connection", panelScreens::connection}, {"storage", panelScreens::storagePage},
                {"plot", panelScreens::plotPane},         {"view", panelScreens::storageView}};
    for (const auto &s : sets) {
        if (set.isEmpty() || set == QLatin1String(s.name))
            s.take(dir);
    }
    return 0;
}
