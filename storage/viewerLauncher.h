// Starts a second copy of the panel in viewer mode on a data file: the program installed
// under the VXIplug&play framework directory where one is configured, else this program.
#ifndef TS4720_VIEWERLAUNCHER_H
#define TS4720_VIEWERLAUNCHER_H

#include <QString>

namespace viewerLauncher {

// The framework directory with '/' separators; empty where none is configured (the
// registry value exists on Windows only).
QString frameworkDirectory();

struct program {
    QString path;
    QString workingDirectory;
};
// framework directory + "/ts4720/ts4720.exe" run in its "/bin", or this executable.
program viewerProgram();

// Starts the viewer on the file, the path as one argument, and does not wait for it; false
// when it cannot be started.
bool start(const QString &file);

// Tests start a stand-in instead (empty: the real viewer again).
void setProgramForTests(const QString &path);

} // namespace viewerLauncher

#endif
