// Reading of the configured resources.
#include "resourceList.h"

#include "asciiText.h"
#include "resourceDescriptor.h"
#include "visa.h"

#include <QFile>
#include <QStandardPaths>

#include <cstdlib>

namespace tsvisa {

namespace {

void addUnique(const std::string &candidate, std::vector<std::string> *list)
{
    ResourceDescriptor d;
    if (candidate.size() >= VI_FIND_BUFLEN || parseDescriptor(candidate, &d) != VI_SUCCESS)
        return;
    for (const std::string &known : *list) {
        if (sameResource(known, candidate))
            return;
    }
    list->push_back(candidate);
}

} // namespace

std::string resourceFilePath()
{
    const QString dir = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    return (dir + QStringLiteral("/tsvisa/resources.conf")).toStdString();
}

std::vector<std::string> descriptorLines(const std::string &fileText)
{
    std::vector<std::string> lines;
    for (const std::string &line : ascii::split(fileText, '\n')) {
        const std::string text = ascii::trimmed(line.substr(0, line.find('#')));
        if (!text.empty())
            lines.push_back(text);
    }
    return lines;
}

std::vector<std::string> configuredResources()
{
    std::vector<std::string> list;
    if (const char *variable = std::getenv("TSVISA_RESOURCES")) {
        for (const std::string &part : ascii::split(variable, ';'))
            addUnique(ascii::trimmed(part), &list);
    }
    QFile file(QString::fromStdString(resourceFilePath()));
    if (file.open(QIODevice::ReadOnly)) {
        for (const std::string &line : descriptorLines(file.readAll().toStdString()))
            addUnique(line, &list);
    }
    return list;
}

} // namespace tsvisa
