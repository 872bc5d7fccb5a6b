// Loading the selected scans of the loaded file into the plot windows: the memory check,
// the windows reallocated, the reading thread with a progress dialog and a working Cancel,
// and one box when the file could not be read to the end.
#ifndef TS4720_DATAFILELOAD_H
#define TS4720_DATAFILELOAD_H

#include "partLoadCfg.h"

#include <QString>
#include <QtGlobal>

class QWidget;
struct loadedFileRecord;

class dataFileLoad {
public:
    // Half of this computer's memory (2 GiB where it cannot be told): the windows are filled
    // at once, so more would push the machine into swapping, or the program into being killed.
    static qint64 systemMemoryLimit();
    // Windows of a selection, and the copies one plot length of them takes to draw.
    static qint64 bytesNeeded(const loadedFileRecord &record, const loadSelection &selection);

    explicit dataFileLoad(QWidget *panel, qint64 memoryLimit = systemMemoryLimit());

    // Reallocates plotWindows() for the selection (a window per channel the file holds) and
    // reads the rows into them; a selection that does not fit is refused before anything is
    // freed or allocated. Returns the scans loaded from position 0 on, after which plotDataPtr
    // holds them and plotLength the plot length in use; 0 when nothing was loaded (the windows
    // are then freed, unless the selection was refused).
    int load(const loadedFileRecord &record, const loadSelection &selection);

private:
    bool fits(const loadedFileRecord &record, const loadSelection &selection);
    void report(const loadedFileRecord &record, const loadSelection &selection, int stored, bool opened,
                bool readFailed);

    QWidget *m_panel;
    qint64 m_memoryLimit;
};

#endif
