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
    /// The bytes are complete as they stand; never fails.
    bool Commit() override { return true; }

    const std::string& Bytes() const { return bytes_; }
    void Clear() { bytes_.clear(); }

private:
    std::string bytes_;
};

}  // namespace tesslor
