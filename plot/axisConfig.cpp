// Axis range dialog.
#include "axisConfig.h"

#include "messageBoxes.h"
#include "modelText.h"

#include <QApplication>
#include <QDoubleSpinBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

axisConfig::axisConfig(QWidget *owner, QWidget *plot)
    : QDialog(plot), lower(new QDoubleSpinBox), upper(new QDoubleSpinBox),
      customRange(new QGroupBox(tr("Custom Range"))), maxButton(new QPushButton(tr("Max")))
{
    setWindowTitle(tr("Axis Configuration"));
    setModal(true);
    if (owner)
        setWindowIcon(owner->windowIcon());
    maxButton->setToolTip(tr("Sets the maximum range."));

    auto *limits = new QHBoxLayout(customRange);
    limits->addWidget(new QLabel(tr("Lower Limit")));
    limits->addWidget(lower);
    limits->addSpacing(10);
    limits->addWidget(new QLabel(tr("Upper Limit")));
    limits->addWidget(upper);
    limits->addSpacing(10);
    limits->addWidget(maxButton);

    auto *ok = new QPushButton(tr("OK"));
    auto *cancel = new QPushButton(tr("Cancel"));
    ok->setDefault(true);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(customRange);
    layout->addLayout(buttons);

    connect(ok, &QPushButton::clicked, this, &axisConfig::checkValuesAndAccept);
    connect(cancel, &QPushButton::clicked, this, &axisConfig::reject);
    connect(maxButton, &QPushButton::clicked, this, &axisConfig::setMaxSlot);
}

void axisConfig::checkValuesAndAccept()
{
    if (lower->value() < upper->value() || (customRange->isCheckable() && !customRange->isChecked())) {
        accept();
        return;
    }
    messageBoxes::warning(QApplication::activeWindow(),
                          ts2900fp_sfpTitle(),
                          tr("The lower limit must be below the upper limit."));
}

void axisConfig::setMaxSlot()
{
    lower->setValue(lower->minimum());
    upper->setValue(lower->maximum());
}
