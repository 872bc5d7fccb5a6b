// The reduced curve against every sample drawn by plain Qwt: same picture, bounded work.
#include "pixelColumnReducer.h"
#include "plotSamples.h"
#include "waveformCurve.h"
#include "waveformSeries.h"

#include <qwt_plot_curve.h>
#include <qwt_scale_map.h>

#include <QImage>
#include <QPainter>
#include <QtTest>

#include <cmath>
#include <limits>
#include <random>
#include <vector>

namespace {

const double notANumber = std::numeric_limits<double>::quiet_NaN();
const double inf = std::numeric_limits<double>::infinity();
const int width = 1000;
const int height = 300;

struct curveData {
    std::vector<double> t;
    std::vector<double> y;
};

curveData makeData(const QString &shape, int n)
{
    curveData d;
    std::mt19937 random(7);
    std::uniform_real_distribution<double> noise(-1.0, 1.0);
    for (int i = 0; i < n; ++i) {
        d.t.push_back(i * 0.001);
        const double slow = 20.0 + 5.0 * std::sin(i * 6.0 / n);
        if (shape == "noise")
            d.y.push_back(20.0 + 10.0 * noise(random));
        else if (shape == "steps")
            d.y.push_back(20.0 + 7.0 * ((i / 2777) % 5));
        else
            d.y.push_back(slow + 0.05 * noise(random));
    }
    if (shape == "spikes" || shape == "gaps") {
        for (int at : {n / 7, n / 3, n / 3 + 1, 2 * n / 3, n - 2})
            d.y[size_t(at)] += (at % 2) ? 40.0 : -40.0;
    }
    if (shape == "gaps") {
        for (int at : {n / 10, n / 2, n / 2 + 40, 3 * n / 4})
            d.y[size_t(at)] = notANumber;
        for (int i = n / 5; i < n / 5 + n / 20; ++i)
            d.y[size_t(i)] = notANumber;
        d.y[size_t(n / 4)] = inf;
        d.y[size_t(n / 4 + 9)] = -inf;
    }
    if (shape == "unordered") {
        // A clock that steps back once: times no longer ascend.
        for (int i = n / 2; i < n; ++i)
            d.t[size_t(i)] -= n * 0.0004;
    }
    return d;
}

QImage blankImage()
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(QColor(Qt::darkBlue));
    return image;
}

struct view {
    QwtScaleMap x;
    QwtScaleMap y;
    QRectF canvas{0, 0, width, height};
};

view makeView(double t0, double t1)
{
    view v;
    v.x.setScaleInterval(t0, t1);
    v.x.setPaintInterval(0, width);
    v.y.setScaleInterval(-30.0, 70.0);
    v.y.setPaintInterval(height, 0);
    return v;
}

const QPen pen(QColor(Qt::yellow), 1.0, Qt::SolidLine, Qt::SquareCap, Qt::BevelJoin);

QImage drawReduced(const curveData &d, const view &v)
{
    waveformCurve curve(QStringLiteral("Ch 1"));
    curve.setPen(pen);
    const int n = int(d.t.size());
    curve.setData(new waveformSeries(plotSamples::copy(d.t.data(), n), plotSamples::copy(d.y.data(), n), 0, n));
    QImage image = blankImage();
    QPainter painter(&image);
    // Drawn first for another view: what is kept for one view must not leak into another.
    view other = v;
    other.y.setScaleInterval(0.0, 50.0);
    curve.draw(&painter, other.x, other.y, other.canvas);
    image.fill(QColor(Qt::darkBlue));
    curve.draw(&painter, v.x, v.y, v.canvas);
    return image;
}

// Every sample, drawn by plain Qwt curves, one per stretch between gaps.
QImage drawFull(const curveData &d, const view &v)
{
    QImage image = blankImage();
    QPainter painter(&image);
    QVector<QPointF> run;
    auto flush = [&] {
        QwtPlotCurve curve;
        curve.setPen(pen);
        curve.setSamples(run);
        curve.draw(&painter, v.x, v.y, v.canvas);
        run.clear();
    };
    for (size_t i = 0; i < d.t.size(); ++i) {
        if (std::isfinite(d.y[i]))
            run.append(QPointF(d.t[i], d.y[i]));
        else
            flush();
    }
    flush();
    return image;
}

bool lit(const QImage &image, int col, int row)
{
    return image.rect().contains(col, row) && image.pixel(col, row) != QColor(Qt::darkBlue).rgb();
}

// Pixels lit in one image only; `stray` counts those with no lit neighbour in the other
// image (a line moved or lost, not just one end-point pixel more or less).
int differingPixels(const QImage &a, const QImage &b, int *stray = nullptr)
{
    int count = 0;
    for (int row = 0; row < a.height(); ++row) {
        for (int col = 0; col < a.width(); ++col) {
            if (lit(a, col, row) == lit(b, col, row))
                continue;
            ++count;
            const QImage &other = lit(a, col, row) ? b : a;
            bool near = false;
            for (int dr = -1; dr <= 1; ++dr)
                for (int dc = -1; dc <= 1; ++dc)
                    near |= lit(other, col + dc, row + dr);
            if (stray && !near)
                ++*stray;
        }
    }
    return count;
}

} // namespace

class tst_pixelColumnReducer : public QObject {
    Q_OBJECT
private slots:
    void sameImageAsEverySample_data();
    void sameImageAsEverySample();
    void workFollowsTheCanvas();
    void copiesAndSummaries();
};

