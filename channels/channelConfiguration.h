// The "Channel Configuration" tab: channel settings and user thermocouple types.
#ifndef TS4720_CHANNELCONFIGURATION_H
#define TS4720_CHANNELCONFIGURATION_H

#include "panelContext.h"

#include <QTabWidget>

class channelConfiguration_settings;
class channelConfiguration_userTC;

class channelConfiguration : public QTabWidget {
    Q_OBJECT
public:
    explicit channelConfiguration(const panelContext &context, QWidget *parent = nullptr);

    channelConfiguration_settings *settings = nullptr;
    channelConfiguration_userTC *userTC = nullptr;

    // Viewer mode: the table's header, rows, Save and Refresh and the whole
    // "User Thermocouple Types" tab disabled.
    void applyViewerRestrictions();
};

#endif
