// The "Settings" page: the table of all channels with Save and Refresh.
#ifndef TS4720_CHANNELCONFIGURATION_SETTINGS_H
#define TS4720_CHANNELCONFIGURATION_SETTINGS_H

#include "channelSettingsSource.h"
#include "panelContext.h"

#include <QList>
#include <QStringList>
#include <QWidget>

#include <memory>

class QCheckBox;
class QPushButton;
class QScrollArea;
class singleChannelConfig;
class tableHeader;

class channelConfiguration_settings : public QWidget {
    Q_OBJECT
public:
    explicit channelConfiguration_settings(const panelContext &context, QWidget *parent = nullptr);

    QList<singleChannelConfig *> cfg; // row i is channel i+1
    tableHeader *header = nullptr;
    QScrollArea *scrollArea = nullptr;
    QPushButton *saveButton = nullptr;
    QPushButton *refreshButton = nullptr;

    // Disables what a data-file viewer must not touch: header, rows, Save and Refresh.
    void applyViewerRestrictions();

public slots:
    void doSave();
    void doRefresh();
    void doToggleChannelEnable();
    void doToggleOTDenable();
    void doSetAllChannelsType(int typeId);
    void doDisableAllThresholds();
    bool getNewChannelEnableState();
    bool getNewOTDenableState();
    void validateThresholds();
    void validateThresholds(int index);

private:
    QWidget *createRows(int count);
    void layOut();
    bool newToggleState(QCheckBox *singleChannelConfig::*box, QPushButton *button);
    void toggleAll(QCheckBox *singleChannelConfig::*box, QPushButton *button);
    void readBack(int i);
    // Normalises the row's threshold texts and marks the edits that hold no setting, or a
    // minimum above the maximum; returns one text per problem.
    QStringList checkThresholds(int index);
    void setStatusFromScan(bool haveScan, const double *scan);

    const std::unique_ptr<channelSettingsSource> m_source;
};

#endif
