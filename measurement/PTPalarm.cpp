// The PTP alarm widget.
#include "PTPalarm.h"

#include <QDateTime>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>

namespace {
QSpinBox *field(int minimum, int maximum)
{
    auto *box = new QSpinBox;
    box->setRange(minimum, maximum);
    return box;
}
} // namespace

PTPalarm::PTPalarm(QWidget *parent)
    : QWidget(parent)
{
    day = field(1, 31);
    month = field(1, 12);
    year = field(1970, 2100);
    hour = field(0, 23);
    minute = field(0, 59);
    second = field(0, 59);
    auto *now = new QPushButton(QStringLiteral("Now"));
    now->setFixedWidth(40);
    auto *row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(3);
    for (QSpinBox *box : {day, month, year})
        row->addWidget(box);
    row->addSpacing(10);
    for (QSpinBox *box : {hour, minute, second})
        row->addWidget(box);
    row->addWidget(new QLabel(QStringLiteral(" UTC")));
    row->addSpacing(10);
    row->addWidget(now);
    connect(now, &QPushButton::clicked, this, &PTPalarm::setNow);
}

void PTPalarm::setTime(quint32 seconds)
{
    const QDateTime t = QDateTime::fromSecsSinceEpoch(qint64(seconds), Qt::UTC);
    day->setValue(t.date().day());
    month->setValue(t.date().month());
    year->setValue(t.date().year());
    hour->setValue(t.time().hour());
    minute->setValue(t.time().minute());
    second->setValue(t.time().second());
}

quint32 PTPalarm::alarmTime() const
{
    // A day beyond the month's end (31 February) counts on into the next month.
    const QDate first(year->value(), month->value(), 1);
    const QDateTime t(first.addDays(day->value() - 1), QTime(hour->value(), minute->value(), second->value()), Qt::UTC);
    return quint32(qMax<qint64>(0, t.toSecsSinceEpoch()));
}
