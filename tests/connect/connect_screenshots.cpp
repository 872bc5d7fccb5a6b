// Saves pictures of the start-up box, the selection dialog (two instruments of this model
// and one of another), the enter-address dialog and the panel base connected through the
// real driver after Auto Find found one instrument, for looking at by hand:
//   xvfb-run -a build/tests/connect_screenshots <folder>
#include "connectTestSupport.h"
#include "ts2900fp_AppSPC.h"
#include "ts2900fp_spcEnterAddress.h"
#include "ts4720_spc.h"
#include "ts2900fp_spcSelect.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QStyleFactory>
#include <QTreeWidget>

#include <cstdio>

namespace {

void save(QWidget *widget, const QString &path)
{
    widget->grab().save(path);
    std::printf("%s: \"%s\"\n", qPrintable(path), qPrintable(widget->windowTitle()));
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    if (QStyle *style = QStyleFactory::create("Plastique"))
        QApplication::setStyle(style);
    const QString folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(".");
    simFarm sims;
    if (!sims.start("127.43.7.1") || !sims.start("127.43.7.2")
        || !sims.start("127.43.7.3", "Tarsel Ltd.,Korvan 4711,11110001,1.0"))
        return 1;
    setConfiguredResources({sims.descriptor(0), sims.descriptor(1), sims.descriptor(2)});
    fakePersonality spc;

    ts2900fp_spcSelect select(&spc);
    whenModal<QMessageBox>([&folder](QMessageBox *box) {
        save(box, folder + "/startup-box.png");
        for (QAbstractButton *button : box->buttons())
            if (button->text() == "Auto Find")
                button->click();
    });
    whenModal<ts2900fp_spcSelect>([&folder](ts2900fp_spcSelect *dialog) {
        dialog->tree()->setCurrentItem(dialog->tree()->topLevelItem(0)->child(0));
        save(dialog, folder + "/select-dialog.png");
        dialog->reject();
    });
    select.selectModule();

    ts2900fp_spcEnterAddress address(&spc);
    address.loadDescriptors();
    address.show();
    QApplication::processEvents();
    save(&address, folder + "/address-dialog.png");

    // The real personality and driver on the one instrument of this model found.
    setConfiguredResources({sims.descriptor(1), sims.descriptor(2)});
    ts4720_spc real;
    scriptedBoxes boxes({0});
    ts2900fp_AppSPC panel(&real, false);
    panel.show();
    QApplication::processEvents();
    save(&panel, folder + "/panel-base.png");
    std::printf("session %x, LED %s\n", unsigned(panel.session()),
                panel.demoMode() ? "off" : "on");
    return 0;
}
