// The texts of the storage tab: file sizes and disk capacities, and the value a size text
// stands for when rows are sorted by size.
#ifndef TS4720_STORAGETEXTS_H
#define TS4720_STORAGETEXTS_H

#include <QString>

namespace storageTexts {

// "1024 B", "1.00 kB", "1024.00 kB", "1.00 MB", "2.00 GB" (1 kB = 1024 bytes).
QString sizeText(qint64 bytes);
// The bytes a size text shows: the number before the first blank, times 1024 for "kB",
// 1048576 for "MB", 1073741824 for "GB"; 0 when there is no number.
double sizeValue(const QString &text);

// The three value texts of a disk's status box; all "-" when the total is not positive.
struct diskTexts {
    QString total;
    QString used;
    QString free;
};
diskTexts diskStatusTexts(qint64 totalKB, qint64 freeKB);

} // namespace storageTexts

#endif
