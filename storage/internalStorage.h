// The "Internal Storage" tab: the capacity of the instrument's RAM disk and hard disk, the
// list of stored files with check boxes and per-row View, Download and Delete, and the
// actions on the ticked files.
#ifndef TS4720_INTERNALSTORAGE_H
#define TS4720_INTERNALSTORAGE_H

#include "panelContext.h"
#include "panelPage.h"
#include "storageDownloads.h"
#include "storedFile.h"

#include <QWidget>

class QPushButton;
class QTableView;
class diskStatus;
class itemModel;

class internalStorage : public QWidget, public panelPage {
    Q_OBJECT
public:
    explicit internalStorage(const panelContext &context, QWidget *parent = nullptr);

    void refreshPage() override { doRefresh(); }
    // The main panel disables the whole tab in viewer mode.
    void applyViewerRestrictions() override {}
    // The main panel locks the whole tab while an acquisition is not idle.
    void setAcquisitionIdle(bool, const QString &) override {}

    QTableView *table() const { return m_table; }
    itemModel *model() const { return m_model; }
    diskStatus *ramDiskStatus() const { return m_ramStatus; }
    diskStatus *hardDiskStatus() const { return m_hardStatus; }
    QPushButton *button(const QString &text) const;

public slots:
    void doSelectAll();
    void doDeselectAll();
    void doDownloadSelected();
    void doDeleteSelected();
    void doSort(int sortByColumn, Qt::SortOrder order);
    void doSort(int sortByColumn) { doSort(sortByColumn, Qt::AscendingOrder); }
    void doSort() { doSort(0, Qt::AscendingOrder); }
    void doRefresh();
    void doView(const QString &map);
    bool doDownload(const QString &map, const QString &path);
    void doDownload(const QString &map);
    void doDelete(const QString &map);

private:
    void buildLayout();
    void showDiskStatus(diskStatus *box, short disk);
    QByteArray readFileList();
    QVector<storedFile> selectedFiles() const;
    // The row's download to path, or to a path asked for when empty; the driver's status
    // is reported when report is set. False when nothing was downloaded.
    bool downloadRow(const QString &map, QString path, bool report);

    ViSession m_vi;
    bool m_demo;
    QTableView *m_table;
    itemModel *m_model;
    diskStatus *m_ramStatus;
    diskStatus *m_hardStatus;
    storageDownloads m_downloads;
    QList<QPushButton *> m_selectionButtons; // need a non-empty list
    int m_sortColumn = 0;
    int m_sortOrder = 0; // 0 ascending, 1 descending
};

#endif
