// Real file and colour dialogs, or the handlers a test installed.
#include "standardDialogs.h"

#include <QColorDialog>
#include <QFileDialog>

namespace standardDialogs {

// Set and read on the GUI thread only.
static SaveFileHandler &saveFileHandler()
{
    static SaveFileHandler handler;
    return handler;
}

static ColorHandler &colorHandler()
{
    static ColorHandler handler;
    return handler;
}

static DirectoryHandler &directoryHandler()
{
    static DirectoryHandler handler;
    return handler;
}

void setDirectoryHandler(DirectoryHandler handler)
{
    directoryHandler() = std::move(handler);
}

QString existingDirectory(QWidget *parent, const QString &caption, const QString &directory)
{
    if (directoryHandler())
        return directoryHandler()(parent, caption, directory);
    return QFileDialog::getExistingDirectory(parent, caption, directory, QFileDialog::ShowDirsOnly);
}

void setSaveFileHandler(SaveFileHandler handler)
{
    saveFileHandler() = std::move(handler);
}

void setColorHandler(ColorHandler handler)
{
    colorHandler() = std::move(handler);
}

QString saveFileName(QWidget *parent, const QString &caption, const QString &directory, const QString &filters,
                     QString *selectedFilter)
{
    if (saveFileHandler())
        return saveFileHandler()(parent, caption, directory, filters, selectedFilter);
    return QFileDialog::getSaveFileName(parent, caption, directory, filters, selectedFilter);
}

QColor color(const QColor &initial, QWidget *parent, const QString &title)
{
    if (colorHandler())
        return colorHandler()(initial, parent, title);
    return QColorDialog::getColor(initial, parent, title, QColorDialog::DontUseNativeDialog);
}

} // namespace standardDialogs
