// The model of the storage table: the rows as plain records (a list of 100,000 files stays
// quick; items per cell took seconds), check boxes in the name column, read-only otherwise.
// Sorting is asked of the page (sortRequest), which orders the rows itself.
#ifndef TS4720_ITEMMODEL_H
#define TS4720_ITEMMODEL_H

#include "storedFile.h"

#include <QAbstractTableModel>
#include <QVector>

class itemModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit itemModel(QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role = Qt::EditRole) override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    // Does not sort: emits sortRequest with the same column and order.
    void sort(int column, Qt::SortOrder order = Qt::AscendingOrder) override;

    // Replaces every row: name (check box), location, size and date; the button column
    // shows nothing (its delegate draws the buttons).
    void setFiles(const QVector<storedFile> &files);
    // The rows as they are now, with their ticks.
    const QVector<storedFile> &files() const { return m_files; }
    // Ticks or clears one row's or every row's check box.
    void setChecked(int row, bool checked);
    void setAllChecked(bool checked);

signals:
    void sortRequest(int column, Qt::SortOrder order);

private:
    QVector<storedFile> m_files;
};

#endif
