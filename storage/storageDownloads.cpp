#include "storageDownloads.h"

#include "driverCall.h"
#include "localFileName.h"
#include "messageBoxes.h"
#include "ts4720.h"
#include "waitCursor.h"

#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <QStandardPaths>

namespace {
const QString title = QStringLiteral("Korvan 4720");

// At most ten names, one per line, then how many more there are.
QString shortList(const QStringList &names)
{
    return names.mid(0, 10).join(QLatin1Char('\n')) +
           (names.size() > 10 ? QStringLiteral("\nand %1 more").arg(names.size() - 10) : QString());
}

struct job {
    storedFile file;
    QString path;
    bool replaces = false;
};

// Asks once whether the files already in the folder are to be replaced.
bool replaceExisting(QWidget *parent, const QVector<job> &jobs, const QString &folder)
{
    QStringList names;
    for (const job &j : jobs) {
        if (j.replaces)
            names << QFileInfo(j.path).fileName();
    }
    if (names.isEmpty())
        return true;
    return messageBoxes::question(parent, title,
                                  QStringLiteral("These files are already in '%1':\n%2\n\nDo you want to replace "
                                                 "them? No keeps them and downloads only the other files.")
                                      .arg(QDir::toNativeSeparators(folder), shortList(names))) == QMessageBox::Yes;
}
} // namespace

void storageDownloads::downloadAll(QWidget *parent, const QVector<storedFile> &files, const QString &folder)
{
    QStringList refused;
    QVector<job> jobs;
    QSet<QString> taken;
    for (const storedFile &file : files) {
        if (!localFileName::usable(file.name)) {
            refused << localFileName::shown(file.name);
            continue;
        }
        job j{file, folder + QLatin1Char('/') + file.name + QStringLiteral(".csv")};
        if (taken.contains(j.path))
            j.path = localFileName::freePath(folder, file.name, taken);
        else
            j.replaces = QFileInfo::exists(j.path);
        taken.insert(j.path);
        jobs.append(j);
    }
    const bool replace = replaceExisting(parent, jobs, folder);
    {
        const driverAction action;
        const waitCursor wait;
        for (const job &j : qAsConst(jobs)) {
            if (j.replaces && !replace)
                continue;
            qDebug() << j.path;
            download(j.file.name, j.file.location, j.path,
                     "ts4720_downloadFile(vi, l.at(i).location, l.at(i).fileName.toAscii().data(), fn.toAscii().data())",
                     true);
        }
    }
    refuse(parent, refused);
}

ViStatus storageDownloads::download(const QString &name, const QString &location, const QString &path,
                                    const char *callText, bool report)
{
    const QByteArray fileName = name.toLatin1();
    const QByteArray destination = QFile::encodeName(path);
    auto call = [&] {
        return ts4720_downloadFile(m_vi, locationCode(location), fileName.constData(), destination.constData());
    };
    return report ? reportedCall(m_vi, call, callText) : quietCall(m_vi, call, callText);
}

QString storageDownloads::viewPath(const QString &name)
{
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    QDir().mkpath(documents);
    return QDir::toNativeSeparators(localFileName::freePath(documents, name));
}

void storageDownloads::refuse(QWidget *parent, const QStringList &names)
{
    if (names.isEmpty())
        return;
    QStringList quoted;
    for (const QString &name : names)
        quoted << QLatin1Char('\'') + name + QLatin1Char('\'');
    messageBoxes::warning(parent, title,
                          QStringLiteral("Not downloaded, because the instrument gives a name that cannot be a "
                                         "file name on this computer (empty, a folder path or a control "
                                         "character):\n%1").arg(shortList(quoted)));
}
