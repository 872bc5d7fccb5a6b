// Factory defaults and the saved configuration file.
#include "instrumentSettings.h"

#include <QFile>
#include <QSettings>
#include <QStringList>

namespace tssim {

InstrumentSettings InstrumentSettings::factory(const std::string &serialText)
{
    InstrumentSettings s;
    s.user[0] = {0.0, 0.041};
    s.user[1] = {0.0, 0.052};
    s.description = "Tarsel Ltd - Korvan 4720 - " + serialText + " - Isolated LXI Thermocouple Instrument";
    return s;
}

namespace {

QString listText(const std::vector<double> &values)
{
    QStringList parts;
    for (double v : values)
        parts << QString::number(v, 'g', 17);
    return parts.join(',');
}

std::vector<double> listValues(const QString &text)
{
    std::vector<double> values;
    for (const QString &part : text.split(',', Qt::SkipEmptyParts)) {
        bool ok = false;
        const double v = part.toDouble(&ok);
        if (ok)
            values.push_back(v);
    }
    return values;
}

} // namespace

bool InstrumentSettings::save(const std::string &path) const
{
    QSettings ini(QString::fromStdString(path), QSettings::IniFormat);
    ini.clear();
    for (int i = 0; i < MaxChannels; ++i) {
        const ChannelSettings &c = channels[i];
        ini.beginGroup(QString("Channel%1").arg(i + 1));
        ini.setValue("Enabled", c.enabled);
        ini.setValue("Type", c.type);
        ini.setValue("OTD", c.otd);
        ini.setValue("MinOn", c.minOn);
        ini.setValue("Min", QString::number(c.min, 'g', 17));
        ini.setValue("MaxOn", c.maxOn);
        ini.setValue("Max", QString::number(c.max, 'g', 17));
        ini.endGroup();
    }
    ini.beginGroup("Instrument");
    ini.setValue("User1", listText(user[0]));
    ini.setValue("User2", listText(user[1]));
    ini.setValue("LineActive", QString("%1,%2,%3,%4").arg(lineActive[0]).arg(lineActive[1]).arg(lineActive[2]).arg(lineActive[3]));
    ini.setValue("OutputFunction", QString("%1,%2").arg(outputFunction[0]).arg(outputFunction[1]));
    ini.setValue("Acquisition", QString("%1,%2,%3,%4,%5,%6")
                                    .arg(acquisition.clockSource)
                                    .arg(acquisition.scanRate, 0, 'g', 17)
                                    .arg(acquisition.scans)
                                    .arg(acquisition.startMode)
                                    .arg(acquisition.stop)
                                    .arg(acquisition.timestamps ? 1 : 0));
    ini.setValue("DataFormat", dataFormat);
    ini.setValue("ShadowCopy", shadowCopy);
    ini.setValue("Description", QString::fromLatin1(description.c_str()));
    ini.setValue("AssetNumber", QString::fromLatin1(assetNumber.c_str()));
    ini.endGroup();
    ini.sync();
    return ini.status() == QSettings::NoError;
}

bool InstrumentSettings::load(const std::string &path)
{
    if (!QFile::exists(QString::fromStdString(path)))
        return false;
    QSettings ini(QString::fromStdString(path), QSettings::IniFormat);
    if (ini.status() != QSettings::NoError)
        return false;
    for (int i = 0; i < MaxChannels; ++i) {
        ChannelSettings &c = channels[i];
        ini.beginGroup(QString("Channel%1").arg(i + 1));
        c.enabled = ini.value("Enabled", c.enabled).toBool();
        c.type = qBound(0, ini.value("Type", c.type).toInt(), 9);
        c.otd = ini.value("OTD", c.otd).toBool();
        c.minOn = ini.value("MinOn", c.minOn).toBool();
        c.min = ini.value("Min", c.min).toDouble();
        c.maxOn = ini.value("MaxOn", c.maxOn).toBool();
        c.max = ini.value("Max", c.max).toDouble();
        ini.endGroup();
    }
    ini.beginGroup("Instrument");
    loadInstrumentGroup(ini);
    ini.endGroup();
    return true;
}

void InstrumentSettings::loadInstrumentGroup(QSettings &ini)
{
    for (int t = 0; t < 2; ++t) {
        std::vector<double> v = listValues(ini.value(t == 0 ? "User1" : "User2").toString());
        if (!v.empty() && v.size() <= UserCoefficients)
            user[t] = v;
    }
    const std::vector<double> lines = listValues(ini.value("LineActive").toString());
    for (size_t i = 0; i < lines.size() && i < 4; ++i)
        lineActive[i] = lines[i] != 0.0 ? 1 : 0;
    const std::vector<double> outputs = listValues(ini.value("OutputFunction").toString());
    for (size_t i = 0; i < outputs.size() && i < 2; ++i)
        outputFunction[i] = qBound(0, static_cast<int>(outputs[i]), 4);
    const std::vector<double> acq = listValues(ini.value("Acquisition").toString());
    if (acq.size() == 6) {
        acquisition.clockSource = qBound(0, static_cast<int>(acq[0]), 3);
        acquisition.scanRate = qBound(1.0, acq[1], 1000.0);
        acquisition.scans = qBound(0LL, static_cast<long long>(acq[2]), 1000000000LL);
        acquisition.startMode = qBound(0, static_cast<int>(acq[3]), 3);
        acquisition.stop = qBound(0, static_cast<int>(acq[4]), 2);
        acquisition.timestamps = acq[5] != 0.0;
    }
    dataFormat = qBound(1, ini.value("DataFormat", dataFormat).toInt(), 7);
    shadowCopy = qBound(0, ini.value("ShadowCopy", shadowCopy).toInt(), 2);
    description = ini.value("Description", QString::fromLatin1(description.c_str())).toString().toLatin1().toStdString();
    assetNumber = ini.value("AssetNumber", QString::fromLatin1(assetNumber.c_str())).toString().toLatin1().toStdString();
}

} // namespace tssim
