#include "internalStorage.h"

#include "diskStatus.h"
#include "driverCall.h"
#include "itemModel.h"
#include "localFileName.h"
#include "messageBoxes.h"
#include "rowButtons.h"
#include "standardDialogs.h"
#include "storageDownloads.h"
#include "ts4720.h"
#include "viewerLauncher.h"
#include "waitCursor.h"

#include <QDir>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QSet>
#include <QTableView>
#include <QVBoxLayout>

internalStorage::internalStorage(const panelContext &context, QWidget *parent)
    : QWidget(parent), m_vi(context.vi), m_demo(context.demo), m_table(new QTableView),
      m_model(new itemModel(this)), m_ramStatus(new diskStatus(QStringLiteral("RAM Disk Status"))),
      m_hardStatus(new diskStatus(QStringLiteral("Hard Disk Status"))), m_downloads(context.vi)
{
    m_table->setModel(m_model);
    m_table->setMinimumWidth(850);
    m_table->setSortingEnabled(true);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->horizontalHeader()->setSortIndicator(m_sortColumn, Qt::AscendingOrder);
    auto *buttons = new rowButtons(this);
    m_table->setItemDelegateForColumn(buttonColumn, buttons);
    // Every row is as high as its buttons; measuring each of 100,000 rows would take long.
    m_table->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_table->verticalHeader()->setDefaultSectionSize(
        qMax(m_table->verticalHeader()->defaultSectionSize(),
             buttons->sizeHint(QStyleOptionViewItem(), QModelIndex()).height() + 4));
    buildLayout();

    connect(m_model, &itemModel::sortRequest, this, qOverload<int, Qt::SortOrder>(&internalStorage::doSort));
    connect(buttons, &rowButtons::clicked, this, [this](int row, rowButtons::button which) {
        if (row < 0 || row >= m_model->files().size())
            return;
        const QString map = rowKey(m_model->files()[row]);
        if (which == rowButtons::view)
            doView(map);
        else if (which == rowButtons::download)
            doDownload(map);
        else
            doDelete(map);
    });
}

void internalStorage::buildLayout()
{
    auto *disks = new QHBoxLayout;
    disks->addWidget(m_ramStatus);
    disks->addWidget(m_hardStatus);
    auto *box = new QVBoxLayout;
    box->addLayout(disks);
    box->addWidget(m_table);
    auto *centred = new QHBoxLayout;
    centred->addStretch();
    centred->addLayout(box);
    centred->addStretch();

    auto *row = new QHBoxLayout;
    auto add = [this, row](const char *text, void (internalStorage::*slot)()) {
        auto *button = new QPushButton(QString::fromLatin1(text));
        connect(button, &QPushButton::clicked, this, slot);
        row->addWidget(button);
        return button;
    };
    m_selectionButtons << add("Select All", &internalStorage::doSelectAll)
                       << add("Deselect All", &internalStorage::doDeselectAll);
    row->addSpacing(20);
    m_selectionButtons << add("Download Selected", &internalStorage::doDownloadSelected)
                       << add("Delete Selected", &internalStorage::doDeleteSelected);
    row->addStretch();
    add("Refresh", &internalStorage::doRefresh);

    auto *outer = new QVBoxLayout(this);
    outer->addLayout(centred, 1);
    outer->addStretch();
    outer->addLayout(row);
}

QPushButton *internalStorage::button(const QString &text) const
{
    for (QPushButton *b : findChildren<QPushButton *>()) {
        if (b->text() == text)
            return b;
    }
    return nullptr;
}

void internalStorage::showDiskStatus(diskStatus *box, short disk)
{
    ViInt32 total = 0, free = 0;
    ViChar info[TS4720_STORAGE_INFO_SIZE] = {};
    // Never reported: a disk that cannot be read shows "-".
    if (m_demo || quietCall(m_vi, [&] { return ts4720_getStorageInfo(m_vi, disk, info, &total, &free); },
                            "ts4720_getStorageInfo(vi, disk, info, &total, &free)") != VI_SUCCESS)
        total = 0;
    box->setCapacity(total, free);
}

QByteArray internalStorage::readFileList()
{
    ViInt32 n = 0;
    reportedCall(m_vi, [&] { return ts4720_getStorageFileList(m_vi, VI_NULL, &n); },
                 "ts4720_getStorageFileList(vi, NULL, &n)");
    // A failed call leaves the length undefined; an empty buffer is then read.
    QByteArray data(qMax<ViInt32>(n, 0) + 1, '\0');
    reportedCall(m_vi, [&] { return ts4720_getStorageFileList(m_vi, data.data(), VI_NULL); },
                 "ts4720_getStorageFileList(vi, data, NULL)");
    return QByteArray(data.constData(), int(qstrnlen(data.constData(), uint(data.size()))));
}

void internalStorage::doRefresh()
{
    const driverAction action;
    const waitCursor wait;
    showDiskStatus(m_ramStatus, ts4720_STORAGE_RAM);
    showDiskStatus(m_hardStatus, ts4720_STORAGE_HD);

    // Ticks are kept by name and disk: the same name on the other disk is another file.
    QSet<QString> ticked;
    for (const storedFile &file : m_model->files()) {
        if (file.checked)
            ticked.insert(rowKey(file));
    }
    QVector<storedFile> files;
    if (!m_demo)
        files = parseStoredFileList(readFileList());
    if (!ticked.isEmpty()) {
        for (storedFile &file : files)
            file.checked = ticked.contains(rowKey(file));
    }
    // Sorted before they are shown, by the order the user chose last.
    sortStoredFiles(&files, m_sortColumn, Qt::SortOrder(m_sortOrder));
    m_model->setFiles(files);
    for (QPushButton *button : qAsConst(m_selectionButtons))
        button->setEnabled(!files.isEmpty());
    m_table->resizeColumnsToContents();
}

