// The statistics window of a waveform plot.
#include "statisticsWindow.h"

#include <QHeaderView>
#include <QIcon>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QScrollBar>
#include <QTableWidget>
#include <QVBoxLayout>

#include <cmath>

statisticsWindow::statisticsWindow(QWidget *parent)
    : QDialog(parent), table(new QTableWidget(this)), m_range(new QLabel(this))
{
    setWindowTitle(tr("Statistics"));
    setModal(false);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->verticalHeader()->hide();
    table->setIconSize(QSize(20, 12));
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_range);
    layout->addWidget(table);
    resize(640, 360);
}

// The channel's colour on the canvas colour, readable for white and black channels too.
static QIcon swatch(const QColor &color)
{
    QPixmap picture(20, 12);
    picture.fill(QColor(Qt::darkBlue));
    QPainter painter(&picture);
    painter.setPen(QPen(color, 3));
    painter.drawLine(3, 6, 16, 6);
    return QIcon(picture);
}

static QTableWidgetItem *numberItem(double value, int decimals = 3)
{
    auto *item = new QTableWidgetItem(std::isfinite(value) ? QString::number(value, 'f', decimals)
                                                           : QStringLiteral("-"));
    item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return item;
}

void statisticsWindow::setRows(const QVector<row> &rows, const QString &unit, double from, double to)
{
    m_range->setText(tr("From %1 s to %2 s").arg(from, 0, 'f', 6).arg(to, 0, 'f', 6));
    const QString inUnit = QStringLiteral(" (%1)").arg(unit);
    table->clear();
    table->setColumnCount(7);
    table->setHorizontalHeaderLabels({tr("Channel"), tr("Minimum") + inUnit, tr("Maximum") + inUnit,
                                      tr("Mean") + inUnit, tr("Std. Dev.") + inUnit, tr("Points"),
                                      tr("Open")});
    table->setRowCount(rows.size());
    for (int r = 0; r < rows.size(); ++r) {
        const row &line = rows[r];
        auto *name = new QTableWidgetItem(line.channel);
        name->setIcon(swatch(line.color));
        table->setItem(r, 0, name);
        table->setItem(r, 1, numberItem(line.values.minimum));
        table->setItem(r, 2, numberItem(line.values.maximum));
        table->setItem(r, 3, numberItem(line.values.mean));
        table->setItem(r, 4, numberItem(line.values.deviation));
        table->setItem(r, 5, numberItem(line.values.points, 0));
        table->setItem(r, 6, numberItem(line.values.open, 0));
    }
    table->resizeColumnsToContents();
    // Wide enough for every column, so only many rows need scrolling.
    int width = table->verticalScrollBar()->sizeHint().width() + 2 * table->frameWidth();
    for (int c = 0; c < table->columnCount(); ++c)
        width += table->columnWidth(c);
    table->setMinimumWidth(width);
}
