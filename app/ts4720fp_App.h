// The instrument's main window: model, tabs, device-wide actions and the polling thread.
#ifndef TS4720FP_APP_H
#define TS4720FP_APP_H

#include "panelContext.h"
#include "ts2900fp_AppSPC.h"

#include <QByteArray>
#include <QList>
#include <QString>

class QPushButton;
class QTabWidget;
class QWidget;
class measurement;
class panelPage;
class pollingThread;
class measurement;
class ts47xx_deviceStatus;

class ts4720fp_App : public ts2900fp_AppSPC {
    Q_OBJECT
public:
    ts4720fp_App(ts2900fp_genSPC *personality, bool viewer);
    ~ts4720fp_App() override;

    // The main tabs, in their order.
    enum mainTab { channelConfigurationTab, measurementTab, internalStorageTab, mainTabCount };

    // Texts for the header of the data files an acquisition writes.
    QByteArray serialNumberText() const { return m_serialNumber; }
    QString subTypeText() const { return m_subType; }
    int channelCount() const { return m_channels; }
    pollingThread *poller() const { return m_polling; }
    QTabWidget *mainTabs() const { return m_tabs; }
    measurement *measurementPage() const { return m_measurement; }
    ts47xx_deviceStatus *deviceStatus() const { return m_statusDialog; }
    QPushButton *saveConfigurationButton() const { return m_saveButton; }
    QPushButton *resetToDefaultButton() const { return m_defaultButton; }

    // Reads every page back from the instrument, the demo store or the loaded file, in
    // tab order.
    void refreshAllViews();
    // Disables what needs an instrument; the program entry calls it in viewer mode.
    void applyViewerRestrictions();

public slots:
    void resetDevice();
    void resetDeviceToFactoryDefault();
    void saveConfiguration();
    void idPressed(bool state);
    void mainTabChanged(int index);
    void setControlsEnabled();

private:
    void decideModel();
    void addDeviceButtons();
    void addHardwareInformation();
    QByteArray pollingDescriptor();
    void buildTabs();
    QWidget *createTabPage(mainTab tab);
    // Registers a page for refreshing, locking and viewer mode; returns it.
    template <class Page>
    Page *addPage(Page *page)
    {
        m_pages.append(page);
        return page;
    }
    panelContext context() const;
    bool confirm(const QString &question);

    pollingThread *m_polling = nullptr;
    QByteArray m_serialNumber;
    QString m_subType = QStringLiteral("AA");
    int m_channels = 16;
    QTabWidget *m_tabs = nullptr;
    QPushButton *m_saveButton = nullptr;
    QPushButton *m_defaultButton = nullptr;
    QPushButton *m_deviceStatusButton = nullptr;
    QPushButton *m_webButton = nullptr;
    ts47xx_deviceStatus *m_statusDialog = nullptr;
    measurement *m_measurement = nullptr;
    QList<panelPage *> m_pages; // in tab order
};

#endif
