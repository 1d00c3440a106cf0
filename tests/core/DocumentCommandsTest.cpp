// The main window's commands over its document, driven without a window:
// undo and redo give back a whole state (dots, settings, file name, saved or
// not), so a save after any of them writes the picture on screen into the
// file it came from.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>

#include "FileTestDoc.h"
#include "app/DocumentCommands.h"
#include "card/CardAdd.h"
#include "files/UnitFile.h"
#include "text/Numbers.h"
#include "text/ShiftJis.h"
#include "files/LedDataFile.h"
#include "led/DocumentHistory.h"
#include "led/DocumentStep.h"
#include "led/DocumentPicture.h"
#include "makers/MongonForm.h"
#include "platform/MemoryImage.h"

namespace tesslor {
namespace {

using test::DocumentSnapshot;
using test::DocUnderTest;

std::string Bytes(const std::string& path) { return test::ReadFileBytes(path); }

std::string LedBytes(const LedHyoujikiClass& doc) {
    struct Sink : OutputFile {
        std::string bytes;
        bool Write(std::string_view b) override {
            bytes += b;
            return true;
        }
        bool Commit() override { return true; }
    } sink;
    WriteLedData(doc, sink);
    return sink.bytes;
}

/// One dot painted as one undo step, as a pen stroke is.
void DrawStep(LedHyoujikiClass& doc, Point dot) {
    const DocumentStep step(doc);
    PaintDot(doc, dot, kRed);
}

struct Editor {
    Editor()
        : bar(t.doc, t.prompter),
          commands(t.files, bar, chooser, &recent, [] { return std::make_unique<MemoryImage>(); }) {
        t.files.SetDriveRootProvider([this] { return dir.Dir().string(); });
        bar.FormCreate();
        t.doc.StartHistory();
    }
    /// Writes a picture of its own (one lit dot at column x, mode, write number) to name.
    std::string MakeFile(const std::string& name, int x, char mode, const std::string& writeNo) {
        DocUnderTest other;
        other.Light(x, 3, kLedGreen);
        other.doc.SetDisplayMode(mode);
        other.doc.SetWriteNoText(writeNo);
        const std::string path = dir.Path(name);
        test::WriteFileBytes(path, LedBytes(other.doc));
        return path;
    }
    bool Open(const std::string& path) {
        chooser.script.push_back(path);
        return commands.Open();
    }

