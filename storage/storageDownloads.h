// Downloads of stored files to this computer. File names come from the instrument, a device
// on the network: one that cannot be a plain file name is refused (with a box naming it)
// and never becomes a path, and no download replaces a user's file unasked.
#ifndef TS4720_STORAGEDOWNLOADS_H
#define TS4720_STORAGEDOWNLOADS_H

#include "storedFile.h"
#include "visatype.h"

#include <QStringList>

class QWidget;

class storageDownloads {
public:
    explicit storageDownloads(ViSession vi) : m_vi(vi) {}

    // Download Selected into folder: each file as folder/name.csv, in order. Asks once
    // before replacing files already there (No keeps them and downloads the others); a name
    // twice in the selection (one per disk) gets "name (2).csv". Each failed download is
    // reported and the others go on.
    void downloadAll(QWidget *parent, const QVector<storedFile> &files, const QString &folder);

    // One download; the status is reported under callText when report is set.
    ViStatus download(const QString &name, const QString &location, const QString &path, const char *callText,
                      bool report);

    // Where View downloads a file: a new file in the documents folder ("run7 (2).csv" when
    // "run7.csv" is there already).
    static QString viewPath(const QString &name);

    // The warning that names the files whose names were refused; nothing for none.
    static void refuse(QWidget *parent, const QStringList &names);

private:
    ViSession m_vi;
};

#endif
