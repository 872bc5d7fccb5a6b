// The waveform plot as its users meet it: legend, axis dialogs, labels, tracker, colours,
// slider, and bad data.
#include "axisConfig.h"
#include "boxRecorder.h"
#include "chLabel.h"
#include "modelText.h"
#include "myQwtPlotPicker.h"
#include "standardDialogs.h"
#include "waveform.h"
#include "waveformCurve.h"

#include <qwt_plot.h>
#include <qwt_plot_canvas.h>
#include <qwt_scale_draw.h>
#include <qwt_scale_widget.h>

#include <QCheckBox>
#include <QDoubleSpinBox>
#include <QGroupBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QSlider>
#include <QtTest>

#include <cmath>
#include <limits>
#include <vector>

namespace {

const double notANumber = std::numeric_limits<double>::quiet_NaN();

QString labelText(const waveform &w, double value)
{
    return w.plot->axisScaleDraw(QwtPlot::yLeft)->label(value).text();
}

// Pixels of the canvas drawn in a colour.
int pixelsOf(waveform &w, const QColor &color)
{
    w.plot->replot();
    const QImage image = w.plot->canvas()->grab().toImage();
    int count = 0;
    for (int row = 0; row < image.height(); ++row)
        for (int col = 0; col < image.width(); ++col)
            count += image.pixel(col, row) == color.rgb();
    return count;
}

} // namespace

class tst_waveform : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { ts2900fp_setModelText(QStringLiteral("4720")); }
    void legend();
    void axisDialogs_data();
    void axisDialogs();
    void autoScaleBackFromTheDialog();
    void labelPrecision_data();
    void labelPrecision();
    void trackerText_data();
    void trackerText();
    void colours();
    void sliderOnlyInViewerMode();
    void badData_data();
    void badData();
};

void tst_waveform::legend()
{
    const int channels = 48;
    waveform w(nullptr, channels, false);
    w.show();
    QCOMPARE(w.labels.size(), channels);
    w.labels[2]->setChannelEnabled(false);
    QSignalSpy toggled(&w, &waveform::channelToggled);
    auto *none = w.findChild<QPushButton *>(QString(), Qt::FindChildrenRecursively);
    for (QPushButton *button : w.findChildren<QPushButton *>())
        if (button->text() == QLatin1String("None"))
            none = button;
    QTest::mouseClick(none, Qt::LeftButton);
    QCOMPARE(toggled.count(), channels);
    for (chLabel *label : w.labels)
        QVERIFY(!label->isShown());
    w.selectAll();
    QCOMPARE(toggled.count(), 2 * channels);
    QVERIFY(w.labels[0]->isShown());
    // A left click toggles one label; a disabled label takes no clicks.
    QTest::mouseClick(w.labels[0], Qt::LeftButton);
    QTest::mouseClick(w.labels[2], Qt::LeftButton);
    QCOMPARE(toggled.count(), 2 * channels + 1);
    QVERIFY(!w.labels[0]->isShown() && w.labels[2]->isShown());
}

void tst_waveform::axisDialogs_data()
{
    QTest::addColumn<bool>("timeAxis");
    QTest::addColumn<bool>("custom");
    QTest::addColumn<double>("lower");
    QTest::addColumn<double>("upper");
    QTest::addColumn<bool>("pressMax");
    QTest::addColumn<bool>("refused");   // the warning shows and the dialog stays open
    QTest::addColumn<double>("axisLow");
    QTest::addColumn<double>("axisHigh");
    QTest::addColumn<bool>("autoAfter");
    QTest::addColumn<QString>("label25");
    const double c0 = -273.15, c1 = 2500.0;
    QTest::newRow("custom range off keeps the scale") << false << false << 20.0 << 30.0 << false << false << c0 << c1 << true << "    25.0";
    QTest::newRow("custom 20 to 30") << false << true << 20.0 << 30.0 << false << false << 20.0 << 30.0 << false << "    25.0";
    QTest::newRow("custom 20 to 25") << false << true << 20.0 << 25.0 << false << false << 20.0 << 25.0 << false << "   25.00";
    QTest::newRow("equal limits refused") << false << true << 25.0 << 25.0 << false << true << c0 << c1 << true << "    25.0";
    QTest::newRow("inverted limits refused") << false << true << 30.0 << 20.0 << false << true << c0 << c1 << true << "    25.0";
    QTest::newRow("equal limits with custom off") << false << false << 25.0 << 25.0 << false << false << c0 << c1 << true << "    25.0";
    QTest::newRow("limits clamped to the range") << false << true << -900.0 << 9000.0 << false << false << c0 << c1 << false << "    25.0";
    QTest::newRow("Max") << false << true << 20.0 << 30.0 << true << false << c0 << c1 << false << "    25.0";
    QTest::newRow("time 2 to 5 s") << true << false << 2.0 << 5.0 << false << false << 2.0 << 5.0 << true << "";
    QTest::newRow("time equal refused") << true << false << 3.0 << 3.0 << false << true << 0.0 << 1.0 << true << "";
}

