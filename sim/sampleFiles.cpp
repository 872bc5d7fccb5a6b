// Sample recordings in the data file layout, made from the simulated signals.
#include "sampleFiles.h"

#include "dataFileFormat.h"
#include "instrumentModel.h"
#include "thermocouple.h"

#include <QDateTime>
#include <QDir>

#include <cmath>

namespace tssim {

std::string SampleFiles::recordingName(long long timeNs)
{
    const QDateTime t = QDateTime::fromMSecsSinceEpoch(timeNs / 1000000LL, Qt::UTC);
    return "ACQ_" + t.toString("yyyyMMdd_hhmmss").toStdString() + ".csv";
}

bool SampleFiles::folderExists(const std::string &path)
{
    return QDir(QString::fromStdString(path)).exists();
}

void SampleFiles::create(const InstrumentModel &model, StorageDisk &disk, long long startNs, int channels,
                         double rate, int scans)
{
    AcquisitionMode mode;
    mode.scanRate = rate;
    mode.scans = scans;
    DataFileColumns columns;
    columns.voltage = true;
    for (int ch = 1; ch <= channels; ++ch) {
        columns.channels.push_back(ch);
        columns.typeNames.push_back(thermocoupleTypeName(model.settings.channels[ch - 1].type));
        columns.otd.push_back(model.settings.channels[ch - 1].otd);
    }
    const DataFileFormat format(columns);
    std::string text = format.header(model.subType, model.serialText, mode, 0);
    std::vector<double> values;
    for (int i = 0; i < scans; ++i) {
        const long long t = startNs + static_cast<long long>(std::llround(i * 1e9 / rate));
        values.clear();
        for (int ch = 0; ch < channels; ++ch) {
            const ChannelReading r = model.reading(ch, t);
            values.push_back(r.temperature);
            values.push_back(r.voltage);
        }
        text += format.row(t, values.data());
    }
    disk.create(recordingName(startNs), text, startNs + static_cast<long long>(scans / rate * 1e9));
}

} // namespace tssim
