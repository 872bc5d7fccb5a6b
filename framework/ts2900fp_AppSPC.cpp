// The panel base: start-up dialogue, instrument session, window labels, About dialog.
#include "ts2900fp_AppSPC.h"

#include "commonReports.h"
#include "modelText.h"
#include "ts2900fp_About.h"
#include "ts2900fp_genSPC.h"
#include "ts2900fp_spcSelect.h"
#include "visa.h"

#include <QPushButton>

#include <cstdio>
#include <cstdlib>
#include <memory>

namespace {

// Models 4700 to 6999 are network instruments; the older ones sit in a VXI chassis.
bool isNetworkModel(int modelNumber)
{
    return modelNumber >= 4700 && modelNumber < 7000;
}

// Slot, interface type and host name of an open VISA session; false when the session
// does not answer as a VISA session. Statuses of the single reads are ignored.
bool readVisaAttributes(ViSession vi, moduleAttributes &module)
{
    ViUInt16 interfaceType = 0;
    if (viGetAttribute(vi, VI_ATTR_INTF_TYPE, &interfaceType) != VI_SUCCESS)
        return false;
    module.interfaceType = interfaceType;
    viGetAttribute(vi, VI_ATTR_SLOT, &module.slot);
    if (interfaceType == VI_INTF_TCPIP) {
        ViChar hostName[256] = {};
        viGetAttribute(vi, VI_ATTR_TCPIP_HOSTNAME, hostName);
        hostName[sizeof hostName - 1] = 0;
        module.host = QString::fromLatin1(hostName);
    }
    return true;
}

// The attributes of the connected module. The driver's session may be a handle of the
// driver's own rather than a VISA session; then a short VISA session on the descriptor
// answers instead (no instrument traffic beyond opening the connection).
void readModuleAttributes(ViSession driverSession, const QString &descriptor,
                          moduleAttributes &module)
{
    if (readVisaAttributes(driverSession, module))
        return;
    ViSession rm = 0;
    if (viOpenDefaultRM(&rm) != VI_SUCCESS)
        return;
    ViSession vi = 0;
    if (viOpen(rm, descriptor.toLatin1().constData(), VI_NULL, 0, &vi) >= VI_SUCCESS) {
        readVisaAttributes(vi, module);
        viClose(vi);
    }
    viClose(rm);
}

} // namespace

ts2900fp_AppSPC::ts2900fp_AppSPC(ts2900fp_genSPC *personality, bool viewer, QWidget *parent)
    : ts2900fp_app(parent), m_spc(personality), m_viewer(viewer)
{
    ts2900fp_setModelText(m_spc->modelText());
    std::unique_ptr<ts2900fp_spcSelect> select(new ts2900fp_spcSelect(m_spc));
    if (viewer) {
        m_demo = 1;
    } else {
        select->setWindowIcon(windowIcon());
        centreOnScreen(select.get());
        if (select->selectModule() == 0) {
            m_demo = 1;
            std::fflush(stdout);
            std::_Exit(0);
        }
        m_demo = select->demo();
    }
    setActive(m_demo);
    d_vi = select->session();

    // What the instrument family implies, kept when an attribute cannot be read.
    moduleAttributes module;
    module.interfaceType = isNetworkModel(m_spc->modelNumber) ? VI_INTF_TCPIP : VI_INTF_VXI;
    if (!m_demo) {
        if (d_vi == 0)
            openFallback(select->descriptor());
        readModuleAttributes(d_vi, select->descriptor(), module);
    } else if (!isNetworkModel(m_spc->modelNumber)) {
        module.slot = 5;
    } else if (!viewer) {
        module.host = QStringLiteral("192.168.2.60");
    }
    labelWindow(module);
    setTitle(QStringLiteral("<html>Korvan ") + m_spc->modelText() + QStringLiteral("<br>")
             + QStringLiteral("<font size='2'>") + m_spc->description()
             + QStringLiteral("</font></html>"));
    setLxiLogo(module.interfaceType == VI_INTF_TCPIP);
    createAbout();
}

ts2900fp_AppSPC::~ts2900fp_AppSPC()
{
    if (m_demo == 0)
        m_spc->close(d_vi);
}

// Normally the dialogue has opened the session already; this opens it when it has not.
void ts2900fp_AppSPC::openFallback(const QString &descriptor)
{
    QByteArray resource = descriptor.toLatin1();
    const ViStatus status = m_spc->init(resource.data(), VI_FALSE, VI_TRUE, &d_vi);
    if (status < VI_SUCCESS)
        reportError(QString::asprintf("Function Call failed due to [0x%08x]", unsigned(status)));
    else if (status > VI_SUCCESS)
        reportWarning(QString::asprintf("Warning [0x%08x]", unsigned(status)));
}

void ts2900fp_AppSPC::labelWindow(const moduleAttributes &module)
{
    const QString panelName = ts2900fp_panelName(m_spc->modelText());
    if (module.interfaceType != VI_INTF_TCPIP) {
        setWindowTitle(panelName);
        setModuleLabel(QStringLiteral("Slot %1").arg(module.slot),
                       QStringLiteral("Shows which VXI module is connected to the Soft Front Panel"));
        return;
    }
    setWindowTitle(panelName + QStringLiteral(": ") + module.host);
    setModuleLabel(module.host,
                   QStringLiteral("Shows which LXI module is connected to the Soft Front Panel"));
}

void ts2900fp_AppSPC::createAbout()
{
    m_about = new ts2900fp_About(m_spc->version(), m_spc->driverRevision(), m_spc->modelText(),
                                 m_spc->notice(), this);
    m_about->setWindowIcon(windowIcon());
    connect(aboutButton(), &QPushButton::clicked, m_about, &QWidget::show);
    aboutButton()->setEnabled(!m_viewer);
}
