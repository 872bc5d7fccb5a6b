#include "viewerLauncher.h"

#include <QCoreApplication>
#include <QDebug>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QSettings>

namespace viewerLauncher {

namespace {
// Set by tests on the GUI thread only.
QString &testProgram()
{
    static QString path;
    return path;
}
} // namespace

QString frameworkDirectory()
{
#ifdef Q_OS_WIN
    const QSettings registry(QStringLiteral("HKEY_LOCAL_MACHINE\\SOFTWARE\\VXIPNP_Alliance\\VXIPNP\\CurrentVersion"),
                             QSettings::NativeFormat);
    const QString value = registry.value(QStringLiteral("FRAMEWORK_PATH")).toString();
    if (value.isEmpty())
        return QString();
    // The maker's folder "<value>\tsvisa\" and one level up: the framework directory itself.
    return QDir::cleanPath(QDir::fromNativeSeparators(value + QStringLiteral("\\tsvisa\\..")));
#else
    return QString();
#endif
}

program viewerProgram()
{
    if (!testProgram().isEmpty())
        return {testProgram(), QFileInfo(testProgram()).absolutePath()};
    const QString framework = frameworkDirectory();
    if (!framework.isEmpty())
        return {framework + QStringLiteral("/ts4720/ts4720.exe"), framework + QStringLiteral("/bin")};
    const QString self = QCoreApplication::applicationFilePath();
    return {self, QFileInfo(self).absolutePath()};
}

bool start(const QString &file)
{
    const program viewer = viewerProgram();
    qDebug() << viewer.workingDirectory << viewer.path << file;
    return QProcess::startDetached(viewer.path, {file}, viewer.workingDirectory);
}

void setProgramForTests(const QString &path)
{
    testProgram() = path;
}

} // namespace viewerLauncher
