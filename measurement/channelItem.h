// One tile of the live view: a channel's latest temperature on a background colour that
// tells its condition.
#ifndef TS4720_CHANNELITEM_H
#define TS4720_CHANNELITEM_H

#include <QWidget>

class QLabel;

class channelItem : public QWidget {
    Q_OBJECT
public:
    explicit channelItem(int channel, QWidget *parent = nullptr);

    // limit: -1 below the lower threshold, 0 within, +1 above the upper one. unit: 'C',
    // 'F' or 'K'. The first matching condition wins: off, open, armed, then the limit.
    void updateItem(const QString &typeName, bool enabled, bool open, bool arm, qint8 limit, char unit,
                    double celsius);

    // -1, 0 or +1 as above; a value exactly at a threshold is within.
    static qint8 limitOf(bool minOn, double min, bool maxOn, double max, double celsius);
    // "<b>25.000 °C</b>" in the unit; empty below absolute zero (the "no reading" marker).
    static QString valueText(char unit, double celsius);

    // The one state property that is true: "disabled", "ok", "arm", "open", "limitAbove"
    // or "limitBelow".
    const char *state() const { return m_state; }
    QLabel *titleLabel() const { return m_title; }
    QLabel *valueLabel() const { return m_value; }

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    void setState(const char *state);

    const int m_channel;
    QLabel *m_title;
    QLabel *m_value;
    const char *m_state = "";
    int m_fontStep = -1; // the font-size row last applied
};

#endif