void tst_waveform::axisDialogs()
{
    QFETCH(bool, timeAxis);
    QFETCH(bool, custom);
    QFETCH(double, lower);
    QFETCH(double, upper);
    QFETCH(bool, pressMax);
    QFETCH(bool, refused);
    QFETCH(double, axisLow);
    QFETCH(double, axisHigh);
    QFETCH(bool, autoAfter);
    QFETCH(QString, label25);
    waveform w(nullptr, 16, false);
    w.resize(900, 500);
    w.show();
    w.plot->replot();
    for (QDoubleSpinBox *box : {w.xAxisConfig->lower, w.xAxisConfig->upper})
        box->setRange(0.0, 10.0);
    axisConfig *dialog = timeAxis ? w.xAxisConfig : w.yAxisConfig;
    boxRecorder boxes;
    bool openedWithCustom = true;
    bool stayedOpen = false;
    QTimer::singleShot(0, [&] {
        openedWithCustom = dialog->customRange->isChecked();
        dialog->customRange->setChecked(custom);
        dialog->lower->setValue(lower);
        dialog->upper->setValue(upper);
        if (pressMax)
            QTest::mouseClick(dialog->maxButton, Qt::LeftButton);
        for (QPushButton *button : dialog->findChildren<QPushButton *>())
            if (button->text() == QLatin1String("OK"))
                QTest::mouseClick(button, Qt::LeftButton);
        stayedOpen = dialog->isVisible();
        if (stayedOpen)
            dialog->reject();
    });
    QwtScaleWidget *axis = w.plot->axisWidget(timeAxis ? QwtPlot::xBottom : QwtPlot::yLeft);
    QTest::mouseClick(axis, Qt::LeftButton, {}, axis->rect().center());
    QVERIFY(!dialog->isVisible());
    if (!timeAxis)
        QVERIFY(!openedWithCustom);  // "Auto Scale" checked: the custom range opens off
    QCOMPARE(stayedOpen, refused);
    QCOMPARE(boxes.titledTexts(), refused ? QStringList{"Korvan 4720 SFP: The lower limit must be below the upper limit."}
                                  : QStringList());
    const QwtScaleDiv &div = w.plot->axisScaleDiv(timeAxis ? QwtPlot::xBottom : QwtPlot::yLeft);
    QCOMPARE(div.lowerBound(), axisLow);
    QCOMPARE(div.upperBound(), axisHigh);
    QCOMPARE(w.autoScale->isChecked(), autoAfter);
    if (!label25.isEmpty())
        QCOMPARE(labelText(w, 25.0), label25);
}

void tst_waveform::autoScaleBackFromTheDialog()
{
    // Switching the custom range off scales the axis to the data at once, also with a
    // file on view, where no refresh follows to do it.
    waveform w(nullptr, 16, true);
    w.resize(900, 500);
    w.show();
    const double time[] = {0.0, 1.0, 2.0};
    const double values[] = {50.0, 60.0, 55.0};
    w.setCurveSamples(0, time, values, 3);
    w.attachShownCurves();
    w.autoScale->setChecked(false);
    w.plot->setAxisScale(QwtPlot::yLeft, 0.0, 10.0);
    w.plot->replot();
    QTimer::singleShot(0, [&] {
        w.yAxisConfig->customRange->setChecked(false);
        w.yAxisConfig->checkValuesAndAccept();
    });
    QwtScaleWidget *axis = w.plot->axisWidget(QwtPlot::yLeft);
    QTest::mouseClick(axis, Qt::LeftButton, {}, axis->rect().center());
    QVERIFY(w.autoScale->isChecked());
    const QwtScaleDiv &y = w.plot->axisScaleDiv(QwtPlot::yLeft);
    QVERIFY(y.lowerBound() <= 50.0 && y.upperBound() >= 60.0 && y.upperBound() < 100.0);
}

void tst_waveform::labelPrecision_data()
{
    QTest::addColumn<double>("span");
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("text");
    QTest::newRow("span 0.5: 3 decimals") << 0.5 << 20.25 << "  20.250";
    QTest::newRow("span 5: 2 decimals") << 5.0 << 20.25 << "   20.25";
    QTest::newRow("span 10: 1 decimal") << 10.0 << 25.0 << "    25.0";
    QTest::newRow("absolute zero, 2 decimals") << 9.0 << -273.15 << " -273.15";
    QTest::newRow("no minus zero") << 10.0 << -1e-15 << "     0.0";
}

void tst_waveform::labelPrecision()
{
    QFETCH(double, span);
    QFETCH(double, value);
    QFETCH(QString, text);
    waveform w(nullptr, 16, false);
    w.plot->setAxisScale(QwtPlot::yLeft, 20.0, 20.0 + span);
    w.plot->replot();
    w.scaleUpdate();
    QCOMPARE(labelText(w, value), text);
}

