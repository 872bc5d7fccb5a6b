// The "Device Information & Status" dialog and the way to the instrument's web interface.
#ifndef TS47XX_DEVICESTATUS_H
#define TS47XX_DEVICESTATUS_H

#include "visatype.h"

#include <QDialog>
#include <QUrl>

#include <functional>

class QLineEdit;
class QTabWidget;

class ts47xx_deviceStatus : public QDialog {
    Q_OBJECT
public:
    ts47xx_deviceStatus(QWidget *parent, ViSession vi, bool demo, const QString &subType);

    // Opens URLs in the desktop's browser, false when none could be started; tests replace
    // it to see the URL instead.
    using UrlOpener = std::function<bool(const QUrl &)>;
    static void setUrlOpener(UrlOpener opener);

    // The web interface's address: the instrument's host name, or its IP address when
    // the host name cannot be read; the demo address in demo mode.
    QUrl webInterfaceUrl();

    QLineEdit *model, *serialNumber, *macAddress, *lxiClass, *description, *assetNumber;
    QLineEdit *hostName, *ipAddress, *subnetMask, *gateway, *dns1, *dns2;

public slots:
    void openWebInterface();
    void loadDevInfo();

private:
    QWidget *instrumentPage(const QString &subType);
    void readTextAttribute(ViAttr attribute, const char *callText, QLineEdit *edit,
                           const QString &format = QStringLiteral("%1"));

    ViSession m_vi;
    bool m_demo;
    QTabWidget *m_tabs;
};

#endif
