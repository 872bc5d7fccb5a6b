// A 19-inch rack instrument seen slightly from above: top face, front panel with rack
// ears, the maker's label, status LEDs, a LAN socket and three rows of 16 miniature
// thermocouple connectors.
#include "instrumentArt.h"

#include "artPalette.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

static void drawShadow(QPainter &p)
{
    QRadialGradient shadow(QPointF(226, 182), 230);
    shadow.setColorAt(0, QColor(0, 0, 0, 90));
    shadow.setColorAt(1, QColor(0, 0, 0, 0));
    p.save();
    p.translate(0, 182);
    p.scale(1, 0.05);
    p.translate(0, -182);
    p.setPen(Qt::NoPen);
    p.setBrush(shadow);
    p.drawEllipse(QPointF(226, 182), 230, 230);
    p.restore();
}

static void drawTopFace(QPainter &p, const QRectF &front)
{
    QPainterPath top;
    top.moveTo(front.left() + 18, front.top());
    top.lineTo(front.left() + 40, front.top() - 16);
    top.lineTo(front.right() - 40, front.top() - 16);
    top.lineTo(front.right() - 18, front.top());
    top.closeSubpath();
    QLinearGradient g(0, front.top() - 16, 0, front.top());
    g.setColorAt(0, QColor(0x9a, 0xa1, 0xad));
    g.setColorAt(1, QColor(0xd8, 0xdc, 0xe2));
    p.setPen(QPen(art::panelDark(), 1));
    p.setBrush(g);
    p.drawPath(top);
}

static void drawEar(QPainter &p, const QRectF &ear)
{
    QLinearGradient g(ear.topLeft(), ear.topRight());
    g.setColorAt(0, QColor(0xb5, 0xbb, 0xc4));
    g.setColorAt(1, QColor(0xe4, 0xe7, 0xeb));
    p.setPen(QPen(art::panelDark(), 1));
    p.setBrush(g);
    p.drawRoundedRect(ear, 2, 2);
    p.setBrush(QColor(0x30, 0x34, 0x3c));
    for (qreal y : {ear.top() + 16, ear.bottom() - 22})
        p.drawRoundedRect(QRectF(ear.center().x() - 3.5, y, 7, 6), 3, 3);
    // carrying handle
    p.setBrush(QColor(0x8c, 0x93, 0x9e));
    p.drawRoundedRect(QRectF(ear.center().x() - 3, ear.top() + 40, 6, ear.height() - 80), 3, 3);
}

static void drawLabelBlock(QPainter &p, const QRectF &block)
{
    p.setPen(Qt::NoPen);
    p.setBrush(art::makerBlue());
    p.drawRoundedRect(block, 3, 3);
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setBold(true);
    f.setPixelSize(15);
    f.setLetterSpacing(QFont::AbsoluteSpacing, 2);
    p.setPen(Qt::white);
    p.setFont(f);
    p.drawText(QRectF(block.left(), block.top() + 8, block.width(), 20), Qt::AlignCenter,
               QStringLiteral("TARSEL"));
    f.setPixelSize(11);
    f.setLetterSpacing(QFont::AbsoluteSpacing, 1);
    p.setFont(f);
    p.setPen(art::accent());
    p.drawText(QRectF(block.left(), block.top() + 30, block.width(), 14), Qt::AlignCenter,
               QStringLiteral("KORVAN 4720"));
    f.setBold(false);
    f.setPixelSize(8);
    f.setLetterSpacing(QFont::AbsoluteSpacing, 0);
    p.setFont(f);
    p.setPen(QColor(0xcf, 0xd8, 0xea));
    p.drawText(QRectF(block.left(), block.top() + 45, block.width(), 12), Qt::AlignCenter,
               QStringLiteral("48-channel thermocouple"));
}

static void drawLed(QPainter &p, const QPointF &c, const QColor &colour, const QString &name)
{
    QRadialGradient g(c - QPointF(1, 1), 4);
    g.setColorAt(0, colour.lighter(170));
    g.setColorAt(1, colour.darker(130));
    p.setPen(QPen(QColor(0x40, 0x44, 0x4c), 0.8));
    p.setBrush(g);
    p.drawEllipse(c, 3.5, 3.5);
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setPixelSize(7);
    p.setFont(f);
    p.setPen(QColor(0x30, 0x34, 0x3c));
    p.drawText(QRectF(c.x() - 14, c.y() + 5, 28, 9), Qt::AlignCenter, name);
}

