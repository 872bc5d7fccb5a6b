#include "storageTexts.h"

#include "asciiText.h"

namespace storageTexts {

namespace {
const qint64 kB = 1024;
const qint64 MB = 1024 * kB;
const qint64 GB = 1024 * MB;

// QString::number ignores the process locale: always a decimal point.
QString fixed(double value, int decimals)
{
    return QString::number(value, 'f', decimals);
}

// A disk quantity given in kB, with the percentage when there is one.
QString capacityText(qint64 valueKB, const QString &percent)
{
    if (valueKB <= kB)
        return QString::number(valueKB) + " kB" + (percent.isEmpty() ? QString() : "    " + percent);
    if (valueKB <= MB)
        return fixed(double(valueKB) / kB, 1) + " MB" + (percent.isEmpty() ? QString() : "    " + percent);
    return fixed(double(valueKB) / MB, 1) + " GB" + (percent.isEmpty() ? QString() : "   " + percent);
}
} // namespace

QString sizeText(qint64 bytes)
{
    if (bytes <= kB)
        return QString::number(bytes) + " B";
    if (bytes <= MB)
        return fixed(double(bytes) / kB, 2) + " kB";
    if (bytes <= GB)
        return fixed(double(bytes) / MB, 2) + " MB";
    return fixed(double(bytes) / GB, 2) + " GB";
}

double sizeValue(const QString &text)
{
    double value = 0;
    if (!ascii::toReal(text.section(QLatin1Char(' '), 0, 0).toStdString(), &value))
        return 0;
    if (text.contains(QLatin1String("kB")))
        return value * kB;
    if (text.contains(QLatin1String("MB")))
        return value * MB;
    if (text.contains(QLatin1String("GB")))
        return value * GB;
    return value;
}

diskTexts diskStatusTexts(qint64 totalKB, qint64 freeKB)
{
    if (totalKB <= 0)
        return {"-", "-", "-"};
    const qint64 used = totalKB - freeKB;
    const qint64 percent = used * 100 / totalKB;
    return {capacityText(totalKB, QString()), capacityText(used, QStringLiteral("(%1%)").arg(percent)),
            capacityText(freeKB, QStringLiteral("(%1%)").arg(100 - percent))};
}

} // namespace storageTexts
