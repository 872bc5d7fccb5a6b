// Composition of the splash image.
#include "ts2900fp_splashLabel.h"

#include "frameworkResources.h"

#include <QFontMetrics>
#include <QPainter>

#include <cstdio>

const char *const ts2900fp_splashLabel::wrongPictureLine =
    "The size of the image of the device, that is to be used in the splash screen, "
    "is not as required!!!\n";

static QFont boldCopy(const QFont &base, int pointSize)
{
    QFont font(base);
    font.setBold(true);
    font.setPointSize(pointSize);
    return font;
}

ts2900fp_splashLabel::ts2900fp_splashLabel(float scale, int margin, int modelNumber, bool hex,
                                           const QString &notice, const QString &description)
{
    ts2900fp_initResources();
    load(QStringLiteral(":/fp_splash.png"));
    QPainter painter(this);
    const QFont titleFont = boldCopy(painter.font(), int(scale * 18));
    const QFont textFont = boldCopy(painter.font(), int(scale * 12));
    const QFont smallFont = boldCopy(painter.font(), 8);
    const int h18 = QFontMetrics(titleFont).height();
    const int h8 = QFontMetrics(smallFont).height();
    const int x = margin + 67;
    const int width = 453 - 2 * margin;
    const QString model = QStringLiteral("%1").arg(modelNumber, 4, hex ? 16 : 10, QLatin1Char(' '));

    painter.setFont(titleFont);
    painter.drawText(QRect(x, h18 / 2 + 236, width, h18), Qt::AlignCenter,
                     QStringLiteral("Korvan %1").arg(model));
    painter.setFont(textFont);
    painter.drawText(QRect(x, 2 * h18 + 236, width, 2 * (82 - h18) - 3 * h8),
                     Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap, description);
    painter.setFont(smallFont);
    painter.drawText(QRect(x, 2 * (200 - h8), width, h8), Qt::AlignCenter, notice);
    drawDevicePicture(painter, model);
}

// A bitmap of 520 x 400 contributes its device rectangle; a PNG of exactly 452 x 194 is
// drawn whole. Anything else is left out with a diagnostic line.
void ts2900fp_splashLabel::drawDevicePicture(QPainter &painter, const QString &model)
{
    const QPixmap bitmap(QStringLiteral(":/ts%1fp_splash.bmp").arg(model));
    if (bitmap.size() == QSize(520, 400)) {
        const QRect device(67, 38, 453, 199);
        painter.drawPixmap(device, bitmap.copy(device));
        return;
    }
    const QPixmap png(QStringLiteral(":/ts%1fp_splash.png").arg(model));
    if (png.size() == QSize(452, 194)) {
        painter.drawPixmap(67, 43, png);
        return;
    }
    std::fputs(wrongPictureLine, stdout);
    std::fflush(stdout);
}
