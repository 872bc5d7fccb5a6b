// A round, shaded LED followed by its text label.
#ifndef TS2900FP_LED_H
#define TS2900FP_LED_H

#include <QColor>
#include <QWidget>

class ts2900fp_led : public QWidget {
    Q_OBJECT
public:
    // An off colour of Qt::magenta stands for the palette's window colour, so the unlit
    // LED blends with the background.
    ts2900fp_led(const QString &text, const QColor &onColour, const QColor &offColour,
                 QWidget *parent = nullptr);

    void setValue(int newValue);
    int value() const { return m_value; }
    // Text and lit colour change with what the LED tells; both repaint only on a change.
    void setText(const QString &text);
    QString text() const { return m_text; }
    void setOnColour(const QColor &colour);
    QColor onColour() const { return m_onColour; }

    QSize minimumSizeHint() const override;

public slots:
    void toggleValue();

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void paintShadedLed(QPainter &painter, qreal x0, int h, const QColor &background,
                        const QColor &colour);

    int m_value = 0;
    QColor m_onColour;
    QColor m_offColour;
    QString m_text;
};

#endif
