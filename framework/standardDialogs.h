// The program's file and colour dialogs, replaceable by a test (like messageBoxes), so no
// test ever waits on a modal dialog.
#ifndef TS2900FP_STANDARDDIALOGS_H
#define TS2900FP_STANDARDDIALOGS_H

#include <QColor>
#include <QString>

#include <functional>

class QWidget;

namespace standardDialogs {

// Returns the chosen file (empty when cancelled); *selectedFilter names the chosen filter.
using SaveFileHandler = std::function<QString(QWidget *parent, const QString &caption, const QString &directory,
                                              const QString &filters, QString *selectedFilter)>;
// Returns the chosen directory (empty when cancelled).
using DirectoryHandler = std::function<QString(QWidget *parent, const QString &caption, const QString &directory)>;
// Returns the chosen colour (invalid when cancelled).
using ColorHandler = std::function<QColor(const QColor &initial, QWidget *parent, const QString &title)>;

// An empty handler restores the real dialog. GUI thread only.
void setSaveFileHandler(SaveFileHandler handler);
void setColorHandler(ColorHandler handler);
void setDirectoryHandler(DirectoryHandler handler);

QString saveFileName(QWidget *parent, const QString &caption, const QString &directory, const QString &filters,
                     QString *selectedFilter);
// A directory chooser showing directories only.
QString existingDirectory(QWidget *parent, const QString &caption, const QString &directory);
QColor color(const QColor &initial, QWidget *parent, const QString &title);

} // namespace standardDialogs

#endif
