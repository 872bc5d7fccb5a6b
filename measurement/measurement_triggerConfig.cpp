// The trigger configuration page: six boxes read and written through the trigger source.
#include "measurement_triggerConfig.h"

#include "driverCall.h"
#include "triggerSettingsSource.h"
#include "waitCursor.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
QComboBox *activeStateBox()
{
    auto *box = new QComboBox;
    box->addItems({QStringLiteral("Open"), QStringLiteral("Closed")});
    return box;
}

QComboBox *functionBox()
{
    auto *box = new QComboBox;
    box->addItems({QStringLiteral("Disabled"), QStringLiteral("Active during acquisition"),
                   QStringLiteral("Pulse on each scan"), QStringLiteral("Active when Open Thermocouple is detected"),
                   QStringLiteral("Active when temperature threshold is exceeded")});
    return box;
}

// "Rear Panel n" with "Active State" and, for an output, "Function".
QGroupBox *rearPanelGroup(int n, QComboBox *active, QComboBox *function)
{
    auto *group = new QGroupBox(QStringLiteral("Rear Panel %1").arg(n));
    auto *rows = new QGridLayout(group);
    rows->addWidget(new QLabel(QStringLiteral("Active State")), 0, 0);
    rows->addWidget(active, 0, 1);
    if (function) {
        rows->addWidget(new QLabel(QStringLiteral("Function")), 1, 0);
        rows->addWidget(function, 1, 1);
    }
    return group;
}

QGroupBox *sideBySide(const QString &title, QGroupBox *left, QGroupBox *right)
{
    auto *group = new QGroupBox(title);
    auto *row = new QHBoxLayout(group);
    row->addWidget(left);
    row->addWidget(right);
    return group;
}
} // namespace

measurement_triggerConfig::measurement_triggerConfig(const panelContext &context, QWidget *parent)
    : QWidget(parent), m_source(triggerSettingsSource::create(context))
{
    rp1activeInp = activeStateBox();
    rp2activeInp = activeStateBox();
    rp1activeOut = activeStateBox();
    rp2activeOut = activeStateBox();
    rp1function = functionBox();
    rp2function = functionBox();

    auto *column = new QVBoxLayout;
    column->addWidget(sideBySide(QStringLiteral("Input Isolated Trigger Lines"),
                                 rearPanelGroup(1, rp1activeInp, nullptr), rearPanelGroup(2, rp2activeInp, nullptr)));
    column->addWidget(sideBySide(QStringLiteral("Output Isolated Trigger Lines"),
                                 rearPanelGroup(1, rp1activeOut, rp1function),
                                 rearPanelGroup(2, rp2activeOut, rp2function)));
    auto *centred = new QHBoxLayout;
    centred->addStretch();
    centred->addLayout(column);
    centred->addStretch();

    refreshButton = new QPushButton(QStringLiteral("Refresh"));
    saveButton = new QPushButton(QStringLiteral("Save"));
    QFont bold = font();
    bold.setBold(true);
    saveButton->setFont(bold);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(refreshButton);
    buttons->addWidget(saveButton);

    auto *page = new QVBoxLayout(this);
    page->addLayout(centred);
    page->addStretch();
    page->addLayout(buttons);
    connect(refreshButton, &QPushButton::clicked, this, &measurement_triggerConfig::doRefresh);
    connect(saveButton, &QPushButton::clicked, this, &measurement_triggerConfig::doSave);
}

measurement_triggerConfig::~measurement_triggerConfig() = default;

// The boxes' indices.
triggerSettings measurement_triggerConfig::selected() const
{
    triggerSettings s;
    s.rp1In = rp1activeInp->currentIndex();
    s.rp2In = rp2activeInp->currentIndex();
    s.rp1Out = rp1activeOut->currentIndex();
    s.rp2Out = rp2activeOut->currentIndex();
    s.rp1Func = rp1function->currentIndex();
    s.rp2Func = rp2function->currentIndex();
    return s;
}

void measurement_triggerConfig::doRefresh()
{
    const driverAction action;
    const waitCursor wait;
    // A line whose read fails keeps what its box shows.
    triggerSettings s = selected();
    m_source->read(s);
    rp1activeInp->setCurrentIndex(s.rp1In);
    rp2activeInp->setCurrentIndex(s.rp2In);
    rp1activeOut->setCurrentIndex(s.rp1Out);
    rp2activeOut->setCurrentIndex(s.rp2Out);
    rp1function->setCurrentIndex(s.rp1Func);
    rp2function->setCurrentIndex(s.rp2Func);
}

void measurement_triggerConfig::doSave()
{
    const driverAction action;
    const waitCursor wait;
    m_source->write(selected());
}
