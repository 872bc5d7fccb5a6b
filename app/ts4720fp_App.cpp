#include "ts4720fp_App.h"

#include "acquisitionConnection.h"
#include "channelConfiguration.h"
#include "demoStore.h"
#include "driverCall.h"
#include "internalStorage.h"
#include "loadedFile.h"
#include "measurement.h"
#include "measurement_acquisition.h"
#include "measurement_polling.h"
#include "messageBoxes.h"
#include "modelTable.h"
#include "panelPage.h"
#include "pollingThread.h"
#include "trace.h"
#include "ts2900fp_About.h"
#include "ts4720.h"
#include "ts4720fp_demoSubtypeSelect.h"
#include "ts47xx_deviceStatus.h"
#include "waitCursor.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {
// Per main tab: its title, and whether the whole tab is locked while an acquisition is not
// idle and disabled in viewer mode.
struct tabRule {
    const char *title;
    bool lockedWhileAcquiring;
    bool disabledInViewer;
};
const tabRule tabRules[ts4720fp_App::mainTabCount] = {
    {"Channel Configuration", true, false},
    {"Measurement", false, false},
    {"Internal Storage", true, true},
};

// A tab page holding the widget in a horizontal layout.
QWidget *holding(QWidget *widget)
{
    auto *page = new QWidget;
    auto *layout = new QHBoxLayout(page);
    if (widget)
        layout->addWidget(widget);
    return page;
}


// Why the controls that need an idle instrument are locked; empty when they are not.
QString lockReason(const pollingSnapshot &poll)
{
    if (poll.acquisitionState == 0)
        return QString();
    if (poll.acquisitionState > 0)
        return QStringLiteral("Locked while an acquisition is armed or running.");
    if (poll.link == linkState::Down)
        return QStringLiteral("Locked: the instrument does not answer, so whether it is idle is unknown.");
    return QStringLiteral("Locked until the instrument reports that it is idle.");
}

void lockButton(QPushButton *button, const QString &reason)
{
    button->setEnabled(reason.isEmpty());
    const QString help = button->whatsThis();
    button->setToolTip(reason.isEmpty() ? "<html>" + help + "</html>"
                                        : "<html>" + help + "<br><i>" + reason + "</i></html>");
}

} // namespace

ts4720fp_App::ts4720fp_App(ts2900fp_genSPC *personality, bool viewer)
    : ts2900fp_AppSPC(personality, viewer)
{
    // The whole start-up is one action: an instrument that stops answering now is
    // reported once, not by every query of every page.
    const driverAction startUp;
    auto *content = new QVBoxLayout;
    content->setContentsMargins(0, 0, 0, 0);
    setContentLayout(content);

    decideModel();
    // Any other sub-type leaves the smallest model's 16 channels.
    if (const int count = modelTable::channelsOf(m_subType.toStdString()))
        m_channels = count;
    m_statusDialog = new ts47xx_deviceStatus(this, session(), demoMode(), m_subType);

    if (!viewerMode()) {
        showIdentify(true);
        connect(this, &ts2900fp_app::identToggled, this, &ts4720fp_App::idPressed);
    }
    if (!demoMode())
        reportedCall(session(), [this] { return ts4720_identify(session(), VI_FALSE); },
                     "ts4720_identify(d_vi, VI_FALSE)");

    addDeviceButtons();
    addHardwareInformation();
    connect(this, &ts2900fp_app::resetPressed, this, &ts4720fp_App::resetDevice);
    resetButton()->setEnabled(!viewerMode());

    m_polling = new pollingThread(pollingDescriptor(), m_channels, demoMode());
    if (!viewerMode())
        m_polling->start();

    buildTabs();
    setMinimumWidth(700);
    adjustSize();
    centreOnScreen();

    refreshAllViews();
    connect(m_tabs, &QTabWidget::currentChanged, this, &ts4720fp_App::mainTabChanged);
    m_tabs->setCurrentIndex(measurementTab);
    // Until the first poll tells the state, the controls that need an idle instrument are locked.
    setControlsEnabled();
    connect(m_polling, &pollingThread::dataReady, this, &ts4720fp_App::setControlsEnabled,
            Qt::QueuedConnection);
    connect(m_polling, &pollingThread::dataReady, m_measurement->polling, &measurement_polling::doRefresh,
            Qt::QueuedConnection);
    m_measurement->acquisition->setFileIdentity(m_subType, m_serialNumber);
    connect(m_polling, &pollingThread::dataReady, m_measurement->acquisition,
            &measurement_acquisition::doStateRefresh, Qt::QueuedConnection);
    trace("MAIN: session = %x\n", unsigned(session()));
}

ts4720fp_App::~ts4720fp_App()
{
    m_polling->stop();
    delete m_polling;
}

