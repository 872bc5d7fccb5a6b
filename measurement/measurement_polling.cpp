// The live view: tiles and status line redrawn after every poll of the polling thread.
#include "measurement_polling.h"

#include "channelItem.h"
#include "measurementTexts.h"
#include "pollingThread.h"
#include "trace.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QTabWidget>
#include <QVBoxLayout>

#include <cmath>

measurement_polling::measurement_polling(const panelContext &context, QTabWidget *tabs, QWidget *parent)
    : QWidget(parent), m_tabs(tabs), m_poller(context.poller), m_demo(context.demo)
{
    unitBox = new QComboBox;
    unitBox->addItem(QString(QChar(0xB0)) + QLatin1Char('C'), int('C'));
    unitBox->addItem(QString(QChar(0xB0)) + QLatin1Char('F'), int('F'));
    unitBox->addItem(QStringLiteral("K"), int('K'));
    stateLabel = new QLabel;
    clockLabel = new QLabel;
    rateLabel = new QLabel;

    auto *status = new QHBoxLayout;
    status->addStretch();
    status->addWidget(new QLabel(QStringLiteral("Temperature Units: ")));
    status->addWidget(unitBox);
    for (QLabel *label : {stateLabel, clockLabel, rateLabel}) {
        status->addSpacing(20);
        status->addWidget(label);
    }
    status->addStretch();

    grid = new QGridLayout;
    grid->setSpacing(2);
    const int channels = qBound(0, context.channelCount, TS4720_MAX_CHANNELS);
    const int columns = columnsFor(channels);
    for (int i = 0; i < channels; ++i) {
        auto *item = new channelItem(i + 1);
        items.append(item);
        grid->addWidget(item, i / columns, i % columns);
    }

    auto *page = new QVBoxLayout(this);
    page->addLayout(status);
    page->addSpacing(20);
    page->addLayout(grid, 1);
    updateStatus(-1, -1, 1.0); // nothing known before the first poll
}

int measurement_polling::columnsFor(int channels)
{
    return channels == 16 ? 4 : 8;
}

void measurement_polling::doRefresh()
{
    if (!m_poller)
        return;
    const pollingSnapshot poll = m_poller->snapshot();
    const liveSettings &settings = poll.settings;
    const char unit = static_cast<char>(unitBox->currentData().toInt());
    // Tiles repaint only where a text or colour changed, all in the next paint; turning
    // updates off and on would repaint the whole page every second instead.
    updateStatus(poll.acquisitionState, settings.clockSource, settings.scanRate);
    for (int i = 0; i < items.size(); ++i) {
        const liveChannelSettings &channel = settings.channels[i];
        const double celsius = poll.values[i];
        const qint8 limit = channelItem::limitOf(channel.minOn, channel.min, channel.maxOn, channel.max, celsius);
        items[i]->updateItem(QString::fromLatin1(channel.typeName), channel.known && channel.enabled,
                             std::isnan(celsius), poll.acquisitionState == 1, limit, unit, celsius);
    }
}

void measurement_polling::updateStatus(int state, int clockSource, double rate)
{
    // While idle the panel polls at its own pace, whatever the instrument is set to.
    const QString clock = state != 0 ? clockSourceName(clockSource) : QStringLiteral("Internal");
    const QString rateText = state != 0 ? scanRateText(clockSource, rate) : QStringLiteral("1");
    stateLabel->setText(QStringLiteral("State: <b>%1</b>").arg(stateName(state)));
    clockLabel->setText(QStringLiteral("Clock Source: <b>%1</b>").arg(clock));
    rateLabel->setText(QStringLiteral("Current Scan Rate: <b>%1 Hz</b>").arg(rateText));
}

void measurement_polling::controlPolling()
{
    if (m_tabs && m_tabs->currentWidget() != this)
        stopPolling();
    else
        startPolling();
}

void measurement_polling::startPolling()
{
    trace("measurement_polling: START\n");
    // Until the first new scan the tiles show no value rather than an old one.
    if (m_poller && !m_demo)
        m_poller->clearValues();
    doRefresh();
    if (m_poller)
        m_poller->setPollScan(true);
}

void measurement_polling::stopPolling()
{
    trace("measurement_polling: STOP\n");
    if (m_poller)
        m_poller->setPollScan(false);
}
