// Temperature-axis labels: fixed decimals, right-aligned in eight characters.
#ifndef MYQWTSCALEDRAW_H
#define MYQWTSCALEDRAW_H

#include <qwt_scale_draw.h>

class myQwtScaleDraw : public QwtScaleDraw {
public:
    explicit myQwtScaleDraw(int precision = 1) : d_precision(precision) {}

    int precision() const { return d_precision; }
    // Drops the labels already drawn, so the next paint uses the new decimals.
    void setPrecision(int precision);

    QwtText label(double value) const override;

private:
    int d_precision;  // decimals of the labels
};

#endif
