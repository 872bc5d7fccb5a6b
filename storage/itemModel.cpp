#include "itemModel.h"

itemModel::itemModel(QObject *parent) : QAbstractTableModel(parent) {}

int itemModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_files.size();
}

int itemModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : storedFileColumns;
}

QVariant itemModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= m_files.size())
        return QVariant();
    const storedFile &file = m_files[index.row()];
    if (role == Qt::CheckStateRole && index.column() == fileNameColumn)
        return file.checked ? Qt::Checked : Qt::Unchecked;
    if (role != Qt::DisplayRole)
        return QVariant();
    switch (index.column()) {
    case fileNameColumn:
        return file.name;
    case locationColumn:
        return file.location;
    case sizeColumn:
        return file.sizeText;
    case dateColumn:
        return file.date;
    default:
        return QVariant();
    }
}

bool itemModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (!index.isValid() || index.column() != fileNameColumn || role != Qt::CheckStateRole)
        return false;
    setChecked(index.row(), value.toInt() == Qt::Checked);
    return true;
}

Qt::ItemFlags itemModel::flags(const QModelIndex &index) const
{
    const Qt::ItemFlags flags = Qt::ItemIsSelectable | Qt::ItemIsEnabled;
    return index.column() == fileNameColumn ? flags | Qt::ItemIsUserCheckable : flags;
}

QVariant itemModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    const char *labels[] = {"File Name", "Location", "Size", "Date", ""};
    return section >= 0 && section < storedFileColumns ? QString::fromLatin1(labels[section]) : QVariant();
}

void itemModel::sort(int column, Qt::SortOrder order)
{
    emit sortRequest(column, order);
}

void itemModel::setFiles(const QVector<storedFile> &files)
{
    beginResetModel();
    m_files = files;
    endResetModel();
}

void itemModel::setChecked(int row, bool checked)
{
    if (row < 0 || row >= m_files.size() || m_files[row].checked == checked)
        return;
    m_files[row].checked = checked;
    emit dataChanged(index(row, fileNameColumn), index(row, fileNameColumn), {Qt::CheckStateRole});
}

void itemModel::setAllChecked(bool checked)
{
    for (storedFile &file : m_files)
        file.checked = checked;
    if (!m_files.isEmpty())
        emit dataChanged(index(0, fileNameColumn), index(m_files.size() - 1, fileNameColumn), {Qt::CheckStateRole});
}
