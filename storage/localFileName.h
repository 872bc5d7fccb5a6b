// Local file names made from names that come from the instrument, which is a device on the
// network: such a name must never lead a download outside the folder it is meant for.
#ifndef TS4720_LOCALFILENAME_H
#define TS4720_LOCALFILENAME_H

#include <QSet>
#include <QString>

namespace localFileName {

// True when name + ".csv" is one plain file name in a folder on every platform: not empty,
// not "." or "..", no '/', '\\' or ':' (a drive on Windows), no control character.
bool usable(const QString &name);

// The name as a message shows it: control characters as \xNN, an empty name as ''.
QString shown(const QString &name);

// folder + "/" + name + ".csv"; when that file exists or is in taken, the first free of
// "name (2).csv", "name (3).csv", ...
QString freePath(const QString &folder, const QString &name, const QSet<QString> &taken = QSet<QString>());

// True when path names a file directly inside folder (after resolving "." and "..").
bool directlyInside(const QString &folder, const QString &path);

} // namespace localFileName

#endif
