// Legend label of one channel.
#include "chLabel.h"

#include "standardDialogs.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QVector>

QColor chLabel::channelColor(int index)
{
    // Built once per process, on first use.
    static const QVector<QColor> table = {
        QColor(Qt::cyan),     QColor(Qt::magenta),     QColor(Qt::yellow),     QColor(Qt::green),
        QColor(Qt::red),      QColor(Qt::blue),        QColor(Qt::gray),       QColor(Qt::white),
        QColor(Qt::darkCyan), QColor(Qt::darkMagenta), QColor(Qt::darkYellow), QColor(Qt::darkGreen),
        QColor(Qt::darkRed),  QColor(0xff, 0xa5, 0x00), QColor(Qt::darkGray),  QColor(Qt::black)};
    return table[((index % 16) + 16) % 16];
}

chLabel::chLabel(int index, QWidget *parent)
    : QFrame(parent), m_number(index + 1), m_color(channelColor(index)), m_text(new QLabel(this))
{
    const QString hint = tr("Right click to change the color, left click to toggle visibility of the waveform");
    setToolTip(hint);
    setWhatsThis(hint);
    m_text->setAlignment(Qt::AlignCenter);
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_text);
    setChannelEnabled(true);
}

void chLabel::setChannelEnabled(bool on)
{
    const QSignalBlocker quiet(this);
    setEnabled(on);
    if (on)
        m_text->setText(QStringLiteral("<font color=%1><b>%2</b></font>").arg(m_color.name()).arg(m_number));
    else
        m_text->setText(QString::number(m_number));
    updateFrame();
}

void chLabel::setShown(bool on)
{
    m_shown = on;
    updateFrame();
    emit clicked();
}

QPen chLabel::pen() const
{
    return QPen(QBrush(m_color), 1.0, Qt::SolidLine, Qt::SquareCap, Qt::BevelJoin);
}

void chLabel::updateFrame()
{
    if (!isEnabled())
        setFrameStyle(QFrame::Box | QFrame::Plain);
    else if (m_shown)
        setFrameStyle(QFrame::WinPanel | QFrame::Sunken);
    else
        setFrameStyle(QFrame::WinPanel | QFrame::Raised);
}

void chLabel::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton) {
        setShown(!m_shown);
    } else if (event->button() == Qt::RightButton) {
        const QColor chosen = standardDialogs::color(m_color, this, tr("Select Color"));
        if (!chosen.isValid())
            return;
        m_color = chosen;
        setChannelEnabled(isEnabled());
        emit clicked();
    }
}
