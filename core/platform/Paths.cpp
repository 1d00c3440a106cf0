#include "platform/Paths.h"

#include <algorithm>
#include <cctype>

namespace tesslor {

namespace {
// Position just after the last separator of the folder part, 0 when none.
std::size_t NameStart(const std::string& path) {
    std::size_t p = path.find_last_of("\\/:");
    return p == std::string::npos ? 0 : p + 1;
}
}  // namespace

std::string FileNamePart(const std::string& path) { return path.substr(NameStart(path)); }

std::string FolderPart(const std::string& path) {
    std::size_t p = path.find_last_of("\\/");
    if (p == std::string::npos) return "";
    return path.substr(0, p);
}

std::string ReplaceExtension(const std::string& path, const std::string& suffix) {
    std::size_t start = NameStart(path);
    std::size_t dot = path.find_last_of('.');
    if (dot == std::string::npos || dot < start) return path + suffix;
    return path.substr(0, dot) + suffix;
}

std::string LowerExtension(const std::string& path) {
    std::string name = FileNamePart(path);
    std::size_t dot = name.find_last_of('.');
    if (dot == std::string::npos) return "";
    std::string ext = name.substr(dot + 1);
    std::transform(ext.begin(), ext.end(), ext.begin(), [](unsigned char c) { return std::tolower(c); });
    return ext;
}

}  // namespace tesslor
