// Start-up in the fixed order: application and style, personality, splash, data file
// (viewer mode), main window, event loop.
#include "programEntry.h"

#include "dataFileReader.h"
#include "informationOptions.h"
#include "loadedFile.h"
#include "mainPanelFactory.h"
#include "messageBoxes.h"
#include "modelText.h"
#include "panelStyle.h"
#include "ts2900fp_app.h"
#include "ts2900fp_splashLabel.h"
#include "ts4720_spc.h"

#include <QApplication>
#include <QSplashScreen>

#include <memory>

static std::unique_ptr<QSplashScreen> showSplash(ts4720_spc &personality)
{
    const ts2900fp_splashLabel picture(1.0f, 20, personality.modelNumber, false,
                                       personality.notice(), personality.description());
    auto splash = std::make_unique<QSplashScreen>(picture);
    splash->show();
    return splash;
}

// Viewer mode: the panel shows the loaded file and carries its path, as typed, in its title.
static bool prepareViewer(ts2900fp_app &panel, const QString &typedPath)
{
    if (!showLoadedFile(panel))
        return false;
    panel.adjustSize();
    panel.setWindowTitle(ts2900fp_panelName() + QStringLiteral(": ") + typedPath);
    return true;
}

int ts4720fpMain(int argc, char **argv)
{
    if (const std::optional<int> answered = answerInformationOptions(argc, argv))
        return *answered;
    // Sizes follow the screen's resolution, fractional factors included (150 % at 144 dpi).
    QApplication::setAttribute(Qt::AA_EnableHighDpiScaling);
    QApplication::setAttribute(Qt::AA_UseHighDpiPixmaps);
    QApplication::setHighDpiScaleFactorRoundingPolicy(Qt::HighDpiScaleFactorRoundingPolicy::PassThrough);
    QApplication app(argc, argv);
    // Lets the desktop match the window to the menu entry and its icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("com.tarsel.ts4720fp"));
    ts2900fp_applyPanelStyle();
    ts4720_spc personality;
    ts2900fp_setModelText(personality.modelText());
    std::unique_ptr<QSplashScreen> splash = showSplash(personality);

    QString typedPath;
    if (argc == 2) {
        typedPath = QString::fromLocal8Bit(argv[1]);
        if (readDataFileHeader(argv[1], &loadedFile()) < 0) {
            messageBoxes::critical(QApplication::activeWindow(), ts2900fp_sfpTitle(),
                                   QStringLiteral("Cannot read '%1'.").arg(typedPath),
                                   QMessageBox::Ok);
            return -1;
        }
    }
    const bool viewer = loadedFile().viewer != 0;
    std::unique_ptr<ts2900fp_app> panel = createMainPanel(personality, viewer);
    panel->show();
    if (viewer && !prepareViewer(*panel, typedPath))
        return 0;
    splash->finish(panel.get());
    splash.reset();

    app.exec(); // how the loop ended does not change the exit code
    return 0;
}
