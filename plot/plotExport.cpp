// Rendering a plot and its legend into an image or a PDF document.
#include "plotExport.h"

#include <qwt_plot.h>
#include <qwt_plot_curve.h>
#include <qwt_plot_renderer.h>

#include <QFontMetrics>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

namespace {
const int padding = 6;
const int swatchWidth = 24;
const int spacing = 12;
} // namespace

// Entries flow left to right in rows as wide as the plot.
static int entryWidth(const QFontMetrics &metrics)
{
    return swatchWidth + 4 + metrics.horizontalAdvance(QStringLiteral("Ch 48")) + spacing;
}

static int rowHeight(const QFontMetrics &metrics)
{
    return metrics.height() + 4;
}

int plotExport::legendHeight() const
{
    if (m_curves.isEmpty())
        return 0;
    const QFontMetrics metrics(m_plot->font());
    const int perRow = std::max(1, (m_plot->width() - 2 * padding) / entryWidth(metrics));
    const int rows = (m_curves.size() + perRow - 1) / perRow;
    return rows * rowHeight(metrics) + 2 * padding;
}

QSize plotExport::size() const
{
    return QSize(m_plot->width(), m_plot->height() + legendHeight());
}

void plotExport::renderLegend(QPainter *painter, int top) const
{
    const QFontMetrics metrics(m_plot->font());
    const int width = entryWidth(metrics);
    const int height = rowHeight(metrics);
    const int perRow = std::max(1, (m_plot->width() - 2 * padding) / width);
    painter->save();
    painter->setFont(m_plot->font());
    for (int i = 0; i < m_curves.size(); ++i) {
        const QwtPlotCurve *curve = m_curves[i];
        const QRect cell(padding + (i % perRow) * width, top + padding + (i / perRow) * height, width, height);
        // A swatch of the canvas with the curve's colour on it, readable for every colour.
        const QRect swatch(cell.left(), cell.top() + 2, swatchWidth, height - 4);
        painter->fillRect(swatch, m_plot->canvasBackground());
        painter->setPen(QPen(curve->pen().color(), 2));
        painter->drawLine(swatch.left() + 3, swatch.center().y(), swatch.right() - 3, swatch.center().y());
        painter->setPen(m_plot->palette().color(QPalette::WindowText));
        painter->drawText(cell.adjusted(swatchWidth + 4, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter,
                          curve->title().text());
    }
    painter->restore();
}

void plotExport::render(QPainter *painter) const
{
    const QSize whole = size();
    painter->fillRect(QRect(QPoint(0, 0), whole), m_plot->palette().color(QPalette::Window));
    QwtPlotRenderer renderer;
    renderer.render(m_plot, painter, QRectF(0, 0, m_plot->width(), m_plot->height()));
    renderLegend(painter, m_plot->height());
}

QImage plotExport::image() const
{
    QImage picture(size(), QImage::Format_RGB32);
    picture.fill(m_plot->palette().color(QPalette::Window));
    QPainter painter(&picture);
    render(&painter);
    return picture;
}

bool plotExport::save(const QString &path) const
{
    if (!path.endsWith(QStringLiteral(".pdf"), Qt::CaseInsensitive))
        return image().save(path, "PNG");
    // One point per screen pixel: the page has the picture's size.
    QPdfWriter writer(path);
    writer.setResolution(72);
    writer.setPageSize(QPageSize(QSizeF(size()), QPageSize::Point));
    writer.setPageMargins(QMarginsF(0, 0, 0, 0));
    QPainter painter;
    if (!painter.begin(&writer))
        return false;
    render(&painter);
    return painter.end();
}
