// The channel settings page: rows in a scroll area under a fixed header. Save writes
// every row, Refresh reads every row, from the instrument, the demo store or the file.
#include "channelConfiguration_settings.h"

#include "channelTexts.h"
#include "commonReports.h"
#include "driverCall.h"
#include "fieldMark.h"
#include "singleChannelConfig.h"
#include "tableHeader.h"
#include "waitCursor.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QStringList>
#include <QVBoxLayout>

channelConfiguration_settings::channelConfiguration_settings(const panelContext &context, QWidget *parent)
    : QWidget(parent), m_source(channelSettingsSource::create(context))
{
    header = new tableHeader;
    scrollArea = new QScrollArea;
    scrollArea->setFrameShape(QFrame::NoFrame);
    scrollArea->setFocusPolicy(Qt::NoFocus);
    scrollArea->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    scrollArea->setAlignment(Qt::AlignHCenter);
    scrollArea->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scrollArea->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    scrollArea->setWidget(createRows(qBound(0, context.channelCount, TS4720_MAX_CHANNELS)));
    // Never narrower than the rows: without a horizontal scroll bar the header would squeeze
    // out of line with them (the columns widen with the font).
    scrollArea->setMinimumWidth(header->sizeHint().width());
    refreshButton = new QPushButton(QStringLiteral("Refresh"));
    saveButton = new QPushButton(QStringLiteral("Save"));
    QFont bold = saveButton->font();
    bold.setBold(true);
    saveButton->setFont(bold);
    layOut();

    connect(saveButton, &QPushButton::clicked, this, &channelConfiguration_settings::doSave);
    connect(refreshButton, &QPushButton::clicked, this, &channelConfiguration_settings::doRefresh);
    connect(header, &tableHeader::toggleChannelEnable, this, &channelConfiguration_settings::doToggleChannelEnable);
    connect(header, &tableHeader::toggleOTDenable, this, &channelConfiguration_settings::doToggleOTDenable);
    connect(header, &tableHeader::setAllChannelsType, this, &channelConfiguration_settings::doSetAllChannelsType);
    connect(header, &tableHeader::disableAllThresholds, this, &channelConfiguration_settings::doDisableAllThresholds);
}

QWidget *channelConfiguration_settings::createRows(int count)
{
    auto *rows = new QWidget;
    auto *rowLayout = new QVBoxLayout(rows);
    rowLayout->setSpacing(0);
    rowLayout->setContentsMargins(0, 0, 0, 0);
    for (int i = 0; i < count; ++i) {
        auto *row = new singleChannelConfig(unsigned(i + 1));
        cfg.append(row);
        rowLayout->addWidget(row);
        connect(row, &singleChannelConfig::chEnabledClicked, this, &channelConfiguration_settings::getNewChannelEnableState);
        connect(row, &singleChannelConfig::OTDenabledClicked, this, &channelConfiguration_settings::getNewOTDenableState);
        connect(row, &singleChannelConfig::thresholdModified, this,
                qOverload<>(&channelConfiguration_settings::validateThresholds));
    }
    return rows;
}

void channelConfiguration_settings::layOut()
{
    auto *headerStrip = new QHBoxLayout;
    headerStrip->addStretch();
    headerStrip->addWidget(header);
    headerStrip->addStretch();
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(refreshButton);
    buttons->addWidget(saveButton);
    auto *page = new QVBoxLayout(this);
    page->addLayout(headerStrip);
    page->addWidget(scrollArea);
    page->addLayout(buttons);
}

void channelConfiguration_settings::applyViewerRestrictions()
{
    header->setEnabled(false);
    for (singleChannelConfig *row : qAsConst(cfg))
        row->setEnabled(false);
    saveButton->setEnabled(false);
    refreshButton->setEnabled(false);
}

void channelConfiguration_settings::doSave()
{
    // Text that is no setting must never reach the instrument, not even as 0.
    QStringList problems;
    for (int i = 0; i < cfg.size(); ++i)
        problems += checkThresholds(i);
    if (!problems.isEmpty()) {
        reportWarning(refusedSaveText(problems));
        return;
    }
    const driverAction action;
    const waitCursor busy;
    QStringList untyped;
    QList<int> refused;
    for (int i = 0; i < cfg.size(); ++i) {
        const channelSettingsSource::writeResult result = m_source->writeChannel(i + 1, cfg[i]->settings());
        if (!result.typeKnown)
            untyped << QString::number(i + 1);
        if (result.refused)
            refused << i;
    }
    // Where the instrument refused a value, show what it holds rather than what was typed.
    for (int i : qAsConst(refused))
        readBack(i);
    if (m_source->hasConnectionStatus()) {
        double scan[TS4720_MAX_CHANNELS];
        setStatusFromScan(m_source->readScan(scan), scan);
    }
    // Sending a guessed type would silently change the channel; say what was kept instead.
    if (!untyped.isEmpty()) {
        reportWarning(QStringLiteral("No thermocouple type is selected for channel(s) %1: %2.")
                          .arg(untyped.join(QStringLiteral(", ")), m_source->keptWithoutType()));
    }
}

