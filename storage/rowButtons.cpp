#include "rowButtons.h"

#include <QApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>

namespace {
const char *const texts[] = {"View", "Download", "Delete"};
const int spacing = 4;

QStyle *styleOf(const QWidget *widget)
{
    return widget ? widget->style() : QApplication::style();
}

QSize buttonSize(rowButtons::button which, const QWidget *widget)
{
    const QFontMetrics metrics = widget ? widget->fontMetrics() : QFontMetrics(QApplication::font());
    QStyleOptionButton option;
    option.text = QString::fromLatin1(texts[which]);
    const QSize text(metrics.horizontalAdvance(option.text), metrics.height());
    return styleOf(widget)->sizeFromContents(QStyle::CT_PushButton, &option, text, widget);
}
} // namespace

rowButtons::rowButtons(QObject *parent) : QStyledItemDelegate(parent) {}

QRect rowButtons::buttonRect(const QRect &cell, button which, const QWidget *widget) const
{
    int x = cell.left() + spacing;
    for (int b = view; b < which; ++b)
        x += buttonSize(button(b), widget).width() + spacing;
    const QSize size = buttonSize(which, widget);
    return QRect(x, cell.top() + (cell.height() - size.height()) / 2, size.width(), size.height());
}

rowButtons::button rowButtons::buttonAt(const QRect &cell, const QPoint &point, const QWidget *widget) const
{
    for (int b = view; b < none; ++b) {
        if (buttonRect(cell, button(b), widget).contains(point))
            return button(b);
    }
    return none;
}

void rowButtons::paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    const QWidget *widget = option.widget;
    for (int b = view; b < none; ++b) {
        QStyleOptionButton button;
        button.rect = buttonRect(option.rect, rowButtons::button(b), widget);
        button.text = QString::fromLatin1(texts[b]);
        button.palette = option.palette;
        button.fontMetrics = option.fontMetrics;
        button.state = QStyle::State_Raised;
        if (option.state & QStyle::State_Enabled)
            button.state |= QStyle::State_Enabled;
        if (m_pressed == b && m_pressedIndex == index)
            button.state = (button.state & ~QStyle::State_Raised) | QStyle::State_Sunken;
        styleOf(widget)->drawControl(QStyle::CE_PushButton, &button, painter, widget);
    }
}

QSize rowButtons::sizeHint(const QStyleOptionViewItem &option, const QModelIndex &) const
{
    int width = spacing;
    int height = 0;
    for (int b = view; b < none; ++b) {
        const QSize size = buttonSize(button(b), option.widget);
        width += size.width() + spacing;
        height = qMax(height, size.height());
    }
    return QSize(width, height + 2);
}

bool rowButtons::editorEvent(QEvent *event, QAbstractItemModel *, const QStyleOptionViewItem &option,
                             const QModelIndex &index)
{
    if (event->type() != QEvent::MouseButtonPress && event->type() != QEvent::MouseButtonRelease &&
        event->type() != QEvent::MouseButtonDblClick)
        return false;
    const auto *mouse = static_cast<QMouseEvent *>(event);
    if (mouse->button() != Qt::LeftButton)
        return false;
    const button under = buttonAt(option.rect, mouse->pos(), option.widget);
    if (event->type() != QEvent::MouseButtonRelease) {
        m_pressed = under;
        m_pressedIndex = index;
        return under != none;
    }
    const button pressed = m_pressed;
    const bool sameCell = m_pressedIndex == index;
    m_pressed = none;
    m_pressedIndex = QPersistentModelIndex();
    if (under != none && under == pressed && sameCell)
        emit clicked(index.row(), under);
    return pressed != none;
}
