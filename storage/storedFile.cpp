#include "storedFile.h"

#include "asciiText.h"
#include "storageTexts.h"

#include <QList>
#include <QStringList>

#include <algorithm>
#include <limits>
#include <numeric>

namespace {
int sizeOf(const QByteArray &field)
{
    long long value = 0;
    if (!ascii::toInteger(field.toStdString(), &value) || value < std::numeric_limits<qint32>::min() ||
        value > std::numeric_limits<qint32>::max())
        return 0;
    return int(value);
}

// What a row is compared by, computed once per row rather than once per comparison.
struct sortKey {
    QString text;
    double size = 0;
    QString name;
};

sortKey keyOf(const storedFile &file, int column)
{
    switch (column) {
    case locationColumn:
        return {file.location.toLower(), 0, file.name.toLower()};
    case sizeColumn:
        return {QString(), storageTexts::sizeValue(file.sizeText), file.name.toLower()};
    case dateColumn:
        return {file.date.toLower(), 0, QString()};
    default:
        return {file.name.toLower(), 0, QString()};
    }
}

bool before(const sortKey &a, const sortKey &b)
{
    if (a.size != b.size)
        return a.size < b.size;
    const int byText = a.text.compare(b.text);
    if (byText != 0)
        return byText < 0;
    return a.name < b.name;
}
} // namespace

QVector<storedFile> parseStoredFileList(const QByteArray &list)
{
    QVector<storedFile> files;
    for (const QByteArray &line : list.split('\n')) {
        const QList<QByteArray> fields = line.split(',');
        if (fields.size() != 4)
            continue;
        storedFile file;
        file.name = QString::fromLatin1(fields[0]).remove(QLatin1Char('"'));
        file.location = QString::fromLatin1(fields[1]);
        file.sizeText = storageTexts::sizeText(sizeOf(fields[2]));
        file.date = QString::fromLatin1(fields[3]);
        files.append(file);
    }
    return files;
}

short locationCode(const QString &location)
{
    return location == QLatin1String("HD") ? 0 : 1;
}

QString rowKey(const storedFile &file)
{
    return file.name + QLatin1Char(',') + file.location;
}

bool splitRowKey(const QString &key, QString *name, QString *location)
{
    const QStringList parts = key.split(QLatin1Char(','));
    if (parts.size() != 2)
        return false;
    *name = parts[0];
    *location = parts[1];
    return true;
}

void sortStoredFiles(QVector<storedFile> *files, int column, Qt::SortOrder order)
{
    QVector<sortKey> keys;
    keys.reserve(files->size());
    for (const storedFile &file : qAsConst(*files))
        keys.append(keyOf(file, column));
    QVector<int> indexes(files->size());
    std::iota(indexes.begin(), indexes.end(), 0);
    std::stable_sort(indexes.begin(), indexes.end(), [&keys](int a, int b) { return before(keys[a], keys[b]); });
    if (order == Qt::DescendingOrder)
        std::reverse(indexes.begin(), indexes.end());
    QVector<storedFile> sorted;
    sorted.reserve(files->size());
    for (int i : qAsConst(indexes))
        sorted.append(files->at(i));
    *files = sorted;
}
