// ts4720-resgen: draws every image of the program into the folder given as argument.
#include "appIconArt.h"
#include "iconArt.h"
#include "instrumentArt.h"
#include "logoArt.h"
#include "pictureArt.h"

#include <QDir>
#include <QGuiApplication>

#include <cstdio>

static bool save(const QDir &dir, const char *name, const QImage &image)
{
    const QString path = dir.filePath(QString::fromLatin1(name));
    if (image.save(path))
        return true;
    std::fprintf(stderr, "ts4720-resgen: cannot write %s\n", qPrintable(path));
    return false;
}

int main(int argc, char **argv)
{
    // Drawing needs no screen; fonts come from the platform's font database.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: ts4720-resgen <output folder>\n");
        return 2;
    }
    const QDir dir(QString::fromLocal8Bit(argv[1]));
    bool ok = save(dir, "fp_splash.png", drawSplashBase());
    ok = save(dir, "ts4720fp_splash.png", drawInstrumentPicture()) && ok;
    ok = save(dir, "tarsel-logo.bmp", drawMakerLogo()) && ok;
    ok = save(dir, "vxi-logo.bmp", drawVxiLogo()) && ok;
    ok = save(dir, "lxi-logo.bmp", drawLxiLogo()) && ok;
    ok = save(dir, "about.png", drawAboutPicture()) && ok;
    ok = save(dir, "fp_icon.png", drawWindowIcon()) && ok;
    ok = save(dir, "start.png", drawStartIcon()) && ok;
    ok = save(dir, "stop.png", drawStopIcon()) && ok;
    ok = save(dir, "startcont.png", drawStartContIcon()) && ok;
    ok = save(dir, "whatsthis.png", drawWhatsThisArrow()) && ok;
    // The desktop's icon, at the sizes of the hicolor theme's folders.
    dir.mkpath(QStringLiteral("icons"));
    for (const int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
        const QByteArray name = "icons/ts4720fp-" + QByteArray::number(size) + ".png";
        ok = save(dir, name.constData(), drawAppIcon(size)) && ok;
    }
    return ok ? 0 : 1;
}
