// Helpers shared by the data-file tests: files in a temporary folder and a decimal-comma
// locale for the process.
#ifndef TS4720_DATAFILETESTSUPPORT_H
#define TS4720_DATAFILETESTSUPPORT_H

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

// Switches LC_ALL to a locale whose decimal point is ',' (an installed one, else one built
// with localedef into dir). Returns an empty string on success, else why it was not possible.
QString useCommaLocale(const QTemporaryDir &dir);
void useCLocale();

// Writes bytes to name in dir and returns the file's path.
QByteArray writeTestFile(const QTemporaryDir &dir, const QString &name, const QByteArray &bytes);
QByteArray readTestFile(const QString &path);

#endif
