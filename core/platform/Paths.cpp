#include "platform/Paths.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <system_error>

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

std::string FolderOfFile(const std::string& path) {
    const std::size_t p = path.find_last_of("\\/");
    if (p == std::string::npos) {
        const std::size_t colon = path.find(':');
        return colon == std::string::npos ? "." : path.substr(0, colon + 1);
    }
    if (p == 0 || (p == 2 && path[1] == ':')) return path.substr(0, p + 1);
    return path.substr(0, p);
}

std::string CanonicalFolder(const std::string& folder) {
    std::string s = folder.empty() ? "." : folder;
    std::replace(s.begin(), s.end(), '\\', '/');
    namespace fs = std::filesystem;
    std::error_code ec;
    fs::path p = fs::absolute(fs::path(s), ec);
    if (ec) p = fs::path(s);
    fs::path c = fs::weakly_canonical(p, ec);
    if (ec) c = p.lexically_normal();
    std::string r = c.lexically_normal().string();
    while (r.size() > 1 && r.back() == '/') r.pop_back();
    return r;
}

bool SameFolder(const std::string& a, const std::string& b) { return CanonicalFolder(a) == CanonicalFolder(b); }

std::string PathInFolder(const std::string& folder, const std::string& name) {
    if (folder.empty()) return name;
    const char last = folder.back();
    if (last == '/' || last == '\\') return folder + name;
    const bool backslashes = folder.find('\\') != std::string::npos && folder.find('/') == std::string::npos;
    return folder + (backslashes ? "\\" : "/") + name;
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