void internalStorage::doSort(int sortByColumn, Qt::SortOrder order)
{
    if (sortByColumn >= 0 && sortByColumn < buttonColumn) {
        QVector<storedFile> files = m_model->files();
        sortStoredFiles(&files, sortByColumn, order);
        m_model->setFiles(files);
        m_sortColumn = sortByColumn;
        m_sortOrder = order == Qt::DescendingOrder ? 1 : 0;
    }
    // The header shows the order the rows really have, also after a click on the button column.
    const QSignalBlocker blocker(m_table->horizontalHeader());
    m_table->horizontalHeader()->setSortIndicator(m_sortColumn, Qt::SortOrder(m_sortOrder));
}

void internalStorage::doSelectAll()
{
    m_model->setAllChecked(true);
}

void internalStorage::doDeselectAll()
{
    m_model->setAllChecked(false);
}

QVector<storedFile> internalStorage::selectedFiles() const
{
    QVector<storedFile> selected;
    for (const storedFile &file : m_model->files()) {
        if (file.checked)
            selected.append(file);
    }
    return selected;
}

namespace {
const QString title = QStringLiteral("Korvan 4720");
} // namespace

void internalStorage::doDeleteSelected()
{
    const QVector<storedFile> files = selectedFiles();
    if (files.isEmpty()) {
        messageBoxes::information(window(), title, QStringLiteral("Please select the files to delete."));
        return;
    }
    if (messageBoxes::question(window(), title, QStringLiteral("Do you really want to delete the selected files?")) !=
        QMessageBox::Yes)
        return;
    {
        const driverAction action;
        const waitCursor wait;
        for (const storedFile &file : files) {
            const QByteArray name = file.name.toLatin1();
            reportedCall(m_vi, [&] { return ts4720_deleteFile(m_vi, locationCode(file.location), name.constData()); },
                         "ts4720_deleteFile(vi, l.at(i).location, l.at(i).fileName.toAscii().data())");
        }
    }
    doRefresh();
}

void internalStorage::doDownloadSelected()
{
    const QVector<storedFile> files = selectedFiles();
    if (files.isEmpty()) {
        messageBoxes::information(window(), title, QStringLiteral("Please select the files to download."));
        return;
    }
    const QString folder = standardDialogs::existingDirectory(this, QStringLiteral("Select Directory"), QString());
    if (!folder.isEmpty())
        m_downloads.downloadAll(window(), files, folder);
}

void internalStorage::doDelete(const QString &map)
{
    QString name, location;
    if (!splitRowKey(map, &name, &location))
        return;
    if (messageBoxes::question(window(), title,
                               QStringLiteral("Do you really want to delete '%1'?").arg(localFileName::shown(name))) ==
        QMessageBox::Yes) {
        const driverAction action;
        const waitCursor wait;
        const QByteArray fileName = name.toLatin1();
        reportedCall(m_vi, [&] { return ts4720_deleteFile(m_vi, locationCode(location), fileName.constData()); },
                     "ts4720_deleteFile(vi, location, sl.at(0).toAscii().data())");
    }
    doRefresh();
}

bool internalStorage::doDownload(const QString &map, const QString &path)
{
    return downloadRow(map, path, false);
}

void internalStorage::doDownload(const QString &map)
{
    downloadRow(map, QString(), true);
}

bool internalStorage::downloadRow(const QString &map, QString path, bool report)
{
    QString name, location;
    if (!splitRowKey(map, &name, &location))
        return false;
    if (path.isEmpty()) {
        // The proposed name must not lead the dialog out of the folder it shows.
        if (!localFileName::usable(name)) {
            storageDownloads::refuse(window(), {localFileName::shown(name)});
            return false;
        }
        QString filter = QStringLiteral("CSV data (*.csv)");
        path = standardDialogs::saveFileName(this, QStringLiteral("Download Data File"), name, filter, &filter);
        if (path.isEmpty())
            return false;
        path = QDir::toNativeSeparators(path);
    }
    const driverAction action;
    const waitCursor wait;
    return m_downloads.download(name, location, path, "ts4720_downloadFile(vi, location, sl.at(0).toAscii().data(), path)",
                                 report) == VI_SUCCESS;
}

void internalStorage::doView(const QString &map)
{
    QString name, location;
    if (!splitRowKey(map, &name, &location)) {
        messageBoxes::critical(nullptr, title, QStringLiteral("Failed to download file from Korvan 4720"));
        return;
    }
    if (!localFileName::usable(name)) {
        storageDownloads::refuse(nullptr, {localFileName::shown(name)});
        return;
    }
    const QString path = storageDownloads::viewPath(name);
    if (!doDownload(map, path)) {
        messageBoxes::critical(nullptr, title, QStringLiteral("Failed to download file from Korvan 4720"));
        return;
    }
    if (!viewerLauncher::start(path))
        messageBoxes::critical(nullptr, title, QStringLiteral("Failed to execute Korvan 4720 Soft Front Panel"));
}
