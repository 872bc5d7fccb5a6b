// Shared pieces of the connection tests.
#include "connectTestSupport.h"

ViStatus fakePersonality::init(ViConstRsrc resourceName, ViBoolean, ViBoolean reset, ViSession *vi)
{
    initDescriptors.append(QString::fromLatin1(resourceName));
    initResets.append(reset != VI_FALSE);
    const ViStatus status = initStatuses.isEmpty() ? VI_SUCCESS : initStatuses.takeFirst();
    // Like a driver, a warning still opens a session; an error does not.
    if (status < VI_SUCCESS)
        *vi = 0;
    else
        *vi = initSessions.isEmpty() ? nextSession++ : initSessions.takeFirst();
    return status;
}

ViStatus fakePersonality::close(ViSession vi)
{
    closed.append(vi);
    return VI_SUCCESS;
}

QStringList scriptedBoxes::texts() const
{
    QStringList result;
    for (const messageBoxes::Request &request : seen)
        result.append(request.text);
    return result;
}

scriptedBoxes::scriptedBoxes(QList<int> answers) : answers(std::move(answers))
{
    messageBoxes::setHandler([this](const messageBoxes::Request &request) {
        seen.append(request);
        return this->answers.isEmpty() ? -1 : this->answers.takeFirst();
    });
}

bool simFarm::start(const QString &address, const QString &identity)
{
    tssim::Options options;
    options.address = address.toStdString();
    options.identity = identity.toStdString();
    options.webPort = -1;
    auto instrument = std::make_unique<tssim::Instrument>(options);
    std::string error;
    if (!instrument->start(&error)) {
        qWarning("cannot start a simulated instrument on %s: %s", qPrintable(address), error.c_str());
        return false;
    }
    m_instruments.push_back(std::move(instrument));
    return true;
}

QString simFarm::descriptor(int index) const
{
    return QString::fromStdString(m_instruments.at(size_t(index))->descriptor());
}

void setConfiguredResources(const QStringList &descriptors)
{
    qputenv("TSVISA_RESOURCES", descriptors.join(QLatin1Char(';')).toLatin1());
}
