// Locales for tests, built with localedef when the system has none installed.
#include "testLocale.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTest>

#include <cctype>
#include <clocale>
#include <cstdio>
#include <cstring>

namespace {

struct LocaleKind {
    const char *source;       // localedef input
    const char *installed[3]; // names to try first
};

const LocaleKind kinds[] = {
    {"de_DE", {"de_DE.UTF-8", "de_DE.utf8", "fr_FR.UTF-8"}},
    {"tr_TR", {"tr_TR.UTF-8", "tr_TR.utf8", "tr_TR"}},
};

// The locale is in effect and shows the trait the test is about.
bool trySetLocale(const char *name, TestLocale which)
{
    char text[16];
    if (!std::setlocale(LC_ALL, name) || std::snprintf(text, sizeof text, "%.1f", 1.5) <= 0
        || std::strcmp(text, "1,5") != 0)
        return false;
    return which != TestLocale::Turkish || std::toupper('i') != 'I';
}

} // namespace

QString useTestLocale(const QTemporaryDir &dir, TestLocale which)
{
    const LocaleKind &kind = kinds[which == TestLocale::Turkish ? 1 : 0];
    const QString name = QString(kind.source) + ".UTF-8";
    // Each built locale has a folder of its own: the C library remembers a failed lookup
    // for as long as LOCPATH stays the same.
    const QString folder = dir.filePath(QString("locales-") + kind.source);
    if (!QFile::exists(folder + "/" + name)) {
        qunsetenv("LOCPATH");
        for (const char *installed : kind.installed)
            if (trySetLocale(installed, which))
                return QString();
        // None installed: build one from the locale sources, if the system has them.
        QDir().mkpath(folder);
        QProcess localedef;
        localedef.start("localedef", {"-i", kind.source, "-f", "UTF-8", folder + "/" + name});
        if (!localedef.waitForFinished(60000) || localedef.exitCode() != 0 || !QFile::exists(folder + "/" + name)) {
            useCLocale();
            return "no " + name + " locale is installed and localedef could not build one "
                   "(install the Debian package 'locales'): " + QString::fromLocal8Bit(localedef.readAllStandardError());
        }
    }
    qputenv("LOCPATH", folder.toLocal8Bit());
    if (trySetLocale(name.toLatin1().constData(), which))
        return QString();
    useCLocale();
    return "the locale " + name + " built with localedef does not show its trait";
}

void useCLocale() { std::setlocale(LC_ALL, "C"); }

void addLocaleRows()
{
    QTest::addColumn<int>("locale");
    QTest::newRow("C") << -1;
    QTest::newRow("decimal comma") << int(TestLocale::DecimalComma);
    QTest::newRow("Turkish") << int(TestLocale::Turkish);
}

void useLocaleOfRow(const QTemporaryDir &dir)
{
    QFETCH_GLOBAL(int, locale);
    const QString why = locale < 0 ? (useCLocale(), QString()) : useTestLocale(dir, TestLocale(locale));
    QVERIFY2(why.isEmpty(), qPrintable(why));
}
