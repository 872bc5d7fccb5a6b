// Header of the channel table. Its columns follow the row widths exactly, and a last
// cell as wide as a vertical scroll bar keeps it in line with the rows beside the
// always-visible scroll bar of the table.
#include "tableHeader.h"

#include "channelTexts.h"
#include "columnWidths.h"

#include <QColor>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QVBoxLayout>
#include <QVariant>

tableHeader::tableHeader(QWidget *parent)
    : QWidget(parent)
{
    m_boldFont = font();
    m_boldFont.setBold(true);
    // Cells stand out from the header by a slightly darker shade of its background.
    const QColor bg = palette().color(backgroundRole());
    const QColor shade = QColor::fromHsv(bg.hsvHue(), bg.hsvSaturation(), int(bg.value() * 0.85), 255);
    m_cellStyle = QStringLiteral("QWidget[cell=\"true\"] {background-color: %1}").arg(shade.name());

    const columnWidths widths(font());
    auto *grid = new QGridLayout(this);
    grid->setSpacing(2);
    grid->setContentsMargins(0, 0, 0, 0);

    auto *first = new QHBoxLayout;
    first->setSpacing(0);
    first->setContentsMargins(0, 0, 0, 0);
    first->addSpacing(2);
    first->addWidget(cell(widths.channelNumber));
    grid->addLayout(first, 0, 0, 3, 1);

    enableAllChannels = new QPushButton(QStringLiteral("Enable All"));
    enableAllOTD = new QPushButton(QStringLiteral("Enable All"));
    grid->addWidget(captionCell(QStringLiteral("Channel Enabled"), widths.channelEnabled, true, enableAllChannels), 0, 1, 3, 1);
    grid->addWidget(captionCell(QStringLiteral("OTD Enabled"), widths.otdEnabled, true, enableAllOTD), 0, 2, 3, 1);
    grid->addWidget(captionCell(QStringLiteral("Connection Status"), widths.connectionStatus, true), 0, 3, 3, 1);
    addTypeColumns(grid, widths);
    addThresholdColumns(grid, widths);
    grid->addWidget(cell(QScrollBar(Qt::Vertical).sizeHint().width()), 0, 16, 3, 1);

    connect(enableAllChannels, &QPushButton::clicked, this, &tableHeader::toggleChannelEnable);
    connect(enableAllOTD, &QPushButton::clicked, this, &tableHeader::toggleOTDenable);
    connect(disableAllThresholdsButton, &QPushButton::clicked, this, &tableHeader::disableAllThresholds);

    setMaximumWidth(sizeHint().width());
}

QPushButton *tableHeader::typeButton(int typeId) const
{
    return typeId >= 0 && typeId < tcTypeCount ? m_typeButtons[typeId] : nullptr;
}

QWidget *tableHeader::cell(int width)
{
    auto *w = new QWidget;
    w->setProperty("cell", true);
    w->setStyleSheet(m_cellStyle);
    if (width >= 0)
        w->setFixedWidth(width);
    return w;
}

QWidget *tableHeader::captionCell(const QString &caption, int width, bool wrap, QPushButton *below)
{
    QWidget *w = cell(width);
    auto *box = new QVBoxLayout(w);
    box->setContentsMargins(0, 2, 0, 2);
    auto *label = new QLabel(caption);
    label->setFont(m_boldFont);
    label->setAlignment(Qt::AlignCenter);
    label->setWordWrap(wrap);
    box->addWidget(label);
    if (below)
        box->addWidget(below);
    return w;
}

void tableHeader::addTypeColumns(QGridLayout *grid, const columnWidths &widths)
{
    grid->addWidget(captionCell(QStringLiteral("Thermocouple Type"), -1, false), 0, 4, 2, tcTypeCount);
    for (int id = 0; id < tcTypeCount; ++id) {
        QWidget *w = cell(widths.type(id));
        auto *box = new QVBoxLayout(w);
        box->setContentsMargins(0, 0, 0, 0);
        m_typeButtons[id] = new QPushButton(QString::fromLatin1(tc_type_name[id]));
        m_typeButtons[id]->setFont(m_boldFont);
        // Narrow columns: let the button shrink to its cell instead of widening it.
        m_typeButtons[id]->setMinimumWidth(0);
        m_typeButtons[id]->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
        box->addWidget(m_typeButtons[id]);
        grid->addWidget(w, 2, 4 + id);
        connect(m_typeButtons[id], &QPushButton::clicked, this, [this, id] { emit setAllChannelsType(id); });
    }
}

void tableHeader::addThresholdColumns(QGridLayout *grid, const columnWidths &widths)
{
    disableAllThresholdsButton = new QPushButton(QStringLiteral("Disable All"));
    grid->addWidget(captionCell(QStringLiteral("Threshold"), -1, false, disableAllThresholdsButton), 0, 14, 2, 2);
    grid->addWidget(captionCell(QStringLiteral("Minimum"), widths.threshold, false), 2, 14);
    grid->addWidget(captionCell(QStringLiteral("Maximum"), widths.threshold, false), 2, 15);
}
