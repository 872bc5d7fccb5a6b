// Loading the loaded file's scans into the plot windows this page owns.
#include "measurement_acquisition.h"

#include "dataFileLoad.h"
#include "loadedFile.h"

#include <QSpinBox>

int measurement_acquisition::loadDataFile(loadSelection &remembered)
{
    const loadedFileRecord &record = loadedFile();
    partLoadCfg dialog(window(), record.rowCount);
    dialog.preset(remembered);
    if (dialog.run() != QDialog::Accepted)
        return 0;
    remembered = dialog.selection();
    plotLength->setValue(remembered.plotLength);
    return dataFileLoad(window()).load(record, remembered);
}
