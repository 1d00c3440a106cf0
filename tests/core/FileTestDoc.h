#pragma once
// A picture document for the file tests: drawn on nothing, messages recorded.
#include <string>
#include <string_view>

#include "TestSupport.h"
#include "app/DocumentFiles.h"
#include "app/StartupConfig.h"
#include "led/Ledhyoujiki.h"
#include "platform/NullSurface.h"

namespace tesslor::test {

struct DocUnderTest {
    explicit DocUnderTest(const StartupConfig& config = {})
        : doc(surface, DisplayShapeOf(config)), files(doc, prompter, RealFileSystem(), config.CustomerMode) {}

    /// ORs colour bits into dot column x, dot row y.
    void Light(int x, int y, LedColor bits) { doc.Board(x / 16, y / 16).Led(x % 16, y % 16).AddColor(bits); }

    NullSurface surface;
    ScriptedPrompter prompter;
    LedHyoujikiClass doc;
    /// The document's file operations, with the questions and messages recorded.
    DocumentFiles files;
};

/// Everything of a document an open could change, for comparing before and after.
struct DocumentSnapshot {
    explicit DocumentSnapshot(const LedHyoujikiClass& doc)
        : fileName(doc.FileName),
          modified(doc.Modified()),
          writeNo(doc.WriteNoText()),
          mode(doc.DisplayModeCode()),
          moji(doc.SounyuuMojiCode()),
          iti(doc.SounyuuItiCode()),
          nini(doc.NiniItiText()),
          reverse(doc.ReverseColorIndex()) {
        for (int x = 0; x < LedHyoujikiClass::kDotColumns; ++x)
            for (int y = 0; y < LedHyoujikiClass::kDotRows; ++y) dots += static_cast<char>('0' + doc.DotColor(x, y));
    }
    bool operator==(const DocumentSnapshot&) const = default;

    std::string fileName;
    bool modified;
    std::string writeNo;
    char mode, moji, iti;
    std::string nini;
    int reverse;
    std::string dots;
};

/// Gives doc a picture and settings unlike anything a test file holds.
inline void MakeDistinctive(DocUnderTest& t) {
    t.Light(100, 50, kLedGreen);
    t.Light(479, 0, kLedRed);
    t.doc.SetWriteNoText("7");
    t.doc.SetDisplayMode('R');
    t.doc.SetSounyuuMoji('D');
    t.doc.SetSounyuuIti('b');
    t.doc.SetNiniIti(321);
    t.doc.SetReverseColorByIndex(1);
    t.doc.FileName = "kept.lee";
}

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
