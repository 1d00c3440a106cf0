#include "app/Drives.h"

#include <cstdlib>
#include <vector>

#ifdef _WIN32
#include <windows.h>
#else
#include <unistd.h>
#endif

#include "platform/Paths.h"

namespace tesslor {

std::string ConfigFilePathFor(const std::string& executablePath) {
    return ReplaceExtension(executablePath, ".INI");
}

std::string DriveFilePathFor(const std::string& executablePath) {
    return ReplaceExtension(executablePath, "Drive.INI");
}

std::string ExecutablePath() {
#ifdef _WIN32
    std::vector<char> buf(MAX_PATH);
    for (;;) {
        DWORD n = GetModuleFileNameA(nullptr, buf.data(), static_cast<DWORD>(buf.size()));
        if (n == 0) return "";
        if (n < buf.size()) return std::string(buf.data(), n);
        buf.resize(buf.size() * 2);
    }
#else
    std::vector<char> buf(4096);
    for (;;) {
        ssize_t n = ::readlink("/proc/self/exe", buf.data(), buf.size());
        if (n < 0) return "";
        if (static_cast<std::size_t>(n) < buf.size()) return std::string(buf.data(), static_cast<std::size_t>(n));
        buf.resize(buf.size() * 2);
    }
#endif
}

std::string DriveRootFor([[maybe_unused]] const ProfileStrings& config, char letter) {
#ifdef _WIN32
    return std::string(1, letter) + ":\\";
#else
    std::string mapped = config.ReadString("DriveRoots", std::string(1, letter), "");
    if (!mapped.empty()) return mapped;
    const char* home = std::getenv("HOME");
    return home ? std::string(home) : std::string();
#endif
}

}  // namespace tesslor
