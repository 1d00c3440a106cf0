// The file system of Linux (and any POSIX system): writes go to a temporary
// file beside the target, renamed over it when complete.
#include "platform/Files.h"
#include "platform/StdioFiles.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <algorithm>
#include <vector>

namespace tesslor {

namespace {

// Writes beside the target and renames over it on Commit(), so the earlier
// file survives any failure up to the very last step.
class AtomicOutputFile : public OutputFile {
public:
    AtomicOutputFile(std::string target, std::string temp, int fd)
        : target_(std::move(target)), temp_(std::move(temp)), fd_(fd) {}
    ~AtomicOutputFile() override {
        if (fd_ >= 0) ::close(fd_);
        if (!committed_) ::unlink(temp_.c_str());
    }

    bool Write(std::string_view bytes) override {
        if (fd_ < 0 || failed_) return false;
        const char* p = bytes.data();
        std::size_t left = bytes.size();
        while (left > 0) {
            ssize_t n = ::write(fd_, p, left);
            if (n < 0) {
                if (errno == EINTR) continue;
                failed_ = true;
                return false;
            }
            p += n;
            left -= static_cast<std::size_t>(n);
        }
        return true;
    }

    bool Commit() override {
        if (fd_ < 0 || failed_ || committed_) return false;
        // Keep the permissions of the file being replaced, else the usual ones.
        struct stat st;
        mode_t mode = 0666;
        if (::stat(target_.c_str(), &st) == 0) {
            mode = st.st_mode & 07777;
        } else {
            mode_t mask = ::umask(0);
            ::umask(mask);
            mode &= ~mask;
        }
        ::fchmod(fd_, mode);
        bool ok = ::fsync(fd_) == 0;
        ok = (::close(fd_) == 0) && ok;
        fd_ = -1;
        if (!ok) return false;
        if (::rename(temp_.c_str(), target_.c_str()) != 0) return false;
        committed_ = true;
        return true;
    }

private:
    std::string target_;
    std::string temp_;
    int fd_;
    bool failed_ = false;
    bool committed_ = false;
};

class RealFs : public StdioFileSystem {
public:
    std::unique_ptr<OutputFile> Create(const std::string& path) override {
        if (path.empty()) return nullptr;
        struct stat st;
        if (::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode)) return nullptr;
        // The temporary file lies in the target's folder so the rename cannot
        // cross file systems. Here only "/" separates folders.
        std::size_t slash = path.find_last_of('/');
        if (slash == path.size() - 1) return nullptr;
        std::string pattern =
            (slash == std::string::npos ? std::string() : path.substr(0, slash + 1)) + ".tesslor-save-XXXXXX";
        std::vector<char> buf(pattern.begin(), pattern.end());
        buf.push_back('\0');
        int fd = ::mkstemp(buf.data());
        if (fd < 0) return nullptr;
        return std::make_unique<AtomicOutputFile>(path, std::string(buf.data()), fd);
    }

    bool FolderExists(const std::string& path) override {
        struct stat st;
        return !path.empty() && ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
    }

    bool ListFolder(const std::string& folder, std::vector<FolderEntry>& entries) override {
        entries.clear();
        if (folder.empty()) return false;
        DIR* dir = ::opendir(folder.c_str());
        if (!dir) return false;
        char* resolved = ::realpath(folder.c_str(), nullptr);
        const std::string real = resolved ? resolved : "";
        std::free(resolved);
        const std::string prefix = folder.back() == '/' ? folder : folder + "/";
        errno = 0;
        while (const dirent* d = ::readdir(dir)) {
            const std::string name = d->d_name;
            if (name == "." || name == "..") continue;
            entries.push_back(Describe(prefix + name, name, real));
            errno = 0;
        }
        const bool ok = errno == 0;
        ::closedir(dir);
        return ok;
    }

protected:
    std::FILE* OpenToRead(const std::string& path) override {
        struct stat st;
        if (::stat(path.c_str(), &st) != 0 || S_ISDIR(st.st_mode)) return nullptr;
        return std::fopen(path.c_str(), "rb");
    }

private:
    // What one entry is, without following a link that leads out of the folder.
    static FolderEntry Describe(const std::string& path, const std::string& name, const std::string& realFolder) {
        FolderEntry e;
        e.name = name;
        struct stat st;
        if (::lstat(path.c_str(), &st) != 0) {
            e.type = FolderEntry::Type::Special;
            return e;
        }
        if (S_ISLNK(st.st_mode)) {
            char* target = ::realpath(path.c_str(), nullptr);
            std::string where = target ? target : "";
            std::free(target);
            const std::size_t slash = where.find_last_of('/');
            const std::string parent = slash == 0 ? "/" : where.substr(0, slash == std::string::npos ? 0 : slash);
            if (where.empty() || realFolder.empty() || parent != realFolder || ::stat(where.c_str(), &st) != 0) {
                e.type = FolderEntry::Type::OutsideLink;
                return e;
            }
        }
        if (S_ISREG(st.st_mode)) {
            e.type = FolderEntry::Type::File;
            e.size = static_cast<std::uintmax_t>(st.st_size);
        } else if (S_ISDIR(st.st_mode)) {
            e.type = FolderEntry::Type::Folder;
        } else {
            e.type = FolderEntry::Type::Special;
        }
        return e;
    }
};

}  // namespace

FileSystem& RealFileSystem() {
    static RealFs fs;
    return fs;
}

}  // namespace tesslor
