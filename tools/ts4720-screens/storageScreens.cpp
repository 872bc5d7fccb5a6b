// Pictures of the "Internal Storage" tab against a simulated instrument (127.44.9.3x) whose
// disks hold files of every size form, sorted by size; the main panel showing the tab; the
// box that refuses a name from the instrument that cannot be a file name here.
#include "panelScreens.h"

#include "internalStorage.h"
#include "itemModel.h"
#include "messageBoxes.h"
#include "simInstrument.h"
#include "standardDialogs.h"
#include "ts4720.h"
#include "ts4720_spc.h"
#include "ts4720fp_App.h"
#include "viewerLauncher.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QMouseEvent>
#include <QScreen>
#include <QTabWidget>
#include <QTableView>
#include <QTemporaryDir>

#include <cstdio>
#include <memory>

namespace {
// A simulated instrument whose disks hold recordings of every size form; null when it
// cannot start.
std::unique_ptr<tssim::Instrument> instrumentWithFiles(const char *address)
{
    tssim::Options options;
    options.address = address;
    options.webPort = -1;
    options.largeSample = true;
    auto instrument = std::make_unique<tssim::Instrument>(options);
    std::string why;
    if (instrument->start(&why))
        return instrument;
    std::fprintf(stderr, "cannot start a simulated instrument on %s: %s\n", address, why.c_str());
    return nullptr;
}
} // namespace

namespace panelScreens {

void storagePage(const QString &dir)
{
    const auto started = instrumentWithFiles("127.44.9.31");
    if (!started)
        return;
    tssim::Instrument &instrument = *started;
    instrument.command("SIM:DISK:FILE 1,\"run7\",1024;:SIM:DISK:FILE 1,\"run8\",1025;:SIM:DISK:FILE 0,\"run7\",900");
    instrument.command("SIM:DISK:FILE 0,\"../outside\",10;:SIM:DISK:FREE 1,1000");
    ViSession vi = 0;
    ts4720_init(instrument.descriptor().c_str(), VI_FALSE, VI_FALSE, &vi);
    panelContext context;
    context.vi = vi;
    internalStorage page(context);
    page.resize(1000, 560);
    page.doRefresh();
    page.model()->sort(2, Qt::DescendingOrder);
    page.model()->setChecked(1, true);
    save(&page, dir, "storage-instrument-by-size");
    page.model()->sort(1, Qt::AscendingOrder);
    save(&page, dir, "storage-instrument-by-location");

    // Download Selected with every file ticked: one box names the refused one.
    QTemporaryDir target;
    standardDialogs::setDirectoryHandler([&target](QWidget *, const QString &, const QString &) { return target.path(); });
    messageBoxes::ScopedHandler boxes([&dir](const messageBoxes::Request &r) {
        QMessageBox box(QMessageBox::Warning, r.title, r.text, r.standardButtons);
        save(&box, dir, "storage-refused-name");
        return int(QMessageBox::Ok);
    });
    page.doSelectAll();
    page.doDownloadSelected();
    standardDialogs::setDirectoryHandler({});
    ts4720_close(vi);

    panelContext demo;
    demo.demo = true;
    internalStorage demoPage(demo);
    demoPage.resize(1000, 560);
    demoPage.doRefresh();
    save(&demoPage, dir, "storage-demo");
}


// View as a user does it: the main panel connected by Auto Find, the largest file's View
// button clicked with the mouse; the viewer is this build's ts4720fp, started detached on the
// downloaded file. The picture is of the whole screen once the viewer is up.
void storageView(const QString &dir)
{
    const auto instrument = instrumentWithFiles("127.44.9.32");
    if (!instrument)
        return;
    qputenv("TSVISA_RESOURCES", QByteArray::fromStdString(instrument->descriptor()));
    messageBoxes::ScopedHandler boxes([](const messageBoxes::Request &r) {
        std::fprintf(stderr, "box: %s\n", qPrintable(r.text));
        return r.customButtons.isEmpty() ? int(QMessageBox::No) : int(r.customButtons.indexOf("Auto Find"));
    });
    ts4720_spc spc;
    ts4720fp_App panel(&spc, false);
    panel.show();
    QTabWidget *tabs = panel.mainTabs();
    QDeadlineTimer idle(10000);
    while (!tabs->isTabEnabled(ts4720fp_App::internalStorageTab) && !idle.hasExpired())
        QApplication::processEvents(QEventLoop::AllEvents, 50);
    tabs->setCurrentIndex(ts4720fp_App::internalStorageTab);
    auto *page = qobject_cast<internalStorage *>(tabs->currentWidget());
    page->doSort(2, Qt::DescendingOrder);
    save(&panel, dir, "storage-in-panel");

    viewerLauncher::setProgramForTests(QCoreApplication::applicationDirPath() + "/ts4720fp");
    QWidget *viewport = page->table()->viewport();
    const QRect cell = page->table()->visualRect(page->model()->index(0, buttonColumn));
    const QPoint onView = cell.topLeft() + QPoint(12, cell.height() / 2);
    for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
        QMouseEvent click(type, onView, viewport->mapToGlobal(onView), Qt::LeftButton,
                          type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(viewport, &click);
    }
    viewerLauncher::setProgramForTests(QString());
    panel.hide();
    QDeadlineTimer shown(8000);
    while (!shown.hasExpired())
        QApplication::processEvents(QEventLoop::AllEvents, 50);
    const QString path = dir + QStringLiteral("/storage-view-screen.png");
    QGuiApplication::primaryScreen()->grabWindow(0).save(path);
    std::printf("%s\n", qPrintable(path));
}

} // namespace panelScreens
