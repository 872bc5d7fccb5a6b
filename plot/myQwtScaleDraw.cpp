// Temperature-axis labels.
#include "myQwtScaleDraw.h"

#include <qwt_text.h>

void myQwtScaleDraw::setPrecision(int precision)
{
    m_precision = precision;
    invalidateCache();
}

QwtText myQwtScaleDraw::label(double value) const
{
    QString text = QString::number(value, 'f', m_precision);
    // A tick a rounding error below zero would read "-0.0".
    if (text.startsWith(QLatin1Char('-')) && text.toDouble() == 0.0)
        text.remove(0, 1);
    return QwtText(text.rightJustified(8, QLatin1Char(' ')), QwtText::PlainText);
}
