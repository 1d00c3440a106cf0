// A surface's font as a QFont, the one builder the editor's boxes and the
// off-screen image share.
#include <gtest/gtest.h>

#include <QFont>
#include <QFontDatabase>
#include <QStringList>
#include <filesystem>

#include "TestSupport.h"

#include "platform/QtFonts.h"

namespace tesslor::test {
namespace {

using gui::QFontOf;

TEST(QtFonts, EveryStyleBitAndThePitchReachTheQFont) {
    struct Case {
        std::uint8_t style;
        bool fixed;
        bool bold, italic, underline, strikeOut;
    };
    for (const Case& c : {Case{0, false, false, false, false, false}, Case{kFontBold, false, true, false, false, false},
                          Case{kFontItalic, true, false, true, false, false},
                          Case{kFontUnderline, false, false, false, true, false},
                          Case{kFontStrikeOut, false, false, false, false, true},
                          Case{15, true, true, true, true, true}}) {
        const QFont f = QFontOf(FontSpec("Unifont", 16, c.style, c.fixed));
        EXPECT_EQ(f.family(), QStringLiteral("Unifont"));
        EXPECT_EQ(f.pixelSize(), 16);
        EXPECT_EQ(f.bold(), c.bold) << int(c.style);
        EXPECT_EQ(f.italic(), c.italic) << int(c.style);
        EXPECT_EQ(f.underline(), c.underline) << int(c.style);
        EXPECT_EQ(f.strikeOut(), c.strikeOut) << int(c.style);
        EXPECT_EQ(f.fixedPitch(), c.fixed) << int(c.style);
    }
    // Smoothing is the platform's unless turned off; off, no kind of it is left.
    constexpr auto kUnsmoothed = QFont::NoAntialias | QFont::NoSubpixelAntialias;
    EXPECT_EQ(QFontOf(FontSpec("Unifont", 16)).styleStrategy() & kUnsmoothed, 0);
    EXPECT_EQ(QFontOf(FontSpec("Unifont", 16), false).styleStrategy() & kUnsmoothed, kUnsmoothed);
    // A QFont cannot be less than a pixel high.
    EXPECT_EQ(QFontOf(FontSpec("Unifont", 0)).pixelSize(), 1);
}

// The Windows zip's fonts folder: every real font file in it is loaded, a
// broken one and other files are passed over, a missing folder loads none.
TEST(QtFonts, TheFontFilesOfAFolderAreLoadedAndABrokenOneIsPassedOver) {
    TempDir dir;
    std::filesystem::create_directory(dir.Dir() / "fonts");
    WriteFileBytes(dir.Path("fonts/misaki_gothic.ttf"), ReadFileBytes(TESSLOR_TEST_FONT));
    WriteFileBytes(dir.Path("fonts/broken.ttf"), "not a font at all");
    WriteFileBytes(dir.Path("fonts/COPYING.txt"), "the licence");
    EXPECT_EQ(gui::LoadFontFiles(QString::fromStdString(dir.Path("fonts"))), 1);
    EXPECT_TRUE(QFontDatabase::families().contains(QStringLiteral("MisakiGothic")));
    EXPECT_EQ(gui::LoadFontFiles(QString::fromStdString(dir.Path("nowhere"))), 0);
}

}  // namespace
}  // namespace tesslor::test
