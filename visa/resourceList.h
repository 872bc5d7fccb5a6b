// The configured resources: the descriptors of TSVISA_RESOURCES and of the user's resource
// file, in that order, each resource once.
#ifndef TSVISA_RESOURCELIST_H
#define TSVISA_RESOURCELIST_H

#include <string>
#include <vector>

namespace tsvisa {

// Full path of tsvisa/resources.conf in the user's configuration directory.
std::string resourceFilePath();

// The lines of a resource file's text that name a descriptor: comments ('#' to the end
// of the line) and surrounding blanks removed, empty lines skipped.
std::vector<std::string> descriptorLines(const std::string &fileText);

// Every valid descriptor of the variable and of the file, as written there, without
// duplicates (compared as resources, ignoring case). Texts that are no descriptor, and
// descriptors too long for a VI_FIND_BUFLEN buffer, are left out.
std::vector<std::string> configuredResources();

} // namespace tsvisa

#endif
