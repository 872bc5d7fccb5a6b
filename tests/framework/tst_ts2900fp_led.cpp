// The LED: repaint only on change, window-coloured off state.
#include "ts2900fp_led.h"

#include <QEvent>
#include <QImage>
#include <QtTest>

namespace {

// Counts the paint events a widget receives.
class PaintCounter : public QObject {
public:
    int count = 0;
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint)
            ++count;
        return false;
    }
};

int ledLeft(const ts2900fp_led &led)
{
    return ((led.width() - led.minimumSizeHint().width()) >> 1) + 2;
}

} // namespace

class tst_ts2900fp_led : public QObject {
    Q_OBJECT
private slots:
    void repaintsOnlyOnChange();
    void magentaOffShowsWindowColour();
};

void tst_ts2900fp_led::repaintsOnlyOnChange()
{
    ts2900fp_led led(QStringLiteral("Active"), Qt::green, Qt::magenta);
    led.show();
    QVERIFY(QTest::qWaitForWindowExposed(&led));
    PaintCounter counter;
    led.installEventFilter(&counter);

    led.setValue(0); // already off
    QCOMPARE(counter.count, 0);
    led.setValue(1);
    QCOMPARE(counter.count, 1); // painted at once, not merely scheduled
    led.setValue(5);            // any non-zero value is "on", but it differs: repaint
    QCOMPARE(counter.count, 2);
    led.setValue(5);
    QCOMPARE(counter.count, 2);
    led.toggleValue();
    QCOMPARE(counter.count, 3);
    QCOMPARE(led.value(), 0);
}

void tst_ts2900fp_led::magentaOffShowsWindowColour()
{
    QWidget parent;
    QPalette palette = parent.palette();
    palette.setColor(QPalette::Window, QColor(0x80, 0xa0, 0xc0));
    parent.setPalette(palette);
    auto *led = new ts2900fp_led(QStringLiteral("Active"), Qt::green, Qt::magenta, &parent);
    QFont font = led->font();
    font.setPixelSize(20);
    led->setFont(font);
    led->resize(led->minimumSizeHint());

    const int h = led->fontMetrics().height();
    const QImage off = led->grab().toImage();
    const QPoint centre(ledLeft(*led) + h / 2, h / 2);
    QCOMPARE(QColor(off.pixel(centre)), QColor(0x80, 0xa0, 0xc0));

    led->setValue(1);
    const QImage on = led->grab().toImage();
    QCOMPARE(QColor(on.pixel(centre)), QColor(Qt::green));
}

QTEST_MAIN(tst_ts2900fp_led)
#include "tst_ts2900fp_led.moc"
