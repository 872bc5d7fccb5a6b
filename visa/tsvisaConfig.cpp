// Registering and unregistering resources in the user's resource file.
#include "tsvisa_config.h"

#include "resourceDescriptor.h"
#include "resourceList.h"
#include "visa.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QSaveFile>

#include <cstring>

namespace {

const int lockWaitMs = 5000;

bool readFile(const QString &path, QByteArray *text)
{
    QFile file(path);
    if (!file.exists())
        return true;
    if (!file.open(QIODevice::ReadOnly))
        return false;
    *text = file.readAll();
    return true;
}

bool writeFile(const QString &path, const QByteArray &text)
{
    QSaveFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(text) == text.size() && file.commit();
}

bool lineNames(const std::string &line, const std::string &descriptor)
{
    const std::vector<std::string> names = tsvisa::descriptorLines(line);
    return !names.empty() && tsvisa::sameResource(names.front(), descriptor);
}

} // namespace

bool tsvisa_registerResource(const char *descriptor)
{
    tsvisa::ResourceDescriptor d;
    if (!descriptor || std::strlen(descriptor) >= VI_FIND_BUFLEN ||
        tsvisa::parseDescriptor(descriptor, &d) != VI_SUCCESS)
        return false;
    const QString path = QString::fromStdString(tsvisa::resourceFilePath());
    if (!QDir().mkpath(QFileInfo(path).absolutePath()))
        return false;
    QLockFile lock(path + QStringLiteral(".lock"));
    QByteArray text;
    if (!lock.tryLock(lockWaitMs) || !readFile(path, &text))
        return false;
    for (const QByteArray &line : text.split('\n')) {
        if (lineNames(line.toStdString(), descriptor))
            return true;
    }
    if (!text.isEmpty() && !text.endsWith('\n'))
        text += '\n';
    text += QByteArray(descriptor) + '\n';
    return writeFile(path, text);
}

bool tsvisa_unregisterResource(const char *descriptor)
{
    if (!descriptor)
        return false;
    const QString path = QString::fromStdString(tsvisa::resourceFilePath());
    if (!QFile::exists(path))
        return true;
    QLockFile lock(path + QStringLiteral(".lock"));
    QByteArray text;
    if (!lock.tryLock(lockWaitMs) || !readFile(path, &text))
        return false;
    QList<QByteArray> lines = text.split('\n');
    const int before = lines.size();
    for (int i = lines.size() - 1; i >= 0; --i) {
        if (lineNames(lines[i].toStdString(), descriptor))
            lines.removeAt(i);
    }
    if (lines.size() == before)
        return true;
    return writeFile(path, lines.join('\n'));
}

size_t tsvisa_resourceFilePath(char *path, size_t size)
{
    const std::string full = tsvisa::resourceFilePath();
    if (path && size > 0) {
        const size_t n = full.size() < size ? full.size() : size - 1;
        std::memcpy(path, full.c_str(), n);
        path[n] = '\0';
    }
    return full.size();
}
