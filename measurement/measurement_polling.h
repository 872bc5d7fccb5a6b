// The "Continuous Polling" page: one tile per channel with its latest temperature, and a
// status line with the acquisition state, clock source and scan rate.
#ifndef TS4720_MEASUREMENT_POLLING_H
#define TS4720_MEASUREMENT_POLLING_H

#include "panelContext.h"

#include <QList>
#include <QWidget>

class QComboBox;
class QGridLayout;
class QLabel;
class QTabWidget;
class channelItem;
class pollingThread;

class measurement_polling : public QWidget {
    Q_OBJECT
public:
    // tabs: the measurement tab widget, asked whether this page is the current sub-tab.
    measurement_polling(const panelContext &context, QTabWidget *tabs, QWidget *parent = nullptr);

    // 4 for 16 channels, else 8.
    static int columnsFor(int channels);

    QList<channelItem *> items; // index 0 is channel 1
    QComboBox *unitBox = nullptr;
    QLabel *stateLabel = nullptr;
    QLabel *clockLabel = nullptr;
    QLabel *rateLabel = nullptr;
    QGridLayout *grid = nullptr;

public slots:
    // Redraws status line and tiles from the polling thread's last poll; makes no driver
    // call (the thread reads the settings shown beside the temperatures).
    void doRefresh();
    // Starts polling scans when this page is the current sub-tab, else stops.
    void controlPolling();
    void startPolling();
    void stopPolling();

private:
    void updateStatus(int state, int clockSource, double rate);

    QTabWidget *const m_tabs;
    pollingThread *const m_poller;
    const bool m_demo;
};

#endif
