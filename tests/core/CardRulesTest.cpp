// The card's rules that the window and the tool both state: which window
// opens which file, the summary line, the unit's 30 bytes of a Perform name.
#include <gtest/gtest.h>

#include "TestSupport.h"
#include "card/Card.h"
#include "card/CardOpen.h"
#include "card/CardView.h"
#include "card/CardWrite.h"
#include "files/UnitFile.h"

namespace tesslor {
namespace {

using test::TempDir;
using test::WriteFileBytes;

TEST(CardOpen, EachKindOpensInItsWindowAndAnAnimationThroughItsList) {
    TempDir dir;
    const struct {
        CardKind kind;
        CardEditor editor;
    } cases[] = {
        {CardKind::Picture, CardEditor::Picture},         {CardKind::OldPicture, CardEditor::Picture},
        {CardKind::Bitmap, CardEditor::Picture},          {CardKind::Settings1, CardEditor::Settings1},
        {CardKind::Settings2, CardEditor::Settings2},     {CardKind::Settings3, CardEditor::Settings3},
        {CardKind::Schedule, CardEditor::Schedule},       {CardKind::Text, CardEditor::Text},
        {CardKind::AnimationList, CardEditor::AnimationList}, {CardKind::Perform, CardEditor::Perform},
    };
    const std::string path = dir.Path("x.dat");
    for (const auto& c : cases) {
        const CardOpening o = CardOpeningOf(RealFileSystem(), c.kind, path);
        EXPECT_EQ(o.editor, c.editor) << CardKindWord(c.kind);
        EXPECT_EQ(o.path, path) << CardKindWord(c.kind);
        EXPECT_EQ(o.refusal, "");
    }

    // An animation opens its list of the same name, when the card has one.
    const std::string ana = dir.Path("kion.ana");
    CardOpening o = CardOpeningOf(RealFileSystem(), CardKind::Animation, ana);
    EXPECT_EQ(o.editor, CardEditor::None);
    EXPECT_EQ(o.refusal, "kion.ana はリスト kion.alt がないため開けません（動画ファイルの作成で作り直せます）");
    WriteFileBytes(dir.Path("kion.alt"), "ANIMATION_QUALITY_SUPER\r\n1\r\n10\r\n");
    o = CardOpeningOf(RealFileSystem(), CardKind::Animation, ana);
    EXPECT_EQ(o.editor, CardEditor::AnimationList);
    EXPECT_EQ(o.path, dir.Path("kion.alt"));

    o = CardOpeningOf(RealFileSystem(), CardKind::Co2, dir.Path("a.co2"));
    EXPECT_EQ(o.editor, CardEditor::None);
    EXPECT_EQ(o.refusal, "a.co2 を開く画面はありません（CO2削減量設定ファイル作成で作り直せます）");
    EXPECT_EQ(CardOpeningOf(RealFileSystem(), CardKind::Other, dir.Path("memo.txt")).refusal,
              "memo.txt は表示器のファイルではないため開けません");
}

TEST(CardView, TheSummaryLineCountsErrorsAndCautionsAndSaysWhetherTheUnitReadsTheCard) {
    CardScan scan;
    scan.folder = "/site/card-0612";
    scan.files.resize(3);
    EXPECT_EQ(CardScanSummary(scan), "3ファイル・エラー 0件・注意 0件（表示器で読めます）");
    EXPECT_EQ(CardSourceErrorQuestion(scan), "");
    scan.findings = {{CardSeverity::Caution, "a", {}}, {CardSeverity::Error, "b", {}}, {CardSeverity::Caution, "c", {}}};
    EXPECT_EQ(scan.ErrorCount(), 1);
    EXPECT_EQ(CardScanSummary(scan), "3ファイル・エラー 1件・注意 2件（このままでは表示器が表示しません）");
    EXPECT_EQ(CardSourceErrorQuestion(scan), "/site/card-0612 にエラーが1件あります。それでもカードへ書き出しますか？");
}

// A frame of an animation belongs to its animation, not to the unlisted.
TEST(CardView, ThePerformColumnGivesTheLineOrTheAnimationAPictureBelongsTo) {
    CardScan scan;
    scan.files = {CardFile{"Perform.txt", CardKind::Perform}, CardFile{"anim.alt", CardKind::AnimationList},
                  CardFile{"anim_01.lee", CardKind::Picture}, CardFile{"kion.lee", CardKind::Picture},
                  CardFile{"lone.lee", CardKind::Picture}, CardFile{"broken.alt", CardKind::AnimationList}};
    scan.files[0].entries = {"anim.ana", "kion.lee"};
    scan.files[1].entries = {"ANIM_01.LEE"};
    scan.files[5].ok = false;
    scan.files[5].entries = {"lone.lee"};
    scan.Index();
    EXPECT_EQ(CardPerformText(scan, scan.files[3]), "2");
    EXPECT_EQ(CardPerformText(scan, scan.files[2]), "動画 anim.alt の絵") << "names are case-blind on the card";
    EXPECT_EQ(CardPerformText(scan, scan.files[4]), "") << "a list that does not read names nothing";
    EXPECT_EQ(CardPerformText(scan, scan.files[1]), "");
}

// The unit reads 30 bytes of a name, counted in Shift-JIS: 30 fit, 31 do not.
TEST(CardFindings, APerformNameOfThirtyBytesFitsAndOfThirtyOneDoesNot) {
    EXPECT_TRUE(NameFitsUnit(std::string(26, 'a') + ".lee"));
    EXPECT_FALSE(NameFitsUnit(std::string(27, 'a') + ".lee"));
    EXPECT_TRUE(NameFitsUnit("\xE3\x81\x82" + std::string(24, 'a') + ".lee"));  // "あ" is two bytes
    EXPECT_FALSE(NameFitsUnit("\xE3\x81\x82" + std::string(25, 'a') + ".lee"));
    EXPECT_FALSE(NameFitsUnit("\xF0\x9F\x98\x80.lee"));  // no Shift-JIS form

    TempDir dir;
    const std::string fits = std::string(26, 'a') + ".lee", longer = std::string(27, 'b') + ".lee";
    test::WriteTestPicture(dir.Path(fits), "01", 0, 0, kLedRed);
    test::WriteTestPicture(dir.Path(longer), "02", 0, 0, kLedRed);
    // The list written by hand: a 31-byte name makes a 31-byte line.
    WriteFileBytes(dir.Path("Perform.txt"), fits + "\r\n" + longer + "\r\n");
    CardScan scan;
    std::string message;
    ASSERT_TRUE(ScanCard(RealFileSystem(), dir.Dir().string(), {}, scan, message)) << message;
    int tooLong = 0;
    for (const CardFinding& f : scan.findings)
        if (f.message.find("表示器が扱えない名前です") != std::string::npos) {
            ++tooLong;
            EXPECT_NE(f.message.find(longer), std::string::npos) << f.message;
        }
    EXPECT_EQ(tooLong, 1);
}

}  // namespace
}  // namespace tesslor
