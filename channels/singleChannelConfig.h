// One row of the channel table: the settings of one channel.
#ifndef TS4720_SINGLECHANNELCONFIG_H
#define TS4720_SINGLECHANNELCONFIG_H

#include "channelRow.h"

#include <QFrame>

class QButtonGroup;
class QCheckBox;
class QHBoxLayout;
class QLabel;
class QLineEdit;
class QRadioButton;

class singleChannelConfig : public QFrame {
    Q_OBJECT
public:
    explicit singleChannelConfig(unsigned number, QWidget *parent = nullptr);

    const unsigned number; // channel number, from 1
    QLabel *channelNumber = nullptr;
    QCheckBox *chEnabled = nullptr;
    QCheckBox *OTDenabled = nullptr;
    QLabel *connectionStatus = nullptr;
    QRadioButton *typeButtons[10] = {};
    QButtonGroup *typeGroup = nullptr;
    QLineEdit *thMin = nullptr;
    QLineEdit *thMax = nullptr;

    // The index of the first checked type button, -1 when none is checked.
    int checkedType() const;
    void checkType(int typeId); // an index outside the list changes nothing

    channelRow settings() const;
    void setSettings(const channelRow &row);

signals:
    void chEnabledClicked();
    void OTDenabledClicked();
    void thresholdModified();

private:
    void addCentred(QHBoxLayout *row, QWidget *w, int width, Qt::Alignment alignment = Qt::AlignCenter);
};

#endif
