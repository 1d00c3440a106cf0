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
    fs::path p = fs::absolute(PathOfUtf8(s), ec);
    if (ec) p = PathOfUtf8(s);
    fs::path c = fs::weakly_canonical(p, ec);
    if (ec) c = p.lexically_normal();
    std::string r = Utf8OfPath(c.lexically_normal());
#ifdef _WIN32
    // "E:\" keeps its separator: "E:" alone is the drive's current folder.
    while (r.size() > 3 && (r.back() == '\\' || r.back() == '/')) r.pop_back();
#else
    while (r.size() > 1 && r.back() == '/') r.pop_back();
#endif
    return r;
}

std::filesystem::path PathOfUtf8(std::string_view utf8) {
    return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

std::string Utf8OfPath(const std::filesystem::path& path) {
    const std::u8string u = path.u8string();
    return std::string(u.begin(), u.end());
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

std::string FoldedName(std::string name) {
    for (char& c : name)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return name;
}

}  // namespace tesslor
