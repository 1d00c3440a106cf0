#pragma once
// The part of a system's file system that reads through the C library:
// lines and whole files from a stream the system opened. RealFilesPosix.cpp
// and RealFilesWin32.cpp each open files their own way.
#include <cstdio>

#include "platform/Files.h"

namespace tesslor {

class StdioFileSystem : public FileSystem {
public:
    std::unique_ptr<LineReader> OpenText(const std::string& path) override;
    bool ReadAll(const std::string& path, std::string& bytes) override;
    bool ReadPrefix(const std::string& path, std::size_t maxBytes, std::string& bytes) override;

protected:
    /// An existing file opened for reading in binary mode; null for a folder
    /// or a file that cannot be opened.
    virtual std::FILE* OpenToRead(const std::string& path) = 0;
};

}  // namespace tesslor