void ts4720fp_App::decideModel()
{
    if (!demoMode()) {
        ViChar text[TS4720_ATTR_STRING_SIZE] = {};
        if (quietCall(session(), [&] { return ts4720_getAttribute(session(), ts4720_ATTR_SUB_TYPE, text); },
                      "ts4720_getAttribute(d_vi, ts4720_ATTR_SUB_TYPE, subType)") == VI_SUCCESS) {
            text[sizeof text - 1] = '\0';
            m_subType = QString::fromLatin1(text);
        }
    } else if (viewerMode()) {
        if (const char *model = modelTable::subTypeOf(loadedFile().channelCount))
            m_subType = QString::fromLatin1(model);
    } else {
        ts4720fp_demoSubtypeSelect dialog;
        dialog.setWindowIcon(windowIcon());
        dialog.setWindowTitle("Korvan 4720");
        dialog.run();
        m_subType = dialog.subType();
    }
}

void ts4720fp_App::addDeviceButtons()
{
    auto makeButton = [this](const QString &text, const QString &help) {
        auto *button = new QPushButton(text, this);
        button->setToolTip("<html>" + help + "</html>");
        button->setWhatsThis(help);
        button->setEnabled(!viewerMode());
        return button;
    };
    m_deviceStatusButton = makeButton("Device Status ...", "Opens the Device Information & Status panel.");
    m_webButton = makeButton("Web Interface ...",
                           "Opens the Web Interface in the system's default Internet browser.");
    m_saveButton = makeButton("Save Configuration",
                            "Saves the configuration on the device, so it is restored after power-up.");
    m_defaultButton = makeButton("Reset to Default", "Resets the configuration to factory defaults.");
    connect(m_deviceStatusButton, &QPushButton::clicked, m_statusDialog, &QDialog::exec);
    connect(m_webButton, &QPushButton::clicked, m_statusDialog, &ts47xx_deviceStatus::openWebInterface);
    connect(m_saveButton, &QPushButton::clicked, this, &ts4720fp_App::saveConfiguration);
    connect(m_defaultButton, &QPushButton::clicked, this, &ts4720fp_App::resetDeviceToFactoryDefault);

    QVBoxLayout *column = buttonColumn();
    column->insertSpacing(2, 20);
    column->insertWidget(3, m_deviceStatusButton);
    column->insertWidget(4, m_webButton);
    column->insertSpacing(5, 20);
    column->insertWidget(6, m_saveButton);
    column->insertWidget(7, m_defaultButton);
}

void ts4720fp_App::addHardwareInformation()
{
    if (demoMode()) {
        m_about->addHardwareInfo("47209481 (DEMO)", "1.0.0 (Product: 1.0.0) (DEMO)",
                                 QStringLiteral("4720-%1").arg(m_subType), QString(), QString());
        return;
    }
    const QString notAvailable = QStringLiteral("Not Available");
    ViUInt32 serial = 0;
    if (quietCall(session(), [&] { return ts4720_getAttribute(session(), ts4720_ATTR_SER_NUM, &serial); },
                  "ts4720_getAttribute(d_vi, ts4720_ATTR_SER_NUM, &serial)") < 0)
        m_serialNumber = notAvailable.toLatin1();
    else
        m_serialNumber = QByteArray::number(serial, 16).rightJustified(8, '0');

    ViChar driverRevision[TS4720_REVISION_SIZE] = {};
    ViChar instrumentRevision[TS4720_REVISION_SIZE] = {};
    QString instrument;
    if (quietCall(session(), [&] { return ts4720_revision_query(session(), driverRevision, instrumentRevision); },
                  "ts4720_revision_query(d_vi, driverRevision, instrumentRevision)") < 0)
        instrument = notAvailable;
    else
        instrument = QString::fromLatin1(instrumentRevision);

    auto textAttribute = [&](ViAttr attribute, const char *callText) {
        ViChar text[TS4720_ATTR_STRING_SIZE] = {};
        if (quietCall(session(), [&] { return ts4720_getAttribute(session(), attribute, text); }, callText) < 0)
            return notAvailable;
        text[sizeof text - 1] = '\0';
        return QString::fromLatin1(text);
    };
    const QString product = textAttribute(ts4720_ATTR_PRODUCT_REVISION,
                                          "ts4720_getAttribute(d_vi, ts4720_ATTR_PRODUCT_REVISION, text)");
    const QString model = textAttribute(ts4720_ATTR_SUB_TYPE, "ts4720_getAttribute(d_vi, ts4720_ATTR_SUB_TYPE, text)");
    m_about->addHardwareInfo(QString::fromLatin1(m_serialNumber),
                             QStringLiteral("%1 (Product: %2)").arg(instrument, product),
                             QStringLiteral("4720-%1").arg(model), QString(), QString());
}

