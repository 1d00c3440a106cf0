// The file system of Linux (and any POSIX system): the steps of a save
// (a temporary file beside the target, fsync, rename, fsync of the folder).
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

// A new file: written, then synced to the medium and closed.
class PosixNewFile : public NewFile {
public:
    explicit PosixNewFile(int fd) : fd_(fd) {}
    ~PosixNewFile() override {
        if (fd_ >= 0) ::close(fd_);
    }

    bool Write(std::string_view bytes) override {
        if (fd_ < 0) return false;
        const char* p = bytes.data();
        std::size_t left = bytes.size();
        while (left > 0) {
            ssize_t n = ::write(fd_, p, left);
            if (n < 0) {
                if (errno == EINTR) continue;
                return false;
            }
            p += n;
            left -= static_cast<std::size_t>(n);
        }
        return true;
    }

    bool Flush() override {
        if (fd_ < 0) return false;
        bool ok = ::fsync(fd_) == 0;
        ok = (::close(fd_) == 0) && ok;
        fd_ = -1;
        return ok;
    }

    bool Close() override {
        if (fd_ < 0) return false;
        const bool ok = ::close(fd_) == 0;
        fd_ = -1;
        return ok;
    }

private:
    int fd_;
};

class RealFs : public StdioFileSystem {
public:
    std::unique_ptr<NewFile> CreateTemporary(const std::string& target, std::string& tempPath) override {
        tempPath.clear();
        if (target.empty()) return nullptr;
        // The temporary file lies in the target's folder so the rename cannot
        // cross file systems. Here only "/" separates folders.
        std::size_t slash = target.find_last_of('/');
        if (slash == target.size() - 1) return nullptr;
        std::string pattern =
            (slash == std::string::npos ? std::string() : target.substr(0, slash + 1)) + kSavePrefix + "XXXXXX";
        std::vector<char> buf(pattern.begin(), pattern.end());
        buf.push_back('\0');
        int fd = ::mkstemp(buf.data());
        if (fd < 0) return nullptr;
        // Keep the permissions of the file being replaced, else the usual ones.
        struct stat st;
        mode_t mode = 0666;
        if (::stat(target.c_str(), &st) == 0) {
            mode = st.st_mode & 07777;
        } else {
            mode_t mask = ::umask(0);
            ::umask(mask);
            mode &= ~mask;
        }
        ::fchmod(fd, mode);
        tempPath = buf.data();
        return std::make_unique<PosixNewFile>(fd);
    }

    bool Rename(const std::string& from, const std::string& to) override {
        return !from.empty() && !to.empty() && ::rename(from.c_str(), to.c_str()) == 0;
    }

    bool Remove(const std::string& path) override { return !path.empty() && ::unlink(path.c_str()) == 0; }

    bool FlushFolder(const std::string& folder) override {
        const int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (fd < 0) return false;
        bool ok = ::fsync(fd) == 0;
        // Some file systems cannot sync a folder on its own (they keep names
        // with the files, or sync everything at once): nothing more to do there.
        if (!ok && (errno == EINVAL || errno == ENOTSUP || errno == ENOSYS)) ok = true;
        ::close(fd);
        return ok;
    }

    bool FlushAll(const std::string& folder) override {
        const int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (fd < 0) return false;
        // The whole file system the folder is on: for a card, the card (one
        // flush instead of one a file). Without syncfs, everything.
#ifdef __linux__
        const bool ok = ::syncfs(fd) == 0;
#else
        ::sync();
        const bool ok = true;
#endif
        ::close(fd);
        return ok && FlushFolder(folder);
    }

    bool IsReadOnly(const std::string& path) override {
        struct stat st;
        // No write permission for anyone: even root, who could write it, leaves it.
        return !path.empty() && ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode) && (st.st_mode & 0222) == 0;
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