    test::TempDir dir;
    DocUnderTest t;
    test::ScriptedFileChooser chooser;
    RecentFiles recent{nullptr};
    ControlBar bar;
    DocumentCommands commands;
};

TEST(DocumentUndo, OpenOpenUndoSaveWritesEachPictureOnlyIntoItsOwnFile) {
    Editor e;
    const std::string a = e.MakeFile("kion.lee", 5, 'S', "03");
    const std::string b = e.MakeFile("waku.lee", 40, 'C', "07");
    const std::string aBytes = Bytes(a), bBytes = Bytes(b);

    ASSERT_TRUE(e.Open(a));
    const DocumentSnapshot afterA(e.t.doc);
    ASSERT_TRUE(e.Open(b));
    const DocumentSnapshot afterB(e.t.doc);

    ASSERT_TRUE(e.commands.Undo());
    EXPECT_EQ(DocumentSnapshot(e.t.doc), afterA);  // dots, settings, name, and nothing unsaved
    EXPECT_EQ(e.bar.state.DisplayModeIndex, e.t.doc.DisplayModeIndex());
    EXPECT_EQ(e.bar.state.WriteNoText, "03");
    ASSERT_TRUE(e.commands.Save());
    EXPECT_EQ(Bytes(a), aBytes);
    EXPECT_EQ(Bytes(b), bBytes);

    ASSERT_TRUE(e.commands.Redo());
    EXPECT_EQ(DocumentSnapshot(e.t.doc), afterB);
    ASSERT_TRUE(e.commands.Save());
    EXPECT_EQ(Bytes(a), aBytes);
    EXPECT_EQ(Bytes(b), bBytes);
    EXPECT_TRUE(e.chooser.requests.size() == 2u) << "a save with a name asks for none";

    // Back past the first open: the new picture of the start, no file, nothing unsaved.
    e.commands.Undo();
    ASSERT_TRUE(e.commands.Undo());
    EXPECT_EQ(e.t.doc.FileName, "");
    EXPECT_FALSE(e.t.doc.Modified());
    EXPECT_EQ(e.t.doc.LastUsedColumn(), -1);
    EXPECT_FALSE(e.commands.Undo());
}

TEST(DocumentUndo, EditsAfterAnOpenAreUnsavedAndASaveMovesTheSavedState) {
    Editor e;
    const std::string a = e.MakeFile("a.lee", 5, 'A', "01");
    ASSERT_TRUE(e.Open(a));
    DrawStep(e.t.doc, {100, 10});
    EXPECT_TRUE(e.t.doc.Modified());
    e.commands.Undo();
    EXPECT_FALSE(e.t.doc.Modified()) << "back at the picture the file holds";
    e.commands.Redo();
    EXPECT_TRUE(e.t.doc.Modified());

    // Saved with the dot: now the state before it is the one that differs from the file.
    ASSERT_TRUE(e.commands.Save());
    EXPECT_FALSE(e.t.doc.Modified());
    e.commands.Undo();
    EXPECT_TRUE(e.t.doc.Modified());
    EXPECT_EQ(e.t.doc.FileName, a);
    e.commands.Redo();
    EXPECT_FALSE(e.t.doc.Modified());

    // A setting is a step of its own, and comes back with undo.
    {
        const DocumentStep step(e.t.doc);
        e.t.doc.SetDisplayMode('S');
    }
    EXPECT_TRUE(e.t.doc.Modified());
    e.commands.Undo();
    EXPECT_EQ(e.t.doc.DisplayModeCode(), 'A');
    EXPECT_FALSE(e.t.doc.Modified());
}

// 旧ファイルを開く, draw, undo: the picture is again what the old file holds,
// as after a drop of the same file.
TEST(DocumentUndo, UndoBackToAnOldFileOpenedLeavesNothingUnsaved) {
    Editor e;
    DocUnderTest other;
    other.doc.SetWriteNoText("10");
    other.Light(7, 2, kLedRed);
    const std::string old = e.dir.Path("old.led");
    ASSERT_TRUE(other.files.SaveOldFile(old));
    e.chooser.script.push_back(old);
    ASSERT_TRUE(e.commands.OpenOld()) << testing::PrintToString(e.t.prompter.shown);
    EXPECT_FALSE(e.t.doc.Modified());
    EXPECT_EQ(e.t.doc.FileName, "") << "an old file never becomes the picture's file";
    DrawStep(e.t.doc, {100, 10});
    EXPECT_TRUE(e.t.doc.Modified());
    e.commands.Undo();
    EXPECT_FALSE(e.t.doc.Modified()) << "back at the picture the old file holds";
    EXPECT_TRUE(e.t.doc.History().AtSavedState());
}

TEST(DocumentUndo, NewFileAndFailedOpenAreStepsThatKeepTheirNames) {
    Editor e;
    const std::string a = e.MakeFile("a.lee", 5, 'A', "01");
    ASSERT_TRUE(e.Open(a));
    e.commands.NewFile();
    EXPECT_EQ(e.t.doc.FileName, "");
    EXPECT_EQ(e.t.doc.LastUsedColumn(), -1);
    ASSERT_TRUE(e.commands.Undo());
    EXPECT_EQ(e.t.doc.FileName, a);
    EXPECT_EQ(e.t.doc.LastUsedColumn(), 0);

    // A broken file changes nothing, so there is nothing to undo for it.
    const std::string broken = e.dir.Path("broken.lee");
    test::WriteFileBytes(broken, "nonsense\r\n");
    const std::size_t steps = e.t.doc.History().StepCount();
    EXPECT_FALSE(e.Open(broken));
    EXPECT_EQ(e.t.doc.FileName, a);
    EXPECT_EQ(e.t.doc.History().StepCount(), steps);
    // 上書き保存 of a new picture asks for a name: no file of another picture is touched.
    e.commands.Redo();
    const std::string aBytes = Bytes(a);
    e.t.prompter.answers.clear();
    e.chooser.script.push_back(std::nullopt);
    EXPECT_FALSE(e.commands.Save());
    EXPECT_EQ(Bytes(a), aBytes);
}

TEST(DocumentUndo, LoadsWithoutQuestionAreOneStepWithNothingUnsaved) {
    Editor e;
    const std::string a = e.MakeFile("a.lee", 5, 'A', "01");
    const std::string b = e.MakeFile("b.lee", 60, 'S', "02");
    DrawStep(e.t.doc, {1, 1});
    {
        const DocumentStep step(e.t.doc);
        ASSERT_TRUE(e.commands.LoadWithoutQuestion(a));
        ASSERT_TRUE(e.commands.LoadWithoutQuestion(b));
    }
    EXPECT_FALSE(e.t.doc.Modified());
    EXPECT_EQ(e.t.doc.FileName, b);
    e.commands.Undo();  // all the loads are one step
    EXPECT_EQ(e.t.doc.FileName, "");
    EXPECT_TRUE(e.t.doc.Modified()) << "the drawing from before the demo was never saved";
}

// Draws each text as a solid block of its colour, one pixel per byte wide:
// the text editor's rendering lights dots without any font.
class BlockTextImage : public MemoryImage {
public:
    void TextOut(int x, int y, const std::string& text, const FontSpec& font, Rgb fg, Rgb) override {
        for (int dy = 0; dy < font.pixelSize; ++dy)
            for (int dx = 0; dx < static_cast<int>(text.size()); ++dx) SetPixel(x + dx, y + dy, fg);
    }
};

TEST(DocumentUndo, TextDrawnOverAnOpenedFrameIsANewUnsavedPictureThatNeverOverwritesTheFrame) {
    Editor e;
    const std::string frame = e.MakeFile("frame1.lee", 40, 'S', "03");
    const std::string frameBytes = Bytes(frame);
    ASSERT_TRUE(e.Open(frame));
    const DocumentSnapshot opened(e.t.doc);
    const std::size_t steps = e.t.doc.History().StepCount();

    MongonForm text(2, 5);
    text.Rows[0].X = "0";
    text.Rows[0].Y = "0";
    text.Rows[0].Text = "AB";
    BlockTextImage canvas;
    ASSERT_TRUE(text.RenderRows(canvas, e.t.doc, "", e.t.prompter));
    EXPECT_EQ(e.t.doc.FileName, "");
    EXPECT_TRUE(e.t.doc.Modified());
    EXPECT_FALSE(e.t.doc.History().AtSavedState());
    EXPECT_EQ(e.t.doc.DotColor(0, 0), kLedRed);
    EXPECT_EQ(e.t.doc.DotColor(40, 3), kOff);
    EXPECT_EQ(e.t.doc.DisplayModeCode(), 'S');  // the settings in the bar stay
    EXPECT_EQ(e.t.doc.History().StepCount(), steps + 1);

    // 上書き保存 asks for a name; cancelled, the frame's file is as it was.
    e.t.prompter.shown.clear();
    e.chooser.script.push_back(std::nullopt);
    EXPECT_FALSE(e.commands.Save());
    EXPECT_EQ(e.t.prompter.shown, std::vector<std::string>{"ファイルなし"});
    ASSERT_FALSE(e.chooser.requests.empty());
    EXPECT_EQ(e.chooser.requests.back().kind, FileDialogKind::Save);
    EXPECT_EQ(e.chooser.requests.back().fileName, "");
    EXPECT_EQ(Bytes(frame), frameBytes);
    EXPECT_TRUE(e.t.doc.Modified());
    // Closing asks before the text's picture is lost.
    e.t.prompter.answers = {false};
    EXPECT_FALSE(e.commands.Close(e.dir.Path("Drive.INI"), "C"));

    // Undo gives back the frame as its file holds it; redo the text's picture, unsaved again.
    ASSERT_TRUE(e.commands.Undo());
    EXPECT_EQ(DocumentSnapshot(e.t.doc), opened);
    ASSERT_TRUE(e.commands.Redo());
    EXPECT_EQ(e.t.doc.FileName, "");
    EXPECT_TRUE(e.t.doc.Modified());

    // Saved under a name of its own, it is saved there and nowhere else.
    const std::string named = e.dir.Path("text.lee");
    e.chooser.script.push_back(named);
    ASSERT_TRUE(e.commands.Save());
    EXPECT_EQ(e.t.doc.FileName, named);
    EXPECT_FALSE(e.t.doc.Modified());
    EXPECT_EQ(Bytes(frame), frameBytes);
}

// Every command begins its step by taking in what was drawn before it and not
// yet recorded (a stroke still going): undo after the command gives that back.
TEST(DocumentUndo, EachCommandKeepsTheDrawingBeforeItAsAStepOfItsOwn) {
    struct Case {
        const char* name;
        std::function<void(Editor&, const std::string& file)> command;
    };
    const Case cases[] = {
        {"開く", [](Editor& e, const std::string& file) { e.Open(file); }},
        {"新規作成", [](Editor& e, const std::string&) { e.commands.NewFile(); }},
        {"ファイル名で開く", [](Editor& e, const std::string& file) { e.commands.OpenByName(file); }},
        {"左へずらす", [](Editor& e, const std::string&) { e.commands.ShiftDots(-1, 0); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Editor e;
        const std::string file = e.MakeFile("a.lee", 5, 'A', "01");
        DrawStep(e.t.doc, {1, 1});
        PaintDot(e.t.doc, {200, 20}, kRed);  // a stroke not yet ended
        e.t.prompter.answers = {true};
        c.command(e, file);
        ASSERT_TRUE(e.commands.Undo());
        EXPECT_EQ(e.t.doc.DotColor(200, 20), kLedRed) << "the unended stroke is its own step";
        EXPECT_EQ(e.t.doc.DotColor(1, 1), kLedRed);
        ASSERT_TRUE(e.commands.Undo());
        EXPECT_EQ(e.t.doc.DotColor(200, 20), kOff);
        EXPECT_EQ(e.t.doc.DotColor(1, 1), kLedRed);
    }
}

// A read that fails leaves the picture on screen as it was: it is as unsaved
// as before, and closing still asks before it is lost.
TEST(DocumentUndo, AFailedOpenLeavesAnUnsavedPictureUnsaved) {
    Editor e;
    DrawStep(e.t.doc, {3, 3});
    const std::string broken = e.dir.Path("broken.lee");
    test::WriteFileBytes(broken, "nonsense\r\n");
    e.t.prompter.answers = {true};
    EXPECT_FALSE(e.Open(broken));
    EXPECT_EQ(e.t.doc.DotColor(3, 3), kLedRed);
    EXPECT_TRUE(e.t.doc.Modified());
    e.t.prompter.answers = {false};
    EXPECT_FALSE(e.commands.Close(e.dir.Path("Drive.INI"), "C"));
}

// Steps nest: each takes a step where it begins and where it ends.
TEST(DocumentUndo, NestedStepsEachRecordTheirOwnChange) {
    test::DocUnderTest t;
    {
        const DocumentStep outer(t.doc);
        PaintDot(t.doc, {0, 0}, kRed);
        {
            const DocumentStep inner(t.doc);
            PaintDot(t.doc, {1, 0}, kRed);
        }
        PaintDot(t.doc, {2, 0}, kRed);
    }
    EXPECT_EQ(t.doc.History().StepCount(), 3u);
    ASSERT_TRUE(t.doc.Undo());
    EXPECT_EQ(t.doc.DotColor(2, 0), kOff);
    EXPECT_EQ(t.doc.DotColor(1, 0), kLedRed);
    ASSERT_TRUE(t.doc.Undo());
    EXPECT_EQ(t.doc.DotColor(1, 0), kOff);
    EXPECT_EQ(t.doc.DotColor(0, 0), kLedRed);
}

// What a file holds is its dots, every setting written beside them and the
// name: a change of any one of them is unsaved.
TEST(DocumentHistorySaved, EverySettingCounts) {
    DocumentState saved;
    saved.settings = {'A', ' ', 'A', "000", "01", 0};
    saved.fileName = "a.lee";
    const std::function<void(DocumentState&)> changes[] = {
        [](DocumentState& s) { s.settings.displayMode = 'B'; },
        [](DocumentState& s) { s.settings.sounyuuMoji = 'a'; },
        [](DocumentState& s) { s.settings.sounyuuIti = 'B'; },
        [](DocumentState& s) { s.settings.niniIti = "001"; },
        [](DocumentState& s) { s.settings.writeNo = "02"; },
        [](DocumentState& s) { s.settings.reverseColor = 1; },
        [](DocumentState& s) { s.dots.Set(479, 79, kLedGreen); },
        [](DocumentState& s) { s.fileName = "b.lee"; },
    };
    int i = 0;
    for (const auto& change : changes) {
        SCOPED_TRACE(i++);
        DocumentHistory history;
        history.Reset(saved, true);
        DocumentState changed = saved;
        change(changed);
        EXPECT_FALSE(history.Holds(changed));
        history.Record(changed);
        EXPECT_FALSE(history.AtSavedState());
        history.Undo();
        EXPECT_TRUE(history.AtSavedState());
    }
}

TEST(DocumentHistoryBounds, TrimmedStepsAndReplacedBranchesAreNeverSaved) {
    DocumentHistory history(3);
    DocumentState s;
    s.fileName = "a.lee";
    history.Reset(s, true);
    for (int i = 0; i < 5; ++i) {
        s.dots.Set(i, 0, kLedRed);
        history.Record(s);
    }
    EXPECT_EQ(history.StepCount(), 3u);
    while (history.Undo()) {
    }
    EXPECT_FALSE(history.AtSavedState()) << "the saved start was trimmed away";
    EXPECT_EQ(history.Current().dots.Get(1, 0), kLedRed);
    EXPECT_EQ(history.Current().dots.Get(2, 0), kOff);

    history.Redo();
    history.Hold(history.Current(), history.Current().fileName);
    history.Record(history.Current());
    EXPECT_TRUE(history.AtSavedState());
    history.Undo();
    EXPECT_FALSE(history.AtSavedState());
    history.Redo();
    EXPECT_TRUE(history.AtSavedState());
    history.Undo();
    // The saved picture drawn again by hand is what the file holds, whichever
    // way it was reached.
    DocumentState again = history.Current();
    again.dots.Set(2, 0, kLedRed);
    history.Record(again);
    EXPECT_FALSE(history.CanRedo());
    EXPECT_TRUE(history.AtSavedState());
    // Saved under a new name: no step, and undo goes back under the old name.
    again.fileName = "b.lee";
    history.Hold(again, again.fileName);
    history.Record(again);
    EXPECT_EQ(history.StepCount(), 1u);
    EXPECT_TRUE(history.AtSavedState());
    history.Undo();
    EXPECT_EQ(history.Current().fileName, "a.lee");
    history.Redo();
    EXPECT_EQ(history.Current().fileName, "b.lee");
    history.Record(history.Current());  // no change, no step
    EXPECT_EQ(history.StepCount(), 1u);
}

TEST(DocumentHistoryTyping, KeysTypedIntoOneBoxAreOneStep) {
    DocumentHistory history;
    DocumentState s;
    s.settings.writeNo = "1";
    history.Reset(s, true);
    for (const char* text : {"", "2", "25"}) {
        s.settings.writeNo = text;
        history.Record(s, "WriteNo");
    }
    EXPECT_EQ(history.StepCount(), 1u);
    s.settings.niniIti = "7";
    history.Record(s, "NiniIti");  // another box: a step of its own
    s.dots.Set(1, 1, kLedRed);
    history.Record(s, "NiniIti");  // dots changed: never joined
    s.settings.niniIti = "70";
    history.Record(s, "NiniIti");  // after a drawing: a new step
    EXPECT_EQ(history.StepCount(), 4u);
    history.Undo();
    history.Undo();
    history.Undo();
    EXPECT_EQ(history.Current().settings.writeNo, "25");
    history.Undo();
    EXPECT_EQ(history.Current().settings.writeNo, "1");
    EXPECT_TRUE(history.AtSavedState());

    // Typed back to what it was: nothing left to undo.
    DocumentHistory back;
    DocumentState t;
    back.Reset(t, true);
    t.settings.writeNo = "3";
    back.Record(t, "WriteNo");
    t.settings.writeNo = "";
    back.Record(t, "WriteNo");
    EXPECT_FALSE(back.CanUndo());
}

}  // namespace
}  // namespace tesslor

namespace tesslor {
namespace {

// Perform.txt's lines: each name in Shift-JIS, blanks to 30 bytes, CR LF.
std::string PerformBytes(const std::vector<std::string>& names) {
    std::string bytes;
    for (const std::string& name : names) {
        const std::string sjis = ToShiftJis(name).value_or("");
        bytes += sjis + std::string(30 - sjis.size(), ' ') + "\r\n";
    }
    return bytes;
}

// カードに追加 from the main window: saved into the card's root under the
// proposed name, the write number freed after asking, listed in Perform.txt.
TEST(AddToCard, SavesOntoTheCardAndListsThePictureInOneCommand) {
    Editor e;
    DrawStep(e.t.doc, {2, 2});
    e.chooser.script.push_back(e.dir.Path("絵01.lee"));
    ASSERT_TRUE(e.commands.AddToCard()) << testing::PrintToString(e.t.prompter.shown);
    EXPECT_EQ(e.chooser.requests.back().fileName, e.dir.Path("絵01.lee")) << "a new picture is 絵01.lee";
    EXPECT_EQ(e.chooser.requests.back().initialDir, e.dir.Dir().string());
    EXPECT_EQ(e.t.doc.FileName, e.dir.Path("絵01.lee"));
    EXPECT_FALSE(e.t.doc.Modified());
    EXPECT_EQ(e.t.prompter.shown.back(), "絵01.lee をカードに追加しました（Perform.txt に載せました）");
    EXPECT_EQ(test::ReadFileBytes(e.dir.Path("Perform.txt")), PerformBytes({"絵01.lee"}));

    // A picture from text, whose number 絵01.lee already uses: the free one is offered.
    e.commands.NewFile();
    DrawStep(e.t.doc, {5, 5});
    e.chooser.script.push_back(e.dir.Path("気温 25℃.lee"));
    e.t.prompter.answers = {true};
    ASSERT_TRUE(e.commands.AddToCard("気温 25℃")) << testing::PrintToString(e.t.prompter.shown);
    EXPECT_EQ(e.chooser.requests.back().fileName, e.dir.Path("気温 25℃.lee"));
    EXPECT_NE(std::find(e.t.prompter.shown.begin(), e.t.prompter.shown.end(),
                        "書き込みNo 01 は 絵01.lee が使っています。空いている 02 にしますか？"),
              e.t.prompter.shown.end());
    EXPECT_EQ(e.t.doc.WriteNoText(), "02");
    EXPECT_EQ(e.bar.state.WriteNoText, "02") << "the bar shows the number taken";
    EXPECT_EQ(test::ReadFileBytes(e.dir.Path("Perform.txt")), PerformBytes({"絵01.lee", "気温 25℃.lee"}));
    // One undo step: the number and the name come back.
    ASSERT_TRUE(e.commands.Undo());
    EXPECT_EQ(LeadingInt(e.t.doc.WriteNoText()), 1);
    EXPECT_EQ(e.t.doc.FileName, "");

    // Saved anywhere but the card's root: nothing is listed.
    std::filesystem::create_directory(e.dir.Path("sub"));
    const std::string perform = test::ReadFileBytes(e.dir.Path("Perform.txt"));
    e.chooser.script.push_back(e.dir.Path("sub/x.lee"));
    EXPECT_FALSE(e.commands.AddToCard());
    EXPECT_FALSE(std::filesystem::exists(e.dir.Path("sub/x.lee")));
    EXPECT_EQ(test::ReadFileBytes(e.dir.Path("Perform.txt")), perform);
}

TEST(AddToCard, ProposedNamesComeFromTheFileTheTextOrTheFirstFreePictureNumber) {
    CardScan card;
    card.files = {CardFile{"絵01.lee"}, CardFile{"KION.LEE"}};
    card.Index();
    EXPECT_EQ(ProposedCardName(card, "/work/frame.led", "text", ".lee"), "frame.lee");
    EXPECT_EQ(ProposedCardName(card, "", "気温 25℃", ".lee"), "気温 25℃.lee");
    EXPECT_EQ(ProposedCardName(card, "", " a/b:c* ", ".lee"), "abc.lee") << "what no file name may hold goes";
    EXPECT_EQ(ProposedCardName(card, "", "kion", ".lee"), "絵02.lee") << "the card has it (another case)";
    EXPECT_EQ(ProposedCardName(card, "", "", ".lee"), "絵02.lee");
    const std::string made = ProposedCardName(card, "", std::string(20, 'x') + "気温気温気温気温", ".lee");
    EXPECT_TRUE(NameFitsUnit(made)) << made;
    EXPECT_EQ(made, std::string(20, 'x') + "気温気.lee") << "cut to 30 bytes, never half a character";
}

}  // namespace
}  // namespace tesslor
