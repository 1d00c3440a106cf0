#pragma once
// An OutputFile that collects the bytes in memory: for writing a file's bytes
// without a disk (conversions, benchmarks, tests).
#include <string>
#include <string_view>

#include "platform/Files.h"

namespace tesslor {

class MemoryOutputFile : public OutputFile {
public:
    /// Appends the bytes; never fails.
    bool Write(std::string_view bytes) override {
        bytes_.append(bytes);
        return true;
    }
    /// Marks the bytes complete; never fails.
    bool Commit() override {
        committed_ = true;
        return true;
    }

    const std::string& Bytes() const { return bytes_; }
    bool Committed() const { return committed_; }
    void Clear() {
        bytes_.clear();
        committed_ = false;
    }

private:
    std::string bytes_;
    bool committed_ = false;
};

}  // namespace tesslor