void tst_pixelColumnReducer::sameImageAsEverySample_data()
{
    QTest::addColumn<QString>("shape");
    QTest::addColumn<int>("samples");
    QTest::addColumn<double>("fromTime");  // visible time range, as a share of the data
    QTest::addColumn<double>("toTime");
    QTest::newRow("spikes") << "spikes" << 100000 << 0.0 << 1.0;
    QTest::newRow("steps") << "steps" << 100000 << 0.0 << 1.0;
    QTest::newRow("gaps, NaN and infinities") << "gaps" << 100000 << 0.0 << 1.0;
    QTest::newRow("noise, a million samples") << "noise" << 1000000 << 0.0 << 1.0;
    QTest::newRow("zoomed into the middle") << "gaps" << 100000 << 0.49 << 0.52;
    QTest::newRow("zoomed in past the samples") << "gaps" << 100000 << 0.4995 << 0.5005;
    QTest::newRow("fewer samples than pixels") << "gaps" << 300 << -0.1 << 1.1;
    QTest::newRow("times out of order") << "unordered" << 100000 << 0.0 << 1.0;
}

void tst_pixelColumnReducer::sameImageAsEverySample()
{
    QFETCH(QString, shape);
    QFETCH(int, samples);
    QFETCH(double, fromTime);
    QFETCH(double, toTime);
    const curveData d = makeData(shape, samples);
    const double span = samples * 0.001;
    const view v = makeView(fromTime * span, toTime * span);
    const QImage reduced = drawReduced(d, v);
    const QImage full = drawFull(d, v);
    // Plain Qwt leaves it to the rasteriser's end-point rule whether the top pixel of a
    // two-pixel column is lit; the reduced curve always lights it. Nothing else may differ.
    int stray = 0;
    const int differ = differingPixels(reduced, full, &stray);
    QVERIFY2(differ <= width / 40 && stray == 0,
             qPrintable(QString("%1 pixels differ, %2 away from the other line").arg(differ).arg(stray)));
    QVERIFY(differingPixels(full, blankImage()) > width / 2);  // something was drawn
}

void tst_pixelColumnReducer::workFollowsTheCanvas()
{
    // A million samples reduce to a few points per pixel column, extremes kept.
    const curveData d = makeData("spikes", 1000000);
    const auto t = plotSamples::copy(d.t.data(), 1000000);
    const auto y = plotSamples::copy(d.y.data(), 1000000);
    const view v = makeView(0.0, 1000.0);
    const QPolygonF points = pixelColumnReducer::reduce(*t, *y, 0, 1000000, v.x, 0, width);
    QVERIFY(points.size() <= 4 * (width + 2));
    const auto highest = std::max_element(points.begin(), points.end(),
                                          [](QPointF a, QPointF b) { return a.y() < b.y(); });
    QCOMPARE(highest->y(), *std::max_element(d.y.begin(), d.y.end()));
    // Zoomed in past the samples, every sample in view is kept as it is.
    const view zoomed = makeView(1.0, 1.2);
    const QPolygonF close = pixelColumnReducer::reduce(*t, *y, 0, 1000000, zoomed.x, 0, width);
    for (int i = 1000; i <= 1200; ++i)
        QVERIFY(close.contains(QPointF(d.t[size_t(i)], d.y[size_t(i)])));
    QVERIFY(close.size() <= 201 + 2 * 4);  // and at most four for all those beyond each side
}

void tst_pixelColumnReducer::copiesAndSummaries()
{
    const double values[] = {3.0, notANumber, inf, -1.0, -inf, 7.5, 2.0};
    const auto s = plotSamples::copy(values, 7, 2.0, 1.0);
    QCOMPARE(s->size(), 7);
    QVERIFY(std::isnan((*s)[1]) && std::isnan((*s)[2]) && std::isnan((*s)[4]));
    const plotSamples::span all = s->summary(0, 7);
    QCOMPARE(all.min, -1.0);
    QCOMPARE(all.max, 16.0);
    QCOMPARE(all.gaps, 3);
    QVERIFY(!s->ascending());
    // Summaries over whole blocks agree with a plain scan of any range.
    std::vector<double> many(1000);
    std::mt19937 random(3);
    for (double &v : many)
        v = (random() % 50 == 0) ? notANumber : double(random() % 1000);
    const auto m = plotSamples::copy(many.data(), 1000);
    for (int trial = 0; trial < 200; ++trial) {
        const int from = int(random() % 1000);
        const int to = from + int(random() % (1001 - from));
        double lo = inf, hi = -inf;
        int gaps = 0;
        for (int i = from; i < to; ++i) {
            gaps += std::isnan(many[size_t(i)]);
            if (!std::isnan(many[size_t(i)])) {
                lo = std::min(lo, many[size_t(i)]);
                hi = std::max(hi, many[size_t(i)]);
            }
        }
        const plotSamples::span part = m->summary(from, to);
        QVERIFY(part.min == lo && part.max == hi && part.gaps == gaps);
    }
    QVERIFY(plotSamples::copy(nullptr, 5)->size() == 0);
    // Channels copied side by side hold the same as one by one.
    const auto each = plotSamples::copyEach({values, many.data(), nullptr}, 7, 2.0, 1.0);
    QCOMPARE(int(each.size()), 3);
    QVERIFY(each[0]->summary(0, 7).max == 16.0 && (*each[1])[6] == many[6] * 2.0 + 1.0 && each[2]->size() == 0);
}

QTEST_MAIN(tst_pixelColumnReducer)
#include "tst_pixelColumnReducer.moc"
