// Logos on the maker's dark blue, so the header reads as one band with the title.
#include "logoArt.h"

#include "artPalette.h"

#include <QPainter>
#include <QPainterPath>

static QImage blueCanvas(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(art::makerBlue());
    return image;
}

static QFont logoFont(int pixelSize, bool bold, qreal spacing = 0)
{
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setPixelSize(pixelSize);
    f.setBold(bold);
    f.setLetterSpacing(QFont::AbsoluteSpacing, spacing);
    return f;
}

// The maker's mark: a thermocouple junction, two wires meeting in a bead, in a ring.
static void drawMark(QPainter &p, const QPointF &c, qreal r)
{
    p.setPen(QPen(Qt::white, 2.2));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(c, r, r);
    QPainterPath left, right;
    left.moveTo(c.x() - r * 0.55, c.y() - r * 0.6);
    left.cubicTo(c.x() - r * 0.55, c.y(), c.x() - r * 0.2, c.y() + r * 0.1, c.x(), c.y() + r * 0.35);
    right.moveTo(c.x() + r * 0.55, c.y() - r * 0.6);
    right.cubicTo(c.x() + r * 0.55, c.y(), c.x() + r * 0.2, c.y() + r * 0.1, c.x(), c.y() + r * 0.35);
    p.setPen(QPen(art::connectorYellow(), 2.4, Qt::SolidLine, Qt::RoundCap));
    p.drawPath(left);
    p.setPen(QPen(QColor(0xe0, 0x4a, 0x3a), 2.4, Qt::SolidLine, Qt::RoundCap));
    p.drawPath(right);
    p.setPen(Qt::NoPen);
    p.setBrush(art::accent());
    p.drawEllipse(QPointF(c.x(), c.y() + r * 0.38), r * 0.2, r * 0.2);
}

QImage drawMakerLogo()
{
    QImage image = blueCanvas(160, 48);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    drawMark(p, QPointF(24, 24), 15);
    p.setPen(Qt::white);
    p.setFont(logoFont(19, true, 2.5));
    p.drawText(QRectF(46, 6, 112, 24), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("TARSEL"));
    p.setPen(art::accent());
    p.setFont(logoFont(7, false, 0.8));
    p.drawText(QRectF(47, 29, 112, 12), Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("MEASUREMENT SYSTEMS"));
    return image;
}

static void drawFramedName(QPainter &p, const QString &name, const QString &caption)
{
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(art::accent(), 1.5));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(QRectF(8.5, 6.5, 79, 35), 6, 6);
    p.setPen(Qt::white);
    p.setFont(logoFont(19, true, 1.5));
    p.drawText(QRectF(8, 6, 80, 24), Qt::AlignCenter, name);
    p.setPen(QColor(0xcf, 0xd8, 0xea));
    p.setFont(logoFont(8, false, 0.5));
    p.drawText(QRectF(8, 28, 80, 12), Qt::AlignCenter, caption);
}

QImage drawVxiLogo()
{
    QImage image = blueCanvas(96, 48);
    QPainter p(&image);
    drawFramedName(p, QStringLiteral("VXI"), QStringLiteral("plug&play"));
    return image;
}

QImage drawLxiLogo()
{
    QImage image = blueCanvas(96, 48);
    QPainter p(&image);
    drawFramedName(p, QStringLiteral("LXI"), QStringLiteral("LAN instrument"));
    return image;
}
