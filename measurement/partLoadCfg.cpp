// The "Load Data File" dialog.
#include "partLoadCfg.h"

#include "messageBoxes.h"
#include "modelText.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include <algorithm>

namespace {

QPushButton *allButton(const QString &tooltip = QString())
{
    auto *button = new QPushButton(QStringLiteral("All"));
    button->setMaximumWidth(40);
    button->setToolTip(tooltip);
    return button;
}

partLoadCfg::Handler &handler()
{
    static partLoadCfg::Handler h;
    return h;
}

} // namespace

void partLoadCfg::setHandler(Handler h)
{
    handler() = std::move(h);
}

int partLoadCfg::run()
{
    return handler() ? handler()(this) : exec();
}

partLoadCfg::partLoadCfg(QWidget *panel, int rows)
    : QDialog(panel), m_rows(std::max(rows, 1))
{
    setWindowTitle(QStringLiteral("Load Data File"));
    if (panel)
        setWindowIcon(panel->windowIcon());
    firstScan = new QSpinBox;
    firstScan->setFixedWidth(80);
    numberOfScans = new QSpinBox;
    numberOfScans->setFixedWidth(80);
    plotLength = new QSpinBox;
    allScans = allButton(QStringLiteral("Selects all scans for loading."));
    allPlotLength = allButton();
    okButton = new QPushButton(QStringLiteral("OK"));
    auto *cancelButton = new QPushButton(QStringLiteral("Cancel"));

    auto *scanRow = new QHBoxLayout;
    scanRow->addWidget(new QLabel(QStringLiteral("First Scan")));
    scanRow->addWidget(firstScan);
    scanRow->addSpacing(10);
    scanRow->addWidget(new QLabel(QStringLiteral("Number of Scans")));
    scanRow->addWidget(numberOfScans);
    scanRow->addSpacing(10);
    scanRow->addWidget(allScans);
    auto *scanGroup = new QGroupBox(QStringLiteral("Scan Selection"));
    scanGroup->setLayout(scanRow);
    auto *optionRow = new QHBoxLayout;
    optionRow->addWidget(new QLabel(QStringLiteral("Plot Length")));
    optionRow->addWidget(plotLength);
    optionRow->addSpacing(10);
    optionRow->addWidget(allPlotLength);
    auto *optionGroup = new QGroupBox(QStringLiteral("Options"));
    optionGroup->setLayout(optionRow);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(okButton);
    buttons->addWidget(cancelButton);
    auto *page = new QVBoxLayout(this);
    page->addWidget(scanGroup);
    page->addWidget(optionGroup);
    page->addLayout(buttons);

    // A file of a single row is still loadable: the lower limits give way to it.
    const int fewest = std::min(2, m_rows);
    firstScan->setRange(1, std::max(m_rows - 1, 1));
    numberOfScans->setRange(fewest, m_rows);
    plotLength->setRange(fewest, m_rows);
    plotLength->setValue(m_rows);
    setAllSlot();

    connect(firstScan, &QSpinBox::editingFinished, this, &partLoadCfg::updateNumberOfScans);
    connect(numberOfScans, &QSpinBox::editingFinished, this, &partLoadCfg::updateNumberOfScans);
    connect(okButton, &QPushButton::clicked, this, &partLoadCfg::checkValuesAndAccept);
    connect(cancelButton, &QPushButton::clicked, this, &QDialog::reject);
    connect(allScans, &QPushButton::clicked, this, &partLoadCfg::setAllSlot);
    connect(allPlotLength, &QPushButton::clicked, this, &partLoadCfg::setAll2Slot);
}

void partLoadCfg::limitScans()
{
    numberOfScans->setMaximum(std::max(m_rows - firstScan->value() + 1, numberOfScans->minimum()));
}

void partLoadCfg::limitPlotLength()
{
    plotLength->setMaximum(numberOfScans->value());
}

void partLoadCfg::updateNumberOfScans()
{
    if (sender() != numberOfScans)
        limitScans();
    limitPlotLength();
}

// Every scan, whatever the first scan was before.
void partLoadCfg::setAllSlot()
{
    firstScan->setValue(1);
    limitScans();
    numberOfScans->setValue(numberOfScans->maximum());
    limitPlotLength();
}

void partLoadCfg::setAll2Slot()
{
    plotLength->setValue(numberOfScans->maximum());
    updateNumberOfScans();
}

void partLoadCfg::checkValuesAndAccept()
{
    if (firstScan->value() - 1 + numberOfScans->value() > m_rows) {
        messageBoxes::warning(this, ts2900fp_sfpTitle(), QStringLiteral("Out of range"));
        return;
    }
    accept();
}

void partLoadCfg::preset(const loadSelection &previous)
{
    if (previous.scans == 0)
        return;
    firstScan->setValue(previous.first + 1);
    limitScans();
    numberOfScans->setValue(previous.scans);
    limitPlotLength();
    plotLength->setValue(previous.plotLength);
}

loadSelection partLoadCfg::selection() const
{
    return {firstScan->value() - 1, numberOfScans->value(), plotLength->value()};
}
