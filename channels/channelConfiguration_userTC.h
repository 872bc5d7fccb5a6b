// The "User Thermocouple Types" page: the coefficients of both user types.
#ifndef TS4720_CHANNELCONFIGURATION_USERTC_H
#define TS4720_CHANNELCONFIGURATION_USERTC_H

#include "channelSettingsSource.h"
#include "panelContext.h"

#include <QWidget>

#include <memory>

class QPushButton;
class userTC;

class channelConfiguration_userTC : public QWidget {
    Q_OBJECT
public:
    explicit channelConfiguration_userTC(const panelContext &context, QWidget *parent = nullptr);

    userTC *userTypes[2] = {};
    QPushButton *saveButton = nullptr;
    QPushButton *refreshButton = nullptr;

public slots:
    void doSave();
    void doRefresh();

private:
    const std::unique_ptr<channelSettingsSource> m_source;
};

#endif
