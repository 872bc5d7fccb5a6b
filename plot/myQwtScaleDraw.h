// Temperature-axis labels: fixed decimals, right-aligned in eight characters.
#ifndef MYQWTSCALEDRAW_H
#define MYQWTSCALEDRAW_H

#include <qwt_scale_draw.h>

class myQwtScaleDraw : public QwtScaleDraw {
public:
    explicit myQwtScaleDraw(int precision = 1) : m_precision(precision) {}

    int precision() const { return m_precision; }
    // Drops the labels already drawn, so the next paint uses the new decimals.
    void setPrecision(int precision);

    QwtText label(double value) const override;

private:
    int m_precision;  // decimals of the labels
};

#endif
