// The range dialog that opens on a click on an axis of the waveform plot.
#ifndef AXISCONFIG_H
#define AXISCONFIG_H

#include <QDialog>

class QDoubleSpinBox;
class QGroupBox;
class QPushButton;

class axisConfig : public QDialog {
    Q_OBJECT
public:
    // owner lends the dialog its window icon; plot is the waveform the dialog belongs to.
    axisConfig(QWidget *owner, QWidget *plot);

    QDoubleSpinBox *lower;
    QDoubleSpinBox *upper;
    QGroupBox *customRange;  // "Custom Range"; checkable only on the temperature axis
    QPushButton *maxButton;

public slots:
    // Accepts a lower limit below the upper one, or any limits when the custom range is off.
    void checkValuesAndAccept();
    // Both limits to the ends of the boxes' range.
    void setMaxSlot();
};

#endif
