// The mouse tracker: time and temperature under the cursor, the time in a unit that suits
// the span shown (seconds, milliseconds, microseconds).
#ifndef MYQWTPLOTPICKER_H
#define MYQWTPLOTPICKER_H

#include <qwt_plot_picker.h>

class myQwtPlotPicker : public QwtPlotPicker {
public:
    // Bound to the bottom (time) and left (temperature) axes of the plot of canvas.
    explicit myQwtPlotPicker(QWidget *canvas);

    // The time axis range shown, which picks the time unit of the text.
    void setTimeRange(double minimum, double maximum);
    double timeMinimum() const { return m_timeMin; }
    double timeMaximum() const { return m_timeMax; }

    // "C", "F" or "K": the displayed temperature unit.
    void setUnitText(const QString &unit) { m_unit = unit; }
    QString unitText() const { return m_unit; }

    // The text for the point (seconds, temperature), e.g. "0.250 s, 23.456 C".
    static QString trackerText(const QPointF &point, double timeMin, double timeMax, const QString &unit);

protected:
    QwtText trackerTextF(const QPointF &point) const override;

private:
    double m_timeMin = -1.0;
    double m_timeMax = 1.0;
    QString m_unit = QStringLiteral("C");
};

#endif
