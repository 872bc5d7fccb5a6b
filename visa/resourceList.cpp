// Reading of the configured resources.
#include "resourceList.h"

#include "resourceDescriptor.h"
#include "visa.h"

#include <QFile>
#include <QStandardPaths>

#include <cstdlib>

namespace tsvisa {

namespace {

std::string trimmed(const std::string &text)
{
    const char *blanks = " \t\r\n\f\v";
    const size_t first = text.find_first_not_of(blanks);
    if (first == std::string::npos)
        return std::string();
    return text.substr(first, text.find_last_not_of(blanks) - first + 1);
}

std::vector<std::string> split(const std::string &text, char separator)
{
    std::vector<std::string> parts;
    size_t pos = 0;
    while (pos <= text.size()) {
        size_t end = text.find(separator, pos);
        if (end == std::string::npos)
            end = text.size();
        parts.push_back(text.substr(pos, end - pos));
        pos = end + 1;
    }
    return parts;
}

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
    for (const std::string &line : split(fileText, '\n')) {
        const std::string text = trimmed(line.substr(0, line.find('#')));
        if (!text.empty())
            lines.push_back(text);
    }
    return lines;
}

std::vector<std::string> configuredResources()
{
    std::vector<std::string> list;
    if (const char *variable = std::getenv("TSVISA_RESOURCES")) {
        for (const std::string &part : split(variable, ';'))
            addUnique(trimmed(part), &list);
    }
    QFile file(QString::fromStdString(resourceFilePath()));
    if (file.open(QIODevice::ReadOnly)) {
        for (const std::string &line : descriptorLines(file.readAll().toStdString()))
            addUnique(line, &list);
    }
    return list;
}

} // namespace tsvisa
