// A live-view tile: state by dynamic properties, coloured by one style sheet.
#include "channelItem.h"

#include <QLabel>
#include <QStyle>
#include <QVariant>
#include <QVBoxLayout>

#include <cmath>

namespace {
const char *const stateProperties[] = {"disabled", "ok", "open", "arm", "limitAbove", "limitBelow"};

const char *const tileStyle =
    "QWidget[disabled=\"true\"] {background-color: transparent}"
    "QWidget[ok=\"true\"] {background-color: #e0e0e0}"
    "QWidget:hover[ok=\"true\"] {background-color: #fff}"
    "QWidget[arm=\"true\"] {background-color: #d0d0d0}"
    "QWidget:hover[arm=\"true\"] {background-color: #bbb}"
    "QWidget[open=\"true\"] {background-color: #fd8}"
    "QWidget:hover[open=\"true\"] {background-color: #ec7}"
    "QWidget[limitAbove=\"true\"] {background-color: #fbb}"
    "QWidget:hover[limitAbove=\"true\"] {background-color: #eaa}"
    "QWidget[limitBelow=\"true\"] {background-color: #bbf}"
    "QWidget:hover[limitBelow=\"true\"] {background-color: #aae}";

constexpr double absoluteZero = -273.15;
} // namespace

channelItem::channelItem(int channel, QWidget *parent)
    : QWidget(parent), m_channel(channel)
{
    // A plain widget paints a style-sheet background only when asked to.
    setAttribute(Qt::WA_StyledBackground);
    m_title = new QLabel(QStringLiteral("Channel %1").arg(channel), this);
    m_value = new QLabel(this);
    m_title->setAlignment(Qt::AlignCenter);
    m_value->setAlignment(Qt::AlignCenter);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_title, 32);
    layout->addWidget(m_value, 132);
    setStyleSheet(QString::fromLatin1(tileStyle));
}

qint8 channelItem::limitOf(bool minOn, double min, bool maxOn, double max, double celsius)
{
    if (minOn && min > celsius)
        return -1;
    if (maxOn && celsius > max)
        return 1;
    return 0;
}

QString channelItem::valueText(char unit, double celsius)
{
    if (celsius < absoluteZero)
        return QString();
    double shown = celsius;
    if (unit == 'K')
        shown = celsius - absoluteZero;
    else if (unit == 'F')
        shown = celsius * 9 / 5 + 32;
    const QString unitText = unit == 'K' ? QStringLiteral("K") : QString(QChar(0xB0)) + QLatin1Char(unit);
    return QStringLiteral("<b>%1 %2</b>").arg(shown, 0, 'f', 3).arg(unitText);
}

void channelItem::updateItem(const QString &typeName, bool enabled, bool open, bool arm, qint8 limit, char unit,
                             double celsius)
{
    setToolTip(QStringLiteral("Channel %1 - Thermocouple Type '%2'").arg(m_channel).arg(typeName));
    QString text = QStringLiteral("<b>-</b>");
    if (!enabled) {
        setState("disabled");
    } else if (open) {
        setState("open");
        text = QStringLiteral("<b>OPEN</b>");
    } else if (arm) {
        setState("arm");
    } else {
        setState(limit < 0 ? "limitBelow" : limit > 0 ? "limitAbove" : "ok");
        text = valueText(unit, celsius);
    }
    // Setting the same text again would still lay the label out anew each second.
    if (m_value->text() != text)
        m_value->setText(text);
}

void channelItem::setState(const char *state)
{
    if (qstrcmp(state, m_state) == 0)
        return;
    m_state = state;
    for (const char *name : stateProperties)
        setProperty(name, QVariant(qstrcmp(name, state) == 0));
    style()->unpolish(this);
    style()->polish(this);
    update();
}

void channelItem::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    const int h = height();
    const int step = h >= 201 ? 0 : h >= 151 ? 1 : h >= 101 ? 2 : 3;
    if (step == m_fontStep)
        return;
    m_fontStep = step;
    static const int titleSizes[] = {16, 14, 12, 12};
    static const int valueSizes[] = {22, 20, 18, 16};
    m_title->setStyleSheet(QStringLiteral("font-size: %1px").arg(titleSizes[step]));
    m_value->setStyleSheet(QStringLiteral("font-size: %1px").arg(valueSizes[step]));
}
