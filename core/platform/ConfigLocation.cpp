#include "platform/ConfigLocation.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "platform/Paths.h"

#ifdef _WIN32
#include "text/WideNames.h"
#endif

namespace tesslor {

namespace {

// True when path names an existing file (a folder of that name does not count).
bool IsFile(const std::string& path) {
    if (path.empty()) return false;
    std::error_code ec;
    return std::filesystem::is_regular_file(PathOfUtf8(path), ec);
}

std::string Join(const std::string& folder, const std::string& name) {
    if (folder.empty()) return "";
    if (folder.back() == '/' || folder.back() == '\\') return folder + name;
#ifdef _WIN32
    return folder + "\\" + name;
#else
    return folder + "/" + name;
#endif
}

}  // namespace

std::string SystemConfigFolder() {
#ifdef _WIN32
    return "";
#else
    return "/etc";
#endif
}

std::string UserConfigFolderFrom(const char* xdgConfigHome, const char* home) {
    // A relative XDG_CONFIG_HOME is ignored, as the base-directory rules ask.
    if (xdgConfigHome && xdgConfigHome[0] == '/') return Join(xdgConfigHome, "Tesslor");
    if (home && home[0] != '\0') return Join(Join(home, ".config"), "Tesslor");
    return "";
}

#ifdef _WIN32
std::string UserConfigFolder() {
    // %APPDATA%\Tesslor, the place of a Windows user's own settings.
    const wchar_t* appData = _wgetenv(L"APPDATA");
    if (!appData || appData[0] == L'\0') return "";
    return Utf8Of(appData) + "\\Tesslor";
}
#else
std::string UserConfigFolder() { return UserConfigFolderFrom(std::getenv("XDG_CONFIG_HOME"), std::getenv("HOME")); }
#endif

bool IsInstalledProgramFolder(const std::string& folder) {
#ifdef _WIN32
    (void)folder;
    return false;
#else
    const std::filesystem::path p = std::filesystem::path(folder).lexically_normal();
    if (!p.is_absolute()) return false;
    auto it = p.begin();
    ++it;  // the root
    if (it == p.end()) return false;
    const std::string top = it->string();
    return top == "usr" || top == "bin" || top == "sbin" || top == "opt" || top == "snap";
#endif
}

std::string ChooseConfigFile(const std::string& besidePath, const std::string& userFolder,
                             const std::string& systemFolder) {
    if (IsFile(besidePath)) return besidePath;
    for (const std::string& folder : {userFolder, systemFolder}) {
        const std::string candidate = Join(folder, kSharedConfigFileName);
        if (IsFile(candidate)) return candidate;
    }
    return besidePath;
}

}  // namespace tesslor
