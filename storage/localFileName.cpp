#include "localFileName.h"

#include <QDir>
#include <QFileInfo>

namespace localFileName {

bool usable(const QString &name)
{
    if (name.isEmpty() || name == QLatin1String(".") || name == QLatin1String(".."))
        return false;
    for (const QChar c : name) {
        if (c.unicode() < 0x20 || c.unicode() == 0x7F || c == QLatin1Char('/') || c == QLatin1Char('\\') ||
            c == QLatin1Char(':'))
            return false;
    }
    return true;
}

QString shown(const QString &name)
{
    QString text;
    for (const QChar c : name) {
        if (c.unicode() < 0x20 || c.unicode() == 0x7F)
            text += QStringLiteral("\\x%1").arg(c.unicode(), 2, 16, QLatin1Char('0'));
        else
            text += c;
    }
    return text;
}

QString freePath(const QString &folder, const QString &name, const QSet<QString> &taken)
{
    QString path = folder + QLatin1Char('/') + name + QStringLiteral(".csv");
    for (int n = 2; QFileInfo::exists(path) || taken.contains(path); ++n)
        path = folder + QLatin1Char('/') + name + QStringLiteral(" (%1).csv").arg(n);
    return path;
}

bool directlyInside(const QString &folder, const QString &path)
{
    const QString file = QDir::cleanPath(QDir(folder).absoluteFilePath(path));
    return QFileInfo(file).absolutePath() == QDir::cleanPath(QDir(folder).absolutePath()) &&
           QFileInfo(file).fileName() != QLatin1String("..");
}

} // namespace localFileName
