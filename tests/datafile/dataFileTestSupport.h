// Helpers shared by the data-file tests: files in a temporary folder.
#ifndef TS4720_DATAFILETESTSUPPORT_H
#define TS4720_DATAFILETESTSUPPORT_H

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

// Writes bytes to name in dir and returns the file's path.
QByteArray writeTestFile(const QTemporaryDir &dir, const QString &name, const QByteArray &bytes);
QByteArray readTestFile(const QString &path);

#endif
