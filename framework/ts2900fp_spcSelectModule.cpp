// The start-up connection dialogue of the selection dialog: Auto Find, Enter Address or
// demo mode, and opening the chosen module through the personality.
#include "ts2900fp_spcSelect.h"

#include "commonReports.h"
#include "messageBoxes.h"
#include "frameworkIcon.h"
#include "ts2900fp_genSPC.h"
#include "ts2900fp_spcEnterAddress.h"
#include "visa.h"
#include "waitCursor.h"

namespace {

enum StartChoice { AutoFind = 0, RunInDemoMode = 1, EnterAddress = 2 };

int askHowToConnect(const QString &modelText)
{
    messageBoxes::Request request;
    request.kind = messageBoxes::Kind::Question;
    request.parent = nullptr;
    request.title = QStringLiteral("Korvan %1 SFP: Select Module").arg(modelText);
    request.text = QStringLiteral("How to connect to Korvan %1 Module?").arg(modelText);
    request.customButtons = QStringList{QStringLiteral("Auto Find"),
                                        QStringLiteral("Run In Demo Mode"),
                                        QStringLiteral("Enter Address")};
    request.customCancel = true;
    request.defaultCustom = AutoFind;
    request.windowIcon = ts2900fp_frameworkIcon();
    return messageBoxes::show(request);
}

// Lower-case hexadecimal without leading zeros; a negative status as its 64-bit two's
// complement, the way the status has always been shown to users.
QString statusHex(ViStatus status)
{
    return QString::number(quint64(qint64(status)), 16);
}

} // namespace

int ts2900fp_spcSelect::selectModule()
{
    ts2900fp_spcEnterAddress address(m_spc, this);
    for (;;) {
        Next next;
        bool typed = false;
        switch (askHowToConnect(m_spc->modelText())) {
        case AutoFind:
            next = autoFind();
            break;
        case EnterAddress:
            next = enterAddress(address);
            typed = true;
            break;
        case RunInDemoMode:
            next = Next::Demo;
            break;
        default:
            return 0;
        }
        if (next == Next::StartAgain)
            continue;
        if (next == Next::GiveUp)
            return 0;
        if (next == Next::Demo) {
            m_demo = 1;
            m_session = 0;
            m_descriptor = QStringLiteral("VXI0::1::INSTR");
            return 1;
        }
        if (openModule()) {
            if (typed)
                address.rememberDescriptor(m_descriptor);
            return 1;
        }
        QString text = tr("Selected Korvan %1 Module is unavailable.\nError: 0x%2")
                           .arg(m_spc->modelText(), statusHex(m_lastStatus))
                       + QStringLiteral(" (%1)").arg(m_spc->statusText(m_lastStatus));
        if (m_lastStatus == VI_ERROR_TMO)
            text += QStringLiteral("\nThe instrument accepted the connection but does not answer.");
        const int answer = messageBoxes::choose(this, windowTitle(), text,
                                                QStringList{QStringLiteral("Try Again"), QStringLiteral("Cancel")},
                                                0, 1);
        if (answer != 0)
            return 0;
    }
}

ts2900fp_spcSelect::Next ts2900fp_spcSelect::autoFind()
{
    const int found = findModules();
    if (found > 1)
        return exec() == QDialog::Accepted ? Next::Open : Next::GiveUp;
    if (found == 1)
        return Next::Open;
    const int answer = messageBoxes::choose(
        this, windowTitle(),
        QStringLiteral("No Korvan %1 Module found on your system.").arg(m_spc->modelText()),
        QStringList{QStringLiteral("Try Again"), QStringLiteral("Run In Demo Mode"),
                    QStringLiteral("Cancel")},
        0);
    if (answer == 0)
        return Next::StartAgain;
    return answer == 1 ? Next::Demo : Next::GiveUp;
}

ts2900fp_spcSelect::Next ts2900fp_spcSelect::enterAddress(ts2900fp_spcEnterAddress &address)
{
    for (;;) {
        address.loadDescriptors();
        if (address.exec() != QDialog::Accepted)
            return Next::GiveUp;
        const QString entered = address.takeDescriptor();
        if (!entered.isEmpty()) {
            m_descriptor = entered;
            return Next::Open;
        }
        reportWarning(QStringLiteral("You have not entered Instrument Descriptor"));
    }
}

bool ts2900fp_spcSelect::openModule()
{
    QByteArray descriptor = m_descriptor.toLatin1();
    ViSession vi = 0;
    {
        const waitCursor busy; // up to one timeout when the address does not answer
        m_lastStatus = m_spc->init(descriptor.data(), VI_FALSE, VI_FALSE, &vi);
    }
    if (m_lastStatus == VI_SUCCESS) {
        m_session = vi;
        return true;
    }
    // A warning may still have opened a session; it is not used, so close it rather than
    // leak it or carry it into demo mode after "Try Again".
    if (m_lastStatus > VI_SUCCESS && vi != 0)
        m_spc->close(vi);
    m_session = 0;
    return false;
}
