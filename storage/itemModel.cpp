#include "itemModel.h"

namespace {
QStandardItem *readOnlyItem(const QString &text)
{
    auto *item = new QStandardItem(text);
    item->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
    return item;
}
} // namespace

itemModel::itemModel(QObject *parent) : QStandardItemModel(parent)
{
    setHorizontalHeaderLabels({"File Name", "Location", "Size", "Date", ""});
}

void itemModel::sort(int column, Qt::SortOrder order)
{
    emit sortRequest(column, order);
}

void itemModel::setFiles(const QVector<storedFile> &files)
{
    // One reset instead of a signal per row and item: views then lay out once.
    beginResetModel();
    blockSignals(true);
    setRowCount(0);
    setRowCount(files.size());
    for (int row = 0; row < files.size(); ++row) {
        const storedFile &file = files[row];
        QStandardItem *name = readOnlyItem(file.name);
        name->setFlags(name->flags() | Qt::ItemIsUserCheckable);
        name->setCheckState(file.checked ? Qt::Checked : Qt::Unchecked);
        setItem(row, fileNameColumn, name);
        setItem(row, locationColumn, readOnlyItem(file.location));
        setItem(row, sizeColumn, readOnlyItem(file.sizeText));
        setItem(row, dateColumn, readOnlyItem(file.date));
    }
    blockSignals(false);
    endResetModel();
}

QVector<storedFile> itemModel::files() const
{
    QVector<storedFile> rows(rowCount());
    for (int row = 0; row < rows.size(); ++row) {
        const QStandardItem *name = item(row, fileNameColumn);
        rows[row] = {name->text(), item(row, locationColumn)->text(), item(row, sizeColumn)->text(),
                     item(row, dateColumn)->text(), name->checkState() == Qt::Checked};
    }
    return rows;
}

void itemModel::setAllChecked(bool checked)
{
    blockSignals(true);
    for (int row = 0; row < rowCount(); ++row)
        item(row, fileNameColumn)->setCheckState(checked ? Qt::Checked : Qt::Unchecked);
    blockSignals(false);
    if (rowCount() > 0)
        emit dataChanged(index(0, fileNameColumn), index(rowCount() - 1, fileNameColumn), {Qt::CheckStateRole});
}
