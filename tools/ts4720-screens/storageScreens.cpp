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

#include <QTemporaryDir>

#include <cstdio>
#include <memory>

namespace panelScreens {

void storagePage(const QString &dir)
{
    tssim::Options options;
    options.address = "127.44.9.31";
    options.webPort = -1;
    options.largeSample = true;
    tssim::Instrument instrument(options);
    std::string why;
    if (!instrument.start(&why)) {
        std::fprintf(stderr, "cannot start a simulated instrument: %s\n", why.c_str());
        return;
    }
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

} // namespace panelScreens
