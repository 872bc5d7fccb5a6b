#include "ts47xx_deviceStatus.h"

#include "driverCall.h"
#include "messageBoxes.h"
#include "modelText.h"
#include "ts4720.h"

#include <QDesktopServices>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {
const char *const demoHostName = "korvan4720-47209481";
const char *const demoAddress = "192.168.2.60";

ts47xx_deviceStatus::UrlOpener &urlOpener()
{
    static ts47xx_deviceStatus::UrlOpener opener;
    return opener;
}

// Long texts show their start, not their end where setText leaves the cursor.
void showText(QLineEdit *edit, const QString &text)
{
    edit->setText(text);
    edit->setCursorPosition(0);
}

QLineEdit *readOnlyEdit(const QString &text, QWidget *parent)
{
    auto *edit = new QLineEdit(parent);
    edit->setReadOnly(true);
    showText(edit, text);
    return edit;
}

void addRow(QGridLayout *grid, int row, const QString &label, QLineEdit *edit)
{
    if (!label.isEmpty())
        grid->addWidget(new QLabel(label), row, 0);
    grid->addWidget(edit, row, 1);
}
} // namespace

void ts47xx_deviceStatus::setUrlOpener(UrlOpener opener)
{
    urlOpener() = std::move(opener);
}

ts47xx_deviceStatus::ts47xx_deviceStatus(QWidget *parent, ViSession vi, bool demo, const QString &subType)
    : QDialog(parent), m_vi(vi), m_demo(demo), m_tabs(new QTabWidget(this))
{
    if (parent)
        setWindowIcon(parent->windowIcon());
    setWindowTitle("Korvan 4720 Device Information & Status");

    auto *close = new QPushButton("Close", this);
    close->setAutoDefault(false);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(close);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_tabs);
    layout->addLayout(buttons);
    m_tabs->addTab(instrumentPage(subType), "Instrument");

    loadDevInfo();
}

QWidget *ts47xx_deviceStatus::instrumentPage(const QString &subType)
{
    const int h = fontMetrics().height();
    auto *page = new QWidget;

    auto *info = new QGroupBox("Instrument Information", page);
    info->setSizePolicy(QSizePolicy::Maximum, QSizePolicy::MinimumExpanding);
    auto *infoGrid = new QGridLayout(info);
    model = readOnlyEdit(QStringLiteral("4720-%1").arg(subType), info);
    lxiClass = readOnlyEdit("Class A", info);
    serialNumber = readOnlyEdit("47209481", info);
    macAddress = readOnlyEdit("02:7a:10:01:02:03", info);
    model->setFixedWidth(10 * h);
    serialNumber->setFixedWidth(10 * h);
    lxiClass->setMaximumWidth(10 * h);
    macAddress->setMaximumWidth(10 * h);
    addRow(infoGrid, 0, "Model:", model);
    addRow(infoGrid, 1, "LXI Class:", lxiClass);
    addRow(infoGrid, 2, "Serial Number:", serialNumber);
    addRow(infoGrid, 3, "MAC Address:", macAddress);

    auto *ip = new QGroupBox("Current IP Configuration", page);
    auto *ipGrid = new QGridLayout(ip);
    hostName = readOnlyEdit(demoHostName, ip);
    hostName->setMinimumWidth(int(1.5 * hostName->fontMetrics().horizontalAdvance(demoHostName)));
    ipAddress = readOnlyEdit(demoAddress, ip);
    subnetMask = readOnlyEdit("255.255.255.0", ip);
    gateway = readOnlyEdit("192.168.2.1", ip);
    dns1 = readOnlyEdit("192.168.2.100", ip);
    dns2 = readOnlyEdit("192.168.2.101", ip);
    for (QLineEdit *edit : {ipAddress, subnetMask, gateway, dns1, dns2})
        edit->setMaximumWidth(10 * h);
    addRow(ipGrid, 0, "Hostname:", hostName);
    addRow(ipGrid, 1, "IP Address:", ipAddress);
    addRow(ipGrid, 2, "Subnet Mask:", subnetMask);
    addRow(ipGrid, 3, "Gateway:", gateway);
    addRow(ipGrid, 4, "DNS Servers:", dns1);
    addRow(ipGrid, 5, QString(), dns2);

    auto *user = new QGroupBox("User-Defined Data", page);
    auto *userGrid = new QGridLayout(user);
    description = readOnlyEdit(
        "Tarsel Ltd - Korvan 4720 - 47209481 - Isolated LXI Thermocouple Instrument (DEMO)", user);
    assetNumber = readOnlyEdit(QString(), user);
    addRow(userGrid, 0, "Description:", description);
    addRow(userGrid, 1, "Asset Number:", assetNumber);

    auto *groups = new QHBoxLayout;
    groups->addWidget(info);
    groups->addWidget(ip);
    auto *layout = new QVBoxLayout(page);
    layout->addLayout(groups);
    layout->addWidget(user);
    return page;
}

