// The "Trigger Configuration" page: active states of the two rear-panel trigger inputs and
// outputs, and the outputs' functions.
#ifndef TS4720_MEASUREMENT_TRIGGERCONFIG_H
#define TS4720_MEASUREMENT_TRIGGERCONFIG_H

#include "panelContext.h"
#include "triggerSettingsSource.h"

#include <QWidget>

#include <memory>

class QComboBox;
class QPushButton;

class measurement_triggerConfig : public QWidget {
    Q_OBJECT
public:
    explicit measurement_triggerConfig(const panelContext &context, QWidget *parent = nullptr);
    ~measurement_triggerConfig() override;

    QComboBox *rp1activeInp = nullptr;
    QComboBox *rp2activeInp = nullptr;
    QComboBox *rp1activeOut = nullptr;
    QComboBox *rp2activeOut = nullptr;
    QComboBox *rp1function = nullptr;
    QComboBox *rp2function = nullptr;
    QPushButton *refreshButton = nullptr;
    QPushButton *saveButton = nullptr;

public slots:
    void doRefresh();
    void doSave();

private:
    triggerSettings selected() const;

    std::unique_ptr<triggerSettingsSource> m_source;
};

#endif
