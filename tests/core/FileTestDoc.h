#pragma once
// A picture document for the file tests: drawn on nothing, messages recorded.
#include <string>
#include <string_view>

#include "TestSupport.h"
#include "led/Ledhyoujiki.h"
#include "platform/NullSurface.h"

namespace tesslor::test {

struct DocUnderTest {
    explicit DocUnderTest(StartupConfig config = {}) : doc(surface, prompter, config) {}

    /// ORs colour bits into dot column x, dot row y.
    void Light(int x, int y, LedColor bits) { doc.Board(x / 16, y / 16).Led(x % 16, y % 16).AddColor(bits); }

    NullSurface surface;
    ScriptedPrompter prompter;
    LedHyoujikiClass doc;
};

/// An OutputFile in memory whose failAt-th Write() (1-based) fails; 0 never fails.
class FlakyOutput : public OutputFile {
public:
    explicit FlakyOutput(int failAt = 0) : failAt_(failAt) {}
    bool Write(std::string_view bytes) override {
        if (++writes == failAt_) return false;
        this->bytes.append(bytes);
        return true;
    }
    bool Commit() override { return true; }

    std::string bytes;
    int writes = 0;

private:
    int failAt_;
};

}  // namespace tesslor::test
