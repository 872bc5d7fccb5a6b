// One file of the instrument's list as the storage tab shows it, the list's parser, the
// row key the row buttons pass, and the order of rows by a column.
#ifndef TS4720_STOREDFILE_H
#define TS4720_STOREDFILE_H

#include <QByteArray>
#include <QString>
#include <QVector>

struct storedFile {
    QString name;     // double quotes removed
    QString location; // "HD" for the hard disk, any other text the RAM disk
    QString sizeText; // as shown
    QString date;     // exactly as delivered
    bool checked = false;
};

// The lines of a file list, "name,location,size,date" each, separated by "\n". A line
// without exactly four fields is skipped; a size that is no signed 32-bit number counts 0.
// Names, locations and dates are 8-bit text.
QVector<storedFile> parseStoredFileList(const QByteArray &list);

// The location code the driver takes: 0 for "HD", 1 for any other location text.
short locationCode(const QString &location);

// "name,location": the text a row's buttons pass to their actions.
QString rowKey(const storedFile &file);
// false unless the key has exactly two parts.
bool splitRowKey(const QString &key, QString *name, QString *location);

// The columns that sort; the button column does not.
enum storedFileColumn { fileNameColumn, locationColumn, sizeColumn, dateColumn, buttonColumn, storedFileColumns };

// Sorts ascending by the column's rule (names, dates: lower case; locations, then names;
// sizes by the value their text shows, then names), then reverses for descending. Rows that
// compare equal keep their order.
void sortStoredFiles(QVector<storedFile> *files, int column, Qt::SortOrder order);

#endif