void channelConfiguration_settings::readBack(int i)
{
    channelRow settings = cfg[i]->settings();
    m_source->readChannel(i + 1, settings);
    cfg[i]->setSettings(settings);
    checkThresholds(i);
}

void channelConfiguration_settings::doRefresh()
{
    const driverAction action;
    const waitCursor busy;
    const bool showStatus = m_source->hasConnectionStatus();
    double scan[TS4720_MAX_CHANNELS];
    const bool haveScan = showStatus && m_source->readScan(scan);
    for (int i = 0; i < cfg.size(); ++i) {
        singleChannelConfig *row = cfg[i];
        channelRow settings = row->settings();
        m_source->readChannel(i + 1, settings);
        row->setSettings(settings);
        if (showStatus)
            row->connectionStatus->setText(connectionStatusText(connectionStateOf(settings.enabled, haveScan, scan[i])));
    }
    getNewChannelEnableState();
    getNewOTDenableState();
    validateThresholds();
}

void channelConfiguration_settings::setStatusFromScan(bool haveScan, const double *scan)
{
    for (int i = 0; i < cfg.size(); ++i) {
        const connectionState s = connectionStateOf(cfg[i]->chEnabled->isChecked(), haveScan, scan[i]);
        cfg[i]->connectionStatus->setText(connectionStatusText(s));
    }
}

bool channelConfiguration_settings::newToggleState(QCheckBox *singleChannelConfig::*box, QPushButton *button)
{
    int checked = 0;
    for (singleChannelConfig *row : qAsConst(cfg)) {
        if ((row->*box)->isChecked())
            ++checked;
    }
    const bool state = checked < cfg.size() / 2;
    button->setText(state ? QStringLiteral("Enable All") : QStringLiteral("Disable All"));
    return state;
}

void channelConfiguration_settings::toggleAll(QCheckBox *singleChannelConfig::*box, QPushButton *button)
{
    const bool state = newToggleState(box, button);
    for (singleChannelConfig *row : qAsConst(cfg))
        (row->*box)->setChecked(state);
    newToggleState(box, button);
}

bool channelConfiguration_settings::getNewChannelEnableState()
{
    return newToggleState(&singleChannelConfig::chEnabled, header->enableAllChannels);
}

bool channelConfiguration_settings::getNewOTDenableState()
{
    return newToggleState(&singleChannelConfig::OTDenabled, header->enableAllOTD);
}

void channelConfiguration_settings::doToggleChannelEnable()
{
    toggleAll(&singleChannelConfig::chEnabled, header->enableAllChannels);
}

void channelConfiguration_settings::doToggleOTDenable()
{
    toggleAll(&singleChannelConfig::OTDenabled, header->enableAllOTD);
}

void channelConfiguration_settings::doSetAllChannelsType(int typeId)
{
    for (singleChannelConfig *row : qAsConst(cfg))
        row->checkType(typeId);
}

void channelConfiguration_settings::doDisableAllThresholds()
{
    for (singleChannelConfig *row : qAsConst(cfg)) {
        row->thMin->clear();
        row->thMax->clear();
    }
}

void channelConfiguration_settings::validateThresholds()
{
    for (int i = 0; i < cfg.size(); ++i)
        validateThresholds(i);
}

void channelConfiguration_settings::validateThresholds(int index)
{
    if (index >= 0 && index < cfg.size())
        checkThresholds(index);
}

QStringList channelConfiguration_settings::checkThresholds(int index)
{
    singleChannelConfig *row = cfg[index];
    const QString channel = QStringLiteral("Channel %1").arg(index + 1);
    QStringList problems;
    bool on[2] = {};
    double value[2] = {};
    QLineEdit *const edits[2] = {row->thMin, row->thMax};
    const char *const names[2] = {"minimum", "maximum"};
    for (int k = 0; k < 2; ++k) {
        QLineEdit *edit = edits[k];
        if (parseThreshold(edit->text(), &on[k], &value[k])) {
            edit->setText(normalisedThreshold(edit->text()));
            value[k] = thresholdValue(edit->text()); // compared as shown and sent: rounded
            markField(edit, QString());
            continue;
        }
        const QString problem = QStringLiteral("%1 %2: \"%3\" is not a temperature.").arg(channel, names[k], edit->text());
        markField(edit, problem + QStringLiteral(" Type a number such as 25 or 12,5 (\u00b0C may follow), "
                                                 "or leave the field empty for no alert. Save sends nothing until "
                                                 "this is corrected."));
        problems << problem;
        on[k] = false;
    }
    if (on[0] && on[1] && value[0] > value[1]) {
        const QString problem = QStringLiteral("%1: the minimum %2 is above the maximum %3.")
                                    .arg(channel, thresholdText(value[0]), thresholdText(value[1]));
        for (QLineEdit *edit : edits)
            markField(edit, problem + QStringLiteral(" Save sends nothing until this is corrected."));
        problems << problem;
    }
    return problems;
}
