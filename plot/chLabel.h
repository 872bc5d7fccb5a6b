// A channel's legend label: its number in the channel's colour; a left click shows or hides
// the channel's curve, a right click picks another colour.
#ifndef CHLABEL_H
#define CHLABEL_H

#include <QColor>
#include <QFrame>
#include <QPen>

class QLabel;

class chLabel : public QFrame {
    Q_OBJECT
public:
    // index counts from 0; the label shows index + 1.
    explicit chLabel(int index, QWidget *parent = nullptr);

    // The colour of channel index i: sixteen colours, repeating from channel 17.
    static QColor channelColor(int index);

    int number() const { return m_number; }
    QColor color() const { return m_color; }
    // Whether the channel's curve is to be shown (the label pressed in).
    bool isShown() const { return m_shown; }

    // A disabled label stands for a channel without data. Emits nothing.
    void setChannelEnabled(bool on);
    void setShown(bool on);  // emits clicked()
    // The curve pen of this channel.
    QPen pen() const;

signals:
    void clicked();

protected:
    void mousePressEvent(QMouseEvent *event) override;

private:
    void updateFrame();

    int m_number;
    QColor m_color;
    bool m_shown = true;
    QLabel *m_text;
};

#endif
