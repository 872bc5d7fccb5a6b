// Helpers shared by the data-file tests.
#include "dataFileTestSupport.h"

#include <QDir>
#include <QFile>
#include <QProcess>

#include <clocale>
#include <cstdio>
#include <cstring>

namespace {

bool trySetLocale(const char *name)
{
    char text[16];
    return std::setlocale(LC_ALL, name) && std::snprintf(text, sizeof text, "%.1f", 1.5) > 0
        && std::strcmp(text, "1,5") == 0;
}

} // namespace

QString useCommaLocale(const QTemporaryDir &dir)
{
    for (const char *name : {"de_DE.UTF-8", "de_DE.utf8", "de_DE", "fr_FR.UTF-8", "nl_NL.UTF-8"})
        if (trySetLocale(name))
            return QString();
    // No such locale installed: build one from the locale sources, if the system has them.
    const QString target = dir.filePath("locales/de_DE.UTF-8");
    QDir().mkpath(dir.filePath("locales"));
    QProcess localedef;
    localedef.start("localedef", {"-i", "de_DE", "-f", "UTF-8", target});
    if (!localedef.waitForFinished(60000) || localedef.exitCode() != 0 || !QFile::exists(target)) {
        useCLocale();
        return "no decimal-comma locale is installed and localedef could not build one "
               "(install the Debian package 'locales'): " + QString::fromLocal8Bit(localedef.readAllStandardError());
    }
    qputenv("LOCPATH", dir.filePath("locales").toLocal8Bit());
    if (trySetLocale("de_DE.UTF-8"))
        return QString();
    useCLocale();
    return "the locale built with localedef does not use a decimal comma";
}

void useCLocale() { std::setlocale(LC_ALL, "C"); }

QByteArray writeTestFile(const QTemporaryDir &dir, const QString &name, const QByteArray &bytes)
{
    QFile file(dir.filePath(name));
    if (file.open(QIODevice::WriteOnly))
        file.write(bytes);
    return file.fileName().toLocal8Bit();
}

QByteArray readTestFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}
