// Drawn on a 64-unit grid whose main edges fall on multiples of 4, so the 16-pixel icon
// stays sharp after scaling.
#include "appIconArt.h"

#include "artPalette.h"

#include <QPainter>
#include <QPainterPath>

static void drawCase(QPainter &p)
{
    p.setPen(Qt::NoPen);
    p.setBrush(art::makerBlue());
    p.drawRoundedRect(QRectF(0, 8, 64, 48), 6, 6);
    p.setBrush(art::panelGrey());
    p.drawRoundedRect(QRectF(4, 12, 56, 40), 3, 3);
}

// A label block with a rising and settling temperature curve in it.
static void drawTrace(QPainter &p)
{
    p.setPen(Qt::NoPen);
    p.setBrush(art::makerBlue());
    p.drawRect(QRectF(8, 16, 20, 20));
    QPainterPath trace;
    trace.moveTo(10, 32);
    trace.cubicTo(15, 32, 15, 20, 20, 21);
    trace.cubicTo(23, 22, 24, 24, 26, 23);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(art::accent(), 2.5, Qt::SolidLine, Qt::RoundCap));
    p.drawPath(trace);
}

static void drawConnectorsAndLed(QPainter &p)
{
    p.setPen(QPen(art::panelDark(), 1.5));
    p.setBrush(art::connectorYellow());
    for (int row = 0; row < 2; ++row)
        for (int col = 0; col < 3; ++col)
            p.drawEllipse(QRectF(33 + col * 9, 18 + row * 12, 7, 7));
    p.setPen(Qt::NoPen);
    p.setBrush(art::ledGreen());
    p.drawEllipse(QRectF(10, 40, 8, 8));
}

QImage drawAppIcon(int size)
{
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 64.0, size / 64.0);
    drawCase(p);
    drawTrace(p);
    drawConnectorsAndLed(p);
    return image;
}
