// The channel configuration tab widget.
#include "channelConfiguration.h"

#include "channelConfiguration_settings.h"
#include "channelConfiguration_userTC.h"

channelConfiguration::channelConfiguration(const panelContext &context, QWidget *parent)
    : QTabWidget(parent)
{
    settings = new channelConfiguration_settings(context);
    userTC = new channelConfiguration_userTC(context);
    addTab(settings, QStringLiteral("Settings"));
    addTab(userTC, QStringLiteral("User Thermocouple Types"));
}

void channelConfiguration::refreshPage()
{
    settings->doRefresh();
    userTC->doRefresh();
}

void channelConfiguration::applyViewerRestrictions()
{
    settings->applyViewerRestrictions();
    setTabEnabled(indexOf(userTC), false);
}