QByteArray ts4720fp_App::pollingDescriptor()
{
    if (demoMode())
        return QByteArray();
    ViChar address[128] = {};
    reportedCall(session(), [&] { return ts4720_getAttribute(session(), ts4720_ATTR_CURRENT_IPADDR, address); },
                 "ts4720_getAttribute(d_vi, ts4720_ATTR_CURRENT_IPADDR, ipAddr)");
    address[sizeof address - 1] = '\0';
    return QByteArray("TCPIP::") + QByteArray(address) + QByteArray("::INSTR");
}

panelContext ts4720fp_App::context() const
{
    panelContext c;
    c.vi = session();
    c.demo = demoMode();
    c.viewer = viewerMode();
    c.channelCount = m_channels;
    c.poller = m_polling;
    return c;
}

void ts4720fp_App::buildTabs()
{
    m_tabs = new QTabWidget(this);
    m_tabs->setSizePolicy(QSizePolicy::MinimumExpanding, QSizePolicy::MinimumExpanding);
    static_cast<QVBoxLayout *>(contentArea()->layout())->addWidget(m_tabs);
    for (int tab = 0; tab < mainTabCount; ++tab)
        m_tabs->addTab(createTabPage(mainTab(tab)), QString::fromLatin1(tabRules[tab].title));
}

// One line per page.
QWidget *ts4720fp_App::createTabPage(mainTab tab)
{
    switch (tab) {
    case channelConfigurationTab:
        return holding(addPage(new channelConfiguration(context())));
    case measurementTab:
        return holding(m_measurement = addPage(new measurement(context())));
    default:
        return addPage(new internalStorage(context()));
    }
}

void ts4720fp_App::refreshAllViews()
{
    for (panelPage *page : qAsConst(m_pages))
        page->refreshPage();
}

bool ts4720fp_App::confirm(const QString &question)
{
    return messageBoxes::question(this, windowTitle(), question) == QMessageBox::Yes;
}

void ts4720fp_App::saveConfiguration()
{
    if (!confirm("Do you really want to save the current configuration on the device?"))
        return;
    const driverAction action;
    const waitCursor wait;
    if (!demoMode())
        reportedCall(session(), [this] { return ts4720_saveConfig(session()); }, "ts4720_saveConfig(d_vi)");
}

void ts4720fp_App::resetDeviceToFactoryDefault()
{
    if (!confirm("Do you really want to reset the configuration to factory defaults?"))
        return;
    const driverAction action;
    const waitCursor wait;
    if (demoMode())
        demoStore::clearAll();
    else
        reportedCall(session(), [this] { return ts4720_reloadConfig(session(), VI_TRUE); },
                     "ts4720_reloadConfig(d_vi, VI_TRUE)");
    refreshAllViews();
}

void ts4720fp_App::resetDevice()
{
    if (!confirm("Do you really want to reset the Korvan 4720?"))
        return;
    const driverAction action;
    const waitCursor wait;
    if (!demoMode())
        reportedCall(session(), [this] { return ts4720_reset(session()); }, "ts4720_reset(d_vi)");
    refreshAllViews();
}

void ts4720fp_App::idPressed(bool state)
{
    if (demoMode()) {
        messageBoxes::information(this, windowTitle(),
                                  "This feature is not available, when Soft Front Panel is working in demo mode.");
        return;
    }
    const driverAction action;
    reportedCall(session(), [&] { return ts4720_identify(session(), state ? VI_TRUE : VI_FALSE); },
                 "ts4720_identify(d_vi, state)");
}

void ts4720fp_App::mainTabChanged(int index)
{
    // The live view polls scans only while it is shown.
    if (index == measurementTab) {
        m_measurement->polling->controlPolling();
    } else {
        trace("measurement_polling: STOP\n");
        m_polling->setPollScan(false);
    }
}

void ts4720fp_App::setControlsEnabled()
{
    if (viewerMode())
        return;
    const pollingSnapshot poll = m_polling->snapshot();
    if (!demoMode() && poll.link != linkState::Unknown)
        setConnected(poll.link == linkState::Answering);
    const int reconnectSeconds = acquisitionConnection::reconnectSecondsLeft(session());
    if (!demoMode() && reconnectSeconds >= 0)
        setReconnecting(reconnectSeconds);
    const QString reason = lockReason(poll);
    for (int tab = 0; tab < mainTabCount; ++tab) {
        if (!tabRules[tab].lockedWhileAcquiring)
            continue;
        m_tabs->setTabEnabled(tab, reason.isEmpty());
        m_tabs->setTabToolTip(tab, reason);
    }
    lockButton(m_saveButton, reason);
    lockButton(m_defaultButton, reason);
    for (panelPage *page : qAsConst(m_pages))
        page->setAcquisitionIdle(reason.isEmpty(), reason);
}

void ts4720fp_App::applyViewerRestrictions()
{
    for (int tab = 0; tab < mainTabCount; ++tab) {
        if (tabRules[tab].disabledInViewer)
            m_tabs->setTabEnabled(tab, false);
    }
    for (panelPage *page : qAsConst(m_pages))
        page->applyViewerRestrictions();
}
