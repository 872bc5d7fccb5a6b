// The "Channel Configuration" tab: channel settings and user thermocouple types.
#ifndef TS4720_CHANNELCONFIGURATION_H
#define TS4720_CHANNELCONFIGURATION_H

#include "panelContext.h"
#include "panelPage.h"

#include <QTabWidget>

class channelConfiguration_settings;
class channelConfiguration_userTC;

class channelConfiguration : public QTabWidget, public panelPage {
    Q_OBJECT
public:
    explicit channelConfiguration(const panelContext &context, QWidget *parent = nullptr);

    channelConfiguration_settings *settings = nullptr;
    channelConfiguration_userTC *userTC = nullptr;

    // The settings page, then the user thermocouple page.
    void refreshPage() override;
    // The table's header, rows, Save and Refresh and the whole "User Thermocouple Types"
    // tab disabled.
    void applyViewerRestrictions() override;
    // The main panel locks the whole tab.
    void setAcquisitionIdle(bool, const QString &) override {}
};

#endif