void ts47xx_deviceStatus::readTextAttribute(ViAttr attribute, const char *callText, QLineEdit *edit,
                                           const QString &format)
{
    ViChar value[TS4720_ATTR_STRING_SIZE] = {};
    reportedCall(m_vi, [&] { return ts4720_getAttribute(m_vi, attribute, value); }, callText);
    value[sizeof value - 1] = '\0';
    showText(edit, format.arg(QString::fromLatin1(value)));
}

void ts47xx_deviceStatus::loadDevInfo()
{
    if (m_demo)
        return;
    const driverAction action;
    readTextAttribute(ts4720_ATTR_SUB_TYPE, "ts4720_getAttribute(vi, ts4720_ATTR_SUB_TYPE, strVal)",
                      model, "4720-%1");
    ViUInt32 serial = 0;
    reportedCall(m_vi, [&] { return ts4720_getAttribute(m_vi, ts4720_ATTR_SER_NUM, &serial); },
                 "ts4720_getAttribute(vi, ts4720_ATTR_SER_NUM, &val)");
    serialNumber->setText(QString::asprintf("%08x", unsigned(serial)));
    readTextAttribute(ts4720_ATTR_ETH_ADDR, "ts4720_getAttribute(vi, ts4720_ATTR_ETH_ADDR, strVal)",
                      macAddress);
    showText(macAddress, macAddress->text().toUpper());
    readTextAttribute(ts4720_ATTR_LXI_CLASS, "ts4720_getAttribute(vi, ts4720_ATTR_LXI_CLASS, strVal)",
                      lxiClass, "Class %1");
    readTextAttribute(ts4720_ATTR_DESCRIPTION,
                      "ts4720_getAttribute(vi, ts4720_ATTR_DESCRIPTION, strVal)", description);
    readTextAttribute(ts4720_ATTR_ASSET_NO, "ts4720_getAttribute(vi, ts4720_ATTR_ASSET_NO, strVal)",
                      assetNumber);
    readTextAttribute(ts4720_ATTR_CURRENT_HOSTNAME,
                      "ts4720_getAttribute(vi, ts4720_ATTR_CURRENT_HOSTNAME, strVal)", hostName);
    readTextAttribute(ts4720_ATTR_CURRENT_IPADDR,
                      "ts4720_getAttribute(vi, ts4720_ATTR_CURRENT_IPADDR, strVal)", ipAddress);
    readTextAttribute(ts4720_ATTR_CURRENT_NETMASK,
                      "ts4720_getAttribute(vi, ts4720_ATTR_CURRENT_NETMASK, strVal)", subnetMask);
    readTextAttribute(ts4720_ATTR_CURRENT_GATEWAY,
                      "ts4720_getAttribute(vi, ts4720_ATTR_CURRENT_GATEWAY, strVal)", gateway);
    readTextAttribute(ts4720_ATTR_CURRENT_DNS1,
                      "ts4720_getAttribute(vi, ts4720_ATTR_CURRENT_DNS1, strVal)", dns1);
    readTextAttribute(ts4720_ATTR_CURRENT_DNS2,
                      "ts4720_getAttribute(vi, ts4720_ATTR_CURRENT_DNS2, strVal)", dns2);
}

QUrl ts47xx_deviceStatus::webInterfaceUrl()
{
    QString address = demoAddress;
    if (!m_demo) {
        const driverAction action;
        ViChar value[TS4720_ATTR_STRING_SIZE] = {};
        if (quietCall(m_vi, [&] { return ts4720_getAttribute(m_vi, ts4720_ATTR_CURRENT_HOSTNAME, value); },
                      "ts4720_getAttribute(vi, ts4720_ATTR_CURRENT_HOSTNAME, strVal)") < 0) {
            value[0] = '\0';
            reportedCall(m_vi, [&] { return ts4720_getAttribute(m_vi, ts4720_ATTR_CURRENT_IPADDR, value); },
                         "ts4720_getAttribute(vi, ts4720_ATTR_CURRENT_IPADDR, strVal)");
        }
        value[sizeof value - 1] = '\0';
        address = QString::fromLatin1(value);
    }
    return QUrl(QStringLiteral("http://%1").arg(address));
}

void ts47xx_deviceStatus::openWebInterface()
{
    const QUrl url = webInterfaceUrl();
    // Without any address (its failure was reported) there is nothing to open.
    if (url.host().isEmpty())
        return;
    const bool opened = urlOpener() ? urlOpener()(url) : QDesktopServices::openUrl(url);
    // Without a browser (a server, a bare window manager) the user still gets the address.
    if (!opened)
        messageBoxes::information(this, ts2900fp_sfpTitle(),
                                  QStringLiteral("No web browser could be opened here. The instrument's web "
                                                 "interface is at:\n\n%1")
                                      .arg(url.toString()));
}
