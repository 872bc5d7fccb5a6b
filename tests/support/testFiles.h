// Files in a temporary folder, as data-file and recorder tests write and read them.
#ifndef TS4720_TESTFILES_H
#define TS4720_TESTFILES_H

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

// Writes bytes to name in dir and returns the file's path.
QByteArray writeTestFile(const QTemporaryDir &dir, const QString &name, const QByteArray &bytes);
QByteArray readTestFile(const QString &path);

#endif
