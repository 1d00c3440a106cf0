#include "app/Drives.h"

#include <cstdlib>
#include <vector>

#ifdef _WIN32
#include "text/WideNames.h"
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
    // Wide, so that a program in a folder with a Japanese name finds itself.
    std::vector<wchar_t> buf(MAX_PATH);
    for (;;) {
        DWORD n = GetModuleFileNameW(nullptr, buf.data(), static_cast<DWORD>(buf.size()));
        if (n == 0) return "";
        if (n < buf.size()) return Utf8Of(std::wstring_view(buf.data(), n));
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

std::string HomeFolder() {
#ifdef _WIN32
    const wchar_t* home = _wgetenv(L"USERPROFILE");
    return home ? Utf8Of(home) : std::string();
#else
    const char* home = std::getenv("HOME");
    return home ? std::string(home) : std::string();
#endif
}

// [DriveRoots] maps a letter to a folder on every system; unmapped, a letter
// is the drive itself on Windows and the home folder elsewhere.
std::string DriveRootFor(const ProfileStrings& config, char letter) {
    std::string mapped = config.ReadString("DriveRoots", std::string(1, letter), "");
    if (!mapped.empty()) return mapped;
#ifdef _WIN32
    return std::string(1, letter) + ":\\";
#else
    return HomeFolder();
#endif
}

std::string MappedDriveLetters(const ProfileStrings& config) {
    std::string letters;
    for (char letter = 'A'; letter <= 'Z'; ++letter)
        if (!config.ReadString("DriveRoots", std::string(1, letter), "").empty()) letters += letter;
    return letters;
}

std::string MissingDriveFolderMessage(char letter, const std::string& folder, const std::string& home) {
    return std::string("ドライブ ") + letter + " のフォルダ " + folder + " が見つかりません。ホームフォルダ " + home +
           " から開きます";
}

std::string DriveRootLookup::RootFor(const std::string& driveText) {
    if (driveText.empty()) return "";
    const char letter = driveText[0];
    const std::string root = DriveRootFor(config_, letter);
    if (root.empty() || files_.FolderExists(root)) return root;
    const std::string home = HomeFolder();
    if (told_.insert(letter).second) prompter_.Inform(MissingDriveFolderMessage(letter, root, home));
    return home;
}

}  // namespace tesslor
