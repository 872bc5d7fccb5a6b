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
    files.reserve(list.count('\n') + 1);
    // Fields are cut out of the list in place: a list of 100,000 lines is read in a moment.
    int start = 0;
    while (start <= list.size()) {
        int end = list.indexOf('\n', start);
        if (end < 0)
            end = list.size();
        int cut[5] = {start - 1, 0, 0, 0, end};
        int fields = 1;
        for (int i = start; i < end && fields <= 4; ++i) {
            if (list[i] == ',')
                cut[fields++] = i;
        }
        if (fields == 4) {
            auto field = [&](int k) { return list.constData() + cut[k] + 1; };
            auto length = [&](int k) { return cut[k + 1] - cut[k] - 1; };
            storedFile file;
            file.name = QString::fromLatin1(field(0), length(0)).remove(QLatin1Char('"'));
            file.location = QString::fromLatin1(field(1), length(1));
            file.sizeText = storageTexts::sizeText(sizeOf(QByteArray::fromRawData(field(2), length(2))));
            file.date = QString::fromLatin1(field(3), length(3));
            files.append(file);
        }
        start = end + 1;
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
