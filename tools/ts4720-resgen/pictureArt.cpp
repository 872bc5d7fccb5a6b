// Splash base and About picture.
#include "pictureArt.h"

#include "artPalette.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <cmath>

static QFont artFont(int pixelSize, bool bold, qreal spacing = 0)
{
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setPixelSize(pixelSize);
    f.setBold(bold);
    f.setLetterSpacing(QFont::AbsoluteSpacing, spacing);
    return f;
}

static void drawMakerBand(QPainter &p, int height)
{
    QLinearGradient band(0, 0, 0, height);
    band.setColorAt(0, art::makerBlueLight());
    band.setColorAt(0.5, art::makerBlue());
    band.setColorAt(1, art::makerBlue().darker(130));
    p.fillRect(0, 0, 56, height, band);
    p.fillRect(56, 0, 3, height, art::accent());
    p.save();
    p.translate(36, height - 40);
    p.rotate(-90);
    p.setPen(Qt::white);
    p.setFont(artFont(22, true, 6));
    p.drawText(QPointF(0, 0), QStringLiteral("TARSEL"));
    p.restore();
}

QImage drawSplashBase()
{
    QImage image(540, 400, QImage::Format_RGB32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    QLinearGradient field(0, 0, 0, 400);
    field.setColorAt(0, QColor(0xf6, 0xf8, 0xfb));
    field.setColorAt(0.6, QColor(0xe4, 0xea, 0xf3));
    field.setColorAt(1, QColor(0xcf, 0xd9, 0xe8));
    p.fillRect(image.rect(), field);

    // a faint light behind the instrument
    QRadialGradient glow(QPointF(293, 140), 260);
    glow.setColorAt(0, QColor(255, 255, 255, 200));
    glow.setColorAt(1, QColor(255, 255, 255, 0));
    p.fillRect(QRect(59, 0, 481, 260), glow);

    drawMakerBand(p, 400);
    // rules framing the text block
    p.setPen(QPen(art::makerBlue(), 1.5));
    p.drawLine(QPointF(107, 244), QPointF(480, 244));
    p.setPen(QPen(art::accent(), 1));
    p.drawLine(QPointF(107, 362), QPointF(480, 362));
    p.fillRect(59, 392, 481, 8, art::makerBlue());
    p.setPen(QColor(0x6a, 0x74, 0x86));
    p.setFont(artFont(9, false, 1));
    p.drawText(QRectF(59, 8, 470, 14), Qt::AlignRight | Qt::AlignVCenter,
               QStringLiteral("SOFT FRONT PANEL"));
    return image;
}

// A temperature trace rising and settling, drawn across the picture.
static void drawTrace(QPainter &p, const QRectF &area, const QColor &colour, qreal phase)
{
    QPainterPath trace;
    for (int i = 0; i <= 100; ++i) {
        const qreal t = i / 100.0;
        const qreal rise = 1 - std::exp(-5 * t);
        const qreal y = area.bottom() - area.height() * (0.15 + 0.7 * rise)
                        + 3 * std::sin(t * 25 + phase);
        const QPointF point(area.left() + t * area.width(), y);
        if (i == 0)
            trace.moveTo(point);
        else
            trace.lineTo(point);
    }
    p.setPen(QPen(colour, 2));
    p.setBrush(Qt::NoBrush);
    p.drawPath(trace);
}

// A sheathed thermocouple probe with its yellow miniature plug.
static void drawProbe(QPainter &p)
{
    p.save();
    p.translate(60, 300);
    p.rotate(-30);
    QLinearGradient steel(0, -4, 0, 4);
    steel.setColorAt(0, QColor(0xf0, 0xf2, 0xf5));
    steel.setColorAt(1, QColor(0x8a, 0x90, 0x9a));
    p.setPen(QPen(QColor(0x50, 0x55, 0x60), 0.8));
    p.setBrush(steel);
    p.drawRoundedRect(QRectF(-70, -3.5, 110, 7), 3.5, 3.5);
    QLinearGradient plug(0, -11, 0, 11);
    plug.setColorAt(0, art::connectorYellow().lighter(125));
    plug.setColorAt(1, art::connectorYellow().darker(120));
    p.setBrush(plug);
    p.drawRoundedRect(QRectF(40, -11, 34, 22), 3, 3);
    p.setBrush(QColor(0xd8, 0xb0, 0x40));
    p.drawRect(QRectF(74, -6, 14, 3));
    p.drawRect(QRectF(74, 3, 14, 3));
    p.restore();
}

QImage drawAboutPicture()
{
    QImage image(180, 460, QImage::Format_RGB32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(0, 0, 0, 460);
    sky.setColorAt(0, QColor(0xee, 0xf2, 0xf8));
    sky.setColorAt(0.45, art::makerBlueLight());
    sky.setColorAt(1, art::makerBlue().darker(120));
    p.fillRect(image.rect(), sky);

    p.setPen(QPen(QColor(255, 255, 255, 40), 1));
    for (int y = 180; y < 420; y += 20)
        p.drawLine(10, y, 170, y);
    for (int x = 10; x <= 170; x += 20)
        p.drawLine(x, 180, x, 420);
    drawTrace(p, QRectF(10, 190, 160, 200), art::connectorYellow(), 0);
    drawTrace(p, QRectF(10, 230, 160, 180), QColor(0xff, 0x7a, 0x5c), 1.7);
    drawTrace(p, QRectF(10, 270, 160, 150), art::accent().lighter(130), 3.1);
    drawProbe(p);

    p.setPen(Qt::white);
    p.setFont(artFont(20, true, 3));
    p.drawText(QRectF(0, 416, 180, 26), Qt::AlignCenter, QStringLiteral("TARSEL"));
    p.setPen(art::accent().lighter(120));
    p.setFont(artFont(9, false, 1.5));
    p.drawText(QRectF(0, 440, 180, 14), Qt::AlignCenter, QStringLiteral("KORVAN 4720"));
    return image;
}