static void drawLanSocket(QPainter &p, const QRectF &r)
{
    p.setPen(QPen(QColor(0x30, 0x34, 0x3c), 1));
    p.setBrush(QColor(0xe9, 0xeb, 0xee));
    p.drawRect(r);
    p.setBrush(QColor(0x22, 0x25, 0x2b));
    p.drawRect(r.adjusted(3, 3, -3, -5));
    p.drawRect(QRectF(r.center().x() - 3, r.bottom() - 6, 6, 4));
}

// A miniature thermocouple socket: yellow body (type K colour), two blade slots.
static void drawConnector(QPainter &p, const QRectF &r)
{
    QLinearGradient g(r.topLeft(), r.bottomLeft());
    g.setColorAt(0, art::connectorYellow().lighter(125));
    g.setColorAt(1, art::connectorYellow().darker(115));
    p.setPen(QPen(QColor(0x8a, 0x6d, 0x00), 0.8));
    p.setBrush(g);
    p.drawRoundedRect(r, 1.5, 1.5);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x3a, 0x2e, 0x00));
    const qreal slotW = r.width() * 0.16;
    p.drawRect(QRectF(r.left() + r.width() * 0.24, r.top() + r.height() * 0.3, slotW, r.height() * 0.4));
    p.drawRect(QRectF(r.right() - r.width() * 0.24 - slotW, r.top() + r.height() * 0.25, slotW * 1.3,
                      r.height() * 0.5));
}

static void drawConnectorField(QPainter &p, const QRectF &field)
{
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setPixelSize(7);
    p.setFont(f);
    const qreal pitch = field.width() / 16;
    const qreal rowPitch = field.height() / 3;
    for (int row = 0; row < 3; ++row) {
        for (int col = 0; col < 16; ++col) {
            const qreal x = field.left() + col * pitch;
            const qreal y = field.top() + row * rowPitch;
            p.setPen(QColor(0x30, 0x34, 0x3c));
            p.drawText(QRectF(x, y, pitch, 9), Qt::AlignCenter, QString::number(row * 16 + col + 1));
            drawConnector(p, QRectF(x + 1.5, y + 11, pitch - 3, qMin(rowPitch - 16, 22.0)));
        }
    }
}

static void drawFrontPanel(QPainter &p, const QRectF &front)
{
    QLinearGradient g(front.topLeft(), front.bottomLeft());
    g.setColorAt(0, QColor(0xe6, 0xe9, 0xed));
    g.setColorAt(1, art::panelGrey());
    p.setPen(QPen(art::panelDark(), 1.2));
    p.setBrush(g);
    p.drawRect(front);
    drawEar(p, QRectF(front.left(), front.top(), 18, front.height()));
    drawEar(p, QRectF(front.right() - 18, front.top(), 18, front.height()));

    const QRectF inner = front.adjusted(24, 8, -24, -8);
    drawLabelBlock(p, QRectF(inner.left(), inner.top(), 104, 62));
    drawLed(p, QPointF(inner.left() + 14, inner.top() + 84), art::ledGreen(), QStringLiteral("PWR"));
    drawLed(p, QPointF(inner.left() + 40, inner.top() + 84), art::ledGreen(), QStringLiteral("LAN"));
    drawLed(p, QPointF(inner.left() + 66, inner.top() + 84), QColor(0xff, 0xa0, 0x20),
            QStringLiteral("ACQ"));
    drawLed(p, QPointF(inner.left() + 92, inner.top() + 84), QColor(0x70, 0x74, 0x7c),
            QStringLiteral("ERR"));
    drawLanSocket(p, QRectF(inner.left() + 8, inner.bottom() - 34, 26, 22));
    p.setPen(QPen(QColor(0x9a, 0xa1, 0xad), 1));
    p.drawLine(QPointF(inner.left() + 116, inner.top()), QPointF(inner.left() + 116, inner.bottom()));
    drawConnectorField(p, QRectF(inner.left() + 124, inner.top() + 2, inner.width() - 124, inner.height() - 4));
}

QImage drawInstrumentPicture()
{
    QImage image(452, 194, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    drawShadow(p);
    const QRectF front(4, 22, 444, 154);
    drawTopFace(p, front);
    drawFrontPanel(p, front);
    return image;
}
