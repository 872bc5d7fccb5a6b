// The model of the storage table: sorting is asked of the page (sortRequest), which orders
// the rows itself; the rows are put in all at once, so a list of 100,000 files stays quick.
#ifndef TS4720_ITEMMODEL_H
#define TS4720_ITEMMODEL_H

#include "storedFile.h"

#include <QStandardItemModel>
#include <QVector>

class itemModel : public QStandardItemModel {
    Q_OBJECT
public:
    explicit itemModel(QObject *parent = nullptr);

    // Does not sort: emits sortRequest with the same column and order.
    void sort(int column, Qt::SortOrder order = Qt::AscendingOrder) override;

    // Replaces every row: name (check box), location, size and date, read-only; the
    // button column stays without items (its delegate draws the buttons).
    void setFiles(const QVector<storedFile> &files);
    // The rows as they are now, with their ticks.
    QVector<storedFile> files() const;
    // Ticks or clears every row's check box.
    void setAllChecked(bool checked);

signals:
    void sortRequest(int column, Qt::SortOrder order);
};

#endif
