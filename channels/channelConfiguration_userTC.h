// The "User Thermocouple Types" page: the coefficients of both user types.
#ifndef TS4720_CHANNELCONFIGURATION_USERTC_H
#define TS4720_CHANNELCONFIGURATION_USERTC_H

#include "panelContext.h"

#include <QWidget>

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
    const ViSession vi;
    const bool demo;
};

#endif
