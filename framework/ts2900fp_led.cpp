// Painting of the LED: rings shaded like a lit dome, or a plain disc for small fonts.
#include "ts2900fp_led.h"

#include <QPainter>

ts2900fp_led::ts2900fp_led(const QString &text, const QColor &onColour, const QColor &offColour,
                           QWidget *parent)
    : QWidget(parent), m_onColour(onColour), m_offColour(offColour), m_text(text)
{
    if (m_offColour == QColor(Qt::magenta))
        m_offColour = palette().color(QPalette::Window);
    setSizePolicy(QSizePolicy::Maximum, QSizePolicy::Maximum);
}

void ts2900fp_led::setValue(int newValue)
{
    if (newValue == m_value)
        return;
    m_value = newValue;
    repaint();
}

void ts2900fp_led::setText(const QString &text)
{
    if (text == m_text)
        return;
    m_text = text;
    updateGeometry(); // the size hint follows the text
    update();
}

void ts2900fp_led::setOnColour(const QColor &colour)
{
    if (colour == m_onColour)
        return;
    m_onColour = colour;
    update();
}

void ts2900fp_led::toggleValue()
{
    m_value = !m_value;
    repaint();
}

QSize ts2900fp_led::minimumSizeHint() const
{
    const int h = fontMetrics().height();
    const int w = fontMetrics().horizontalAdvance(m_text);
    return QSize(w + h + 1 + (h + 1) / 2, h + 2);
}

void ts2900fp_led::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const QColor background = painter.background().color();
    const QColor colour = m_value ? m_onColour : m_offColour;
    const int h = fontMetrics().height();
    const int x0 = ((width() - minimumSizeHint().width()) >> 1) + 2;

    painter.setRenderHint(QPainter::Antialiasing);
    painter.drawText(QPointF(x0 + h + h / 2, h - 1), m_text);
    if (h < 10) {
        painter.setBrush(colour);
        painter.drawChord(QRectF(x0, 0, h, h), 0, 360 * 16);
        return;
    }
    paintShadedLed(painter, x0, h, background, colour);
}

void ts2900fp_led::paintShadedLed(QPainter &painter, qreal x0, int h, const QColor &background,
                                  const QColor &colour)
{
    const QRectF outer(x0, 0, h, h);
    const QRectF inner(x0 + 2, 2, h - 4, h - 4);
    // Qt angles are in sixteenths of a degree, counter-clockwise from 3 o'clock.
    painter.setPen(background.lighter(150));
    painter.drawArc(outer, 45 * 16, 180 * 16);
    painter.drawArc(inner, 45 * 16, 180 * 16);
    painter.setPen(background.darker(200));
    painter.drawArc(outer, 225 * 16, 180 * 16);
    painter.drawArc(inner, 225 * 16, 180 * 16);
    painter.setPen(background);
    painter.drawArc(QRectF(x0 + 1, 1, h - 2, h - 2), 0, 360 * 16);
    painter.setPen(colour);
    painter.setBrush(colour);
    painter.drawChord(QRectF(x0 + 3, 3, h - 6, h - 6), 0, 360 * 16);
}
