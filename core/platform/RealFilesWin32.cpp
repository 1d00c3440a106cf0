// The file system of Windows: names are UTF-8 inside and wide at the Win32
// calls, "\" and "/" both separate folders, and a finished file replaces the
// earlier one in one call written through to the card, so the earlier one
// stays whole until then.
#include <algorithm>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "platform/Files.h"
#include "platform/StdioFiles.h"
#include "text/WideNames.h"

namespace tesslor {

namespace {

DWORD AttributesOf(const std::string& path) { return GetFileAttributesW(WideOf(path).c_str()); }

bool IsFolder(DWORD attributes) {
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

// A new file: written, then flushed to the medium and closed.
class Win32NewFile : public NewFile {
public:
    explicit Win32NewFile(HANDLE handle) : handle_(handle) {}
    ~Win32NewFile() override {
        if (handle_ != INVALID_HANDLE_VALUE) CloseHandle(handle_);
    }

    bool Write(std::string_view bytes) override {
        if (handle_ == INVALID_HANDLE_VALUE) return false;
        const char* p = bytes.data();
        std::size_t left = bytes.size();
        while (left > 0) {
            const DWORD chunk = left > (1u << 30) ? (1u << 30) : static_cast<DWORD>(left);
            DWORD written = 0;
            if (!WriteFile(handle_, p, chunk, &written, nullptr) || written == 0) return false;
            p += written;
            left -= written;
        }
        return true;
    }

    bool Flush() override {
        if (handle_ == INVALID_HANDLE_VALUE) return false;
        bool ok = FlushFileBuffers(handle_) != 0;
        ok = CloseHandle(handle_) != 0 && ok;
        handle_ = INVALID_HANDLE_VALUE;
        return ok;
    }

private:
    HANDLE handle_;
};

class RealFs : public StdioFileSystem {
public:
    std::unique_ptr<NewFile> CreateTemporary(const std::string& target, std::string& tempPath) override {
        tempPath.clear();
        if (target.empty() || IsSeparator(target.back())) return nullptr;
        // The temporary file lies in the target's folder so the move cannot
        // cross drives.
        const std::size_t slash = target.find_last_of("\\/");
        const std::string folder = slash == std::string::npos ? std::string() : target.substr(0, slash + 1);
        static unsigned counter = 0;
        for (int attempt = 0; attempt < 100; ++attempt) {
            const std::string path = folder + kSavePrefix + std::to_string(GetCurrentProcessId()) + "-" +
                                     std::to_string(++counter) + "-" + std::to_string(GetTickCount());
            HANDLE h = CreateFileW(WideOf(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL,
                                   nullptr);
            if (h != INVALID_HANDLE_VALUE) {
                tempPath = path;
                return std::make_unique<Win32NewFile>(h);
            }
            if (GetLastError() != ERROR_FILE_EXISTS && GetLastError() != ERROR_ALREADY_EXISTS) return nullptr;
        }
        return nullptr;
    }

    bool Rename(const std::string& from, const std::string& to) override {
        // A plain rename fails over an existing file on Windows; this call
        // replaces it, and waits until the move is on the card.
        return !from.empty() && !to.empty() &&
               MoveFileExW(WideOf(from).c_str(), WideOf(to).c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
    }

    bool Remove(const std::string& path) override { return !path.empty() && DeleteFileW(WideOf(path).c_str()); }

    // Every rename was written through to the card: the folder has nothing left to flush.
    bool FlushFolder(const std::string& folder) override { return FolderExists(folder.empty() ? "." : folder); }

    bool IsReadOnly(const std::string& path) override {
        const DWORD attributes = AttributesOf(path);
        return attributes != INVALID_FILE_ATTRIBUTES && !IsFolder(attributes) &&
               (attributes & FILE_ATTRIBUTE_READONLY) != 0;
    }

    bool FolderExists(const std::string& path) override { return !path.empty() && IsFolder(AttributesOf(path)); }

    bool ListFolder(const std::string& folder, std::vector<FolderEntry>& entries) override {
        entries.clear();
        if (folder.empty()) return false;
        const std::string pattern = folder + (IsSeparator(folder.back()) ? "*" : "\\*");
        WIN32_FIND_DATAW found;
        HANDLE h = FindFirstFileExW(WideOf(pattern).c_str(), FindExInfoBasic, &found, FindExSearchNameMatch, nullptr, 0);
        if (h == INVALID_HANDLE_VALUE) return GetLastError() == ERROR_FILE_NOT_FOUND && FolderExists(folder);
        do {
            const std::string name = Utf8Of(found.cFileName);
            if (name == "." || name == "..") continue;
            FolderEntry e;
            e.name = name;
            if (found.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) {
                // Links and junctions are not followed: they may lead anywhere.
                e.type = FolderEntry::Type::OutsideLink;
            } else if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                e.type = FolderEntry::Type::Folder;
            } else if (found.dwFileAttributes & FILE_ATTRIBUTE_DEVICE) {
                e.type = FolderEntry::Type::Special;
            } else {
                e.type = FolderEntry::Type::File;
                e.size = (static_cast<std::uintmax_t>(found.nFileSizeHigh) << 32) | found.nFileSizeLow;
            }
            entries.push_back(std::move(e));
        } while (FindNextFileW(h, &found));
        const bool ok = GetLastError() == ERROR_NO_MORE_FILES;
        FindClose(h);
        return ok;
    }

protected:
    std::FILE* OpenToRead(const std::string& path) override {
        const DWORD attributes = AttributesOf(path);
        if (attributes == INVALID_FILE_ATTRIBUTES || IsFolder(attributes)) return nullptr;
        return _wfopen(WideOf(path).c_str(), L"rb");
    }
};

}  // namespace

FileSystem& RealFileSystem() {
    static RealFs fs;
    return fs;
}

}  // namespace tesslor