void tst_waveform::trackerText_data()
{
    QTest::addColumn<double>("span");
    QTest::addColumn<QPointF>("point");
    QTest::addColumn<QChar>("unit");
    QTest::addColumn<QString>("text");
    QTest::newRow("0.1 s: seconds") << 0.1 << QPointF(0.25, 23.456) << QChar('C') << "0.250 s, 23.456 C";
    QTest::newRow("0.0999 s: milliseconds") << 0.0999 << QPointF(0.0125, 23.456) << QChar('C') << "12.500 ms, 23.456 C";
    QTest::newRow("0.0001 s: milliseconds") << 0.0001 << QPointF(0.00005, -1.5) << QChar('F') << "0.050 ms, -1.500 F";
    QTest::newRow("0.00005 s: microseconds") << 0.00005 << QPointF(0.00002, 300.0) << QChar('K') << "20.000 us, 300.000 K";
}

void tst_waveform::trackerText()
{
    QFETCH(double, span);
    QFETCH(QPointF, point);
    QFETCH(QChar, unit);
    QFETCH(QString, text);
    waveform w(nullptr, 16, false);
    w.setDisplayUnit(unit);
    w.plot->setAxisScale(QwtPlot::xBottom, 0.0, span);
    w.plot->replot();
    w.scaleUpdate();
    QCOMPARE(myQwtPlotPicker::trackerText(point, w.picker->timeMinimum(), w.picker->timeMaximum(),
                                          w.picker->unitText()),
             text);
}

void tst_waveform::colours()
{
    waveform w(nullptr, 48, false);
    const QColor first = w.labels[0]->color();
    QCOMPARE(w.labels[16]->color(), first);  // channel 17 repeats channel 1
    QCOMPARE(w.curves[16]->pen().color(), first);
    QVERIFY(w.labels[15]->color() != first);
    // A right click recolours the label (not the curve) and counts as a toggle.
    QColor offered;
    standardDialogs::setColorHandler([&](const QColor &initial, QWidget *, const QString &) {
        offered = initial;
        return QColor(Qt::red);
    });
    QSignalSpy toggled(&w, &waveform::channelToggled);
    QTest::mouseClick(w.labels[16], Qt::RightButton);
    standardDialogs::setColorHandler({});
    QCOMPARE(offered, first);
    QCOMPARE(w.labels[16]->color(), QColor(Qt::red));
    QCOMPARE(w.curves[16]->pen().color(), first);
    QCOMPARE(toggled.count(), 1);
    QVERIFY(w.labels[16]->isShown());
}

void tst_waveform::sliderOnlyInViewerMode()
{
    for (const bool viewer : {false, true}) {
        waveform w(nullptr, 16, viewer);
        w.resize(900, 500);
        w.show();
        QCOMPARE(w.findChildren<QSlider *>().size(), viewer ? 1 : 0);
        if (viewer)
            QVERIFY(w.positionSlider->geometry().top() >= w.plot->geometry().bottom());
    }
}

void tst_waveform::badData_data()
{
    QTest::addColumn<std::vector<double>>("values");
    const double inf = std::numeric_limits<double>::infinity();
    QTest::newRow("no samples") << std::vector<double>{};
    QTest::newRow("one sample") << std::vector<double>{21.0};
    QTest::newRow("all open") << std::vector<double>(1000, notANumber);
    QTest::newRow("infinities only") << std::vector<double>{inf, -inf, inf};
}

void tst_waveform::badData()
{
    QFETCH(std::vector<double>, values);
    waveform w(nullptr, 16, false);
    w.resize(900, 500);
    w.show();
    std::vector<double> time(values.size());
    for (size_t i = 0; i < time.size(); ++i)
        time[i] = i * 0.01;
    w.setCurveSamples(0, time.data(), values.data(), int(values.size()));
    w.attachShownCurves();
    w.plot->setAxisAutoScale(QwtPlot::yLeft, true);
    QCOMPARE(pixelsOf(w, w.curves[0]->pen().color()), 0);
    const QwtScaleDiv &y = w.plot->axisScaleDiv(QwtPlot::yLeft);
    QVERIFY(std::isfinite(y.lowerBound()) && std::isfinite(y.upperBound()));
    // Next to a good curve, the bad one leaves the axis range alone.
    const double goodTime[] = {0.0, 1.0};
    const double good[] = {20.0, 30.0};
    w.setCurveSamples(1, goodTime, good, 2);
    w.attachShownCurves();
    QVERIFY(pixelsOf(w, w.curves[1]->pen().color()) > 0);
    QVERIFY(y.lowerBound() >= 18.0 && y.upperBound() <= 32.0);
}

QTEST_MAIN(tst_waveform)
#include "tst_waveform.moc"
