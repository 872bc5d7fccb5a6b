// One channel row. Every widget sits centred in a container of its column's width so the
// rows line up with the header; the row under the mouse is shaded.
#include "singleChannelConfig.h"

#include "channelTexts.h"
#include "columnWidths.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QColor>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QVariant>

singleChannelConfig::singleChannelConfig(unsigned channel, QWidget *parent)
    : QFrame(parent), number(channel)
{
    channelNumber = new QLabel(QStringLiteral("<b>%1</b>").arg(number));
    channelNumber->setAlignment(Qt::AlignCenter);
    chEnabled = new QCheckBox;
    OTDenabled = new QCheckBox;
    connectionStatus = new QLabel(QStringLiteral("-"));
    connectionStatus->setAlignment(Qt::AlignCenter);
    typeGroup = new QButtonGroup(this);
    typeGroup->setExclusive(true);
    for (int id = 0; id < tcTypeCount; ++id) {
        typeButtons[id] = new QRadioButton;
        typeGroup->addButton(typeButtons[id], id);
    }
    thMin = new QLineEdit;
    thMax = new QLineEdit;

    // Check boxes and radio buttons are square: as wide as a check box is high.
    const int square = chEnabled->sizeHint().height();
    chEnabled->setFixedWidth(square);
    OTDenabled->setFixedWidth(square);
    for (QRadioButton *b : typeButtons)
        b->setFixedWidth(square);

    const columnWidths widths(font());
    auto *row = new QHBoxLayout(this);
    row->setSpacing(2);
    row->setContentsMargins(0, 0, 0, 0);
    // The labels fill their column and centre their text, so a longer status never clips.
    addCentred(row, channelNumber, widths.channelNumber, Qt::Alignment());
    addCentred(row, chEnabled, widths.channelEnabled);
    addCentred(row, OTDenabled, widths.otdEnabled);
    addCentred(row, connectionStatus, widths.connectionStatus, Qt::Alignment());
    for (int id = 0; id < tcTypeCount; ++id)
        addCentred(row, typeButtons[id], widths.type(id));
    addCentred(row, thMin, widths.threshold);
    addCentred(row, thMax, widths.threshold);

    const QColor bg = palette().color(backgroundRole());
    const QColor shade = QColor::fromHsv(bg.hsvHue(), bg.hsvSaturation(), int(bg.value() * 0.95), bg.alpha());
    setProperty("row", true);
    setStyleSheet(QStringLiteral("QFrame:hover[row=\"true\"] {background-color: %1}").arg(shade.name()));
    setAttribute(Qt::WA_Hover);

    connect(chEnabled, &QCheckBox::clicked, this, &singleChannelConfig::chEnabledClicked);
    connect(OTDenabled, &QCheckBox::clicked, this, &singleChannelConfig::OTDenabledClicked);
    connect(thMin, &QLineEdit::editingFinished, this, &singleChannelConfig::thresholdModified);
    connect(thMax, &QLineEdit::editingFinished, this, &singleChannelConfig::thresholdModified);
}

void singleChannelConfig::addCentred(QHBoxLayout *row, QWidget *w, int width, Qt::Alignment alignment)
{
    auto *box = new QWidget;
    box->setFixedWidth(width);
    auto *inner = new QHBoxLayout(box);
    inner->setContentsMargins(0, 0, 0, 0);
    inner->addWidget(w, 0, alignment);
    row->addWidget(box);
}

int singleChannelConfig::checkedType() const
{
    for (int id = 0; id < tcTypeCount; ++id) {
        if (typeButtons[id]->isChecked())
            return id;
    }
    return -1;
}

void singleChannelConfig::checkType(int typeId)
{
    if (typeId >= 0 && typeId < tcTypeCount)
        typeButtons[typeId]->setChecked(true);
}

channelRow singleChannelConfig::settings() const
{
    channelRow row;
    row.enabled = chEnabled->isChecked();
    row.otd = OTDenabled->isChecked();
    row.type = checkedType();
    row.minText = thMin->text();
    row.maxText = thMax->text();
    return row;
}

void singleChannelConfig::setSettings(const channelRow &row)
{
    chEnabled->setChecked(row.enabled);
    OTDenabled->setChecked(row.otd);
    checkType(row.type);
    thMin->setText(row.minText);
    thMax->setText(row.maxText);
}
