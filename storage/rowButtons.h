// The "View", "Download" and "Delete" buttons of every row, drawn by a delegate instead of
// three widgets per row, so a list of 100,000 files opens in a moment. A button acts when
// the mouse is pressed and released on it, as a push button does.
#ifndef TS4720_ROWBUTTONS_H
#define TS4720_ROWBUTTONS_H

#include <QPersistentModelIndex>
#include <QStyledItemDelegate>

class rowButtons : public QStyledItemDelegate {
    Q_OBJECT
public:
    enum button { view, download, remove, none };

    explicit rowButtons(QObject *parent = nullptr);

    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override;
    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override;
    bool editorEvent(QEvent *event, QAbstractItemModel *model, const QStyleOptionViewItem &option,
                     const QModelIndex &index) override;

    // The button under a point of a cell (none between buttons).
    button buttonAt(const QRect &cell, const QPoint &point, const QWidget *widget) const;

signals:
    void clicked(int row, rowButtons::button which);

private:
    QRect buttonRect(const QRect &cell, button which, const QWidget *widget) const;

    QPersistentModelIndex m_pressedIndex; // the cell whose button the mouse went down on
    button m_pressed = none;
};

#endif
