// The dot, the panel and the document: colours, geometry, bit orders,
// strokes, settings and when the document counts as modified.
#include <gtest/gtest.h>

#include "TestSupport.h"
#include "app/DocumentFiles.h"
#include "app/StartupConfig.h"
#include "files/UnitFile.h"
#include "led/Ledhyoujiki.h"
#include "platform/NullSurface.h"

namespace tesslor {
namespace {

using test::RecordingSurface;
using test::ScriptedPrompter;

TEST(LedColour, CodesAndValuesConvertExactly) {
    EXPECT_EQ(ColorValueOf(kLedRed), kRed);
    EXPECT_EQ(ColorValueOf(kLedGreen), kGreen);
    EXPECT_EQ(ColorValueOf(kLedYellow), kYellow);
    EXPECT_EQ(ColorValueOf(0), kBlack);
    EXPECT_EQ(ColorValueOf(7), kBlack);
    EXPECT_EQ(ColorCodeOf(kYellow), kLedYellow);
    EXPECT_EQ(ColorCodeOf(Rgb{254, 0, 0}), kOff);
    EXPECT_EQ(ColorCodeOf(kWhite), kOff);
    EXPECT_EQ(ColorCodeOf(kBlack), kOff);
}

TEST(LedDot, AddColourCombinesAndDisabledDotsNeverChange) {
    RecordingSurface s;
    LedClass on({10, 20}, 8, &s, true);
    on.AddColor(1);
    on.AddColor(2);
    EXPECT_EQ(on.Color, kLedYellow);
    EXPECT_EQ(s.calls.back(), "Ellipse 10,20,18,28 255/255/0");
    on.SetColorValue(Rgb{1, 2, 3});
    EXPECT_EQ(on.Color, kOff);
    EXPECT_EQ(s.calls.back(), "Ellipse 10,20,18,28 0/0/0");  // off dots are drawn black

    LedClass off({0, 0}, 8, &s, false);
    s.ClearCalls();
    off.AddColor(1);
    off.SetColorValue(kRed);
    off.Draw();
    EXPECT_EQ(off.Color, kOff);
    EXPECT_TRUE(s.calls.empty());
    off.Color = kLedGreen;  // Clear works whatever the state
    off.Clear();
    EXPECT_EQ(off.Color, kOff);
}

TEST(LedDot, ReversedDrawingSwapsLitAndDark) {
    RecordingSurface img;
    LedClass lit({0, 0}, 6, nullptr, true);
    lit.Color = kLedGreen;
    LedClass dark({0, 0}, 6, nullptr, true);
    lit.DrawReversedAt(img, kYellow, {6, 0});
    dark.DrawReversedAt(img, kYellow, {12, 0});
    ASSERT_EQ(img.CallsStartingWith("Ellipse").size(), 2u);
    EXPECT_EQ(img.CallsStartingWith("Ellipse")[0], "Ellipse 6,0,12,6 0/0/0");
    EXPECT_EQ(img.CallsStartingWith("Ellipse")[1], "Ellipse 12,0,18,6 255/255/0");
}

class PanelTest : public ::testing::Test {
protected:
    void SetUp() override {
        board.SetFrameInfo({0, 0, 5, 5});
        board.Build({21, 13}, 16 * 8 + 2, &surface, true);
        surface.ClearCalls();
    }
    RecordingSurface surface;
    LedBoardClass board;
};

TEST_F(PanelTest, GeometryAndStrokeHitTesting) {
    EXPECT_EQ(board.DotSize, 8);
    EXPECT_EQ(board.Led(0, 0).X, 22);
    EXPECT_EQ(board.Led(3, 2).X, 22 + 24);
    EXPECT_EQ(board.Led(3, 2).Y, 14 + 16);
    // A fraction of a dot outside still hits column/row 0 (truncation toward zero).
    EXPECT_TRUE(board.SetDotAt(16, 10, kRed));
    EXPECT_EQ(board.Led(0, 0).Color, kLedRed);
    // A whole dot left of the panel changes nothing.
    EXPECT_FALSE(board.SetDotAt(21 - 8, 20, kGreen));
    EXPECT_FALSE(board.SetDotAt(30, 13 - 8, kGreen));
    // Beyond the right or bottom edge: column/row 15.
    EXPECT_TRUE(board.SetDotAt(5000, 5000, kGreen));
    EXPECT_EQ(board.Led(15, 15).Color, kLedGreen);
}

TEST_F(PanelTest, WordBitOrders) {
    board.Led(0, 0).Color = kLedRed;
    EXPECT_EQ(board.RedColumn(0), 0x8000);
    EXPECT_EQ(board.RedRow(0), 0x8000);
    EXPECT_EQ(board.GreenColumn(0), 0);
    board.ClearAll();
    board.OrColumn(2, 0x8001, kLedRed);
    board.OrColumn(2, 0x0001, kLedGreen);
    EXPECT_EQ(board.Led(2, 0).Color, kLedRed);
    EXPECT_EQ(board.Led(2, 15).Color, kLedYellow);
    // Setting a column replaces what it held; the columns beside it stay.
    board.OrColumn(3, 0x0002, kLedRed);
    board.SetColumnWords(2, 0x0001, 0x8000);
    EXPECT_EQ(board.Led(2, 0).Color, kLedGreen);
    EXPECT_EQ(board.Led(2, 15).Color, kLedRed);
    EXPECT_EQ(board.RedColumn(2) | board.GreenColumn(2), 0x8001);
    EXPECT_EQ(board.Led(3, 14).Color, kLedRed);
    board.ClearAll();
    board.OrRowHalf(4, 0x81, 1);
    EXPECT_EQ(board.Led(8, 4).Color, kLedRed);
    EXPECT_EQ(board.Led(15, 4).Color, kLedRed);
    EXPECT_EQ(board.RedRow(4), 0x0081);
}

TEST_F(PanelTest, LastLitColumn) {
    int c = 99;
    EXPECT_FALSE(board.LastLitColumn(c));
    EXPECT_EQ(c, -1);
    board.Led(0, 7).Color = kLedGreen;
    EXPECT_TRUE(board.LastLitColumn(c));
    EXPECT_EQ(c, 0);
    board.Led(9, 0).Color = kLedRed;
    EXPECT_TRUE(board.LastLitColumn(c));
    EXPECT_EQ(c, 9);
}

TEST(PanelFrame, OutlineFollowsTheConfiguredDisplay) {
    // Yoko 5, Tate 2: the panel at (0, 1) is bottom-left of the display: left and
    // bottom edges outlined; the panel at (5, 0) lies right of the display: only its left edge.
    auto frameCalls = [](int gc, int gr) {
        RecordingSurface s;
        LedBoardClass b;
        b.SetFrameInfo({gc, gr, 5, 2});
        b.Build({100, 100}, 130, &s, true);
        return s.CallsStartingWith("LineTo");
    };
    auto corner = frameCalls(0, 1);
    ASSERT_EQ(corner.size(), 4u);
    EXPECT_EQ(corner[0], "LineTo 99,231 0/0/255 3");
    EXPECT_EQ(corner[1], "LineTo 231,231 0/0/255 3");
    EXPECT_EQ(corner[2], "LineTo 231,99 255/255/255 1");
    EXPECT_EQ(corner[3], "LineTo 99,99 255/255/255 1");
    auto beyond = frameCalls(5, 0);
    EXPECT_EQ(beyond[0], "LineTo 99,231 0/0/255 3");
    EXPECT_EQ(beyond[1], "LineTo 231,231 255/255/255 1");
    EXPECT_EQ(beyond[3], "LineTo 99,99 255/255/255 1");
}

class DocumentTest : public ::testing::Test {
protected:
    explicit DocumentTest(StartupConfig c = {}) : config(c) {}
    StartupConfig config;
    RecordingSurface surface;
    ScriptedPrompter prompter;
};

// Column labels never overlap: with one-pixel dots only every other one is drawn.
TEST_F(DocumentTest, ColumnLabelsFitTheirPanels) {
    LedHyoujikiClass doc(surface, DisplayShapeOf(config));
    for (const auto& [percent, labels] : {std::pair{100, 30}, std::pair{25, 30}, std::pair{13, 15}}) {
        doc.Relayout(surface, percent);
        surface.ClearCalls();
        doc.Paint();
        int columnLabels = 0;
        for (const std::string& call : surface.CallsStartingWith("Text "))
            if (call.find("," + std::to_string(doc.Board(0, 0).Y - 12) + " ") != std::string::npos) ++columnLabels;
        EXPECT_EQ(columnLabels, labels) << percent;
    }
}

TEST_F(DocumentTest, LayoutSizesTheSurfaceForEachMagnification) {
    LedHyoujikiClass doc(surface, DisplayShapeOf(config));
    EXPECT_EQ(surface.Width(), 131 * 30 + 23);
    EXPECT_EQ(surface.Height(), 131 * 5 + 27);
    const std::pair<int, int> dots[] = {{25, 2}, {50, 4}, {80, 6}, {125, 10}, {1000, 80}};
    for (auto [mag, dot] : dots) {
        doc.Relayout(surface, mag);
        const int pitch = 16 * dot + 3;
        EXPECT_EQ(doc.Pitch(), pitch) << mag;
        EXPECT_EQ(surface.Width(), pitch * 30 + 23) << mag;
        EXPECT_EQ(doc.Board(29, 4).X, 21 + 29 * pitch) << mag;
        EXPECT_EQ(doc.Board(29, 4).Led(15, 15).Size, dot) << mag;
    }
    doc.Relayout(surface, 1000);
    EXPECT_EQ(surface.Width(), 38513);
    EXPECT_EQ(surface.Height(), 6442);
    doc.Relayout(surface, 5);  // no zero-size dots, no division by zero
    doc.DrawDot(30, 30, kRed);
}

TEST_F(DocumentTest, StrokesHitDotsAndWhatTheyChangeIsUnsaved) {
    LedHyoujikiClass doc(surface, DisplayShapeOf(config));
    EXPECT_FALSE(doc.Modified());
    doc.DrawDot(19, 13, kRed);  // less than one dot left of column 0
    EXPECT_EQ(doc.DotColor(0, 0), kLedRed);
    doc.ClearAll();
    doc.DrawDot(5, 5, kRed);  // far outside every panel
    EXPECT_FALSE(doc.Modified()) << "the picture is the one the document started with";
    EXPECT_EQ(doc.LastUsedColumn(), -1);
    doc.DrawDot(100000, 14, kGreen);  // right of the last panel: dot column 479
    EXPECT_EQ(doc.DotColor(479, 0), kLedGreen);
    EXPECT_EQ(doc.LastUsedColumn(), 29);
    // Pixel of dot (17, 3) at magnification 100: panel 1, column 1.
    doc.DrawDot(21 + 131 + 1 + 8 + 3, 13 + 1 + 24 + 3, kYellow);
    EXPECT_EQ(doc.DotColor(17, 3), kLedYellow);
    doc.DrawDot(21 + 131 + 1 + 8 + 3, 13 + 1 + 24 + 3, kBlack);
    EXPECT_EQ(doc.DotColor(17, 3), kOff);
}

TEST_F(DocumentTest, LastUsedColumnIsThePanelColumn) {
    LedHyoujikiClass doc(surface, DisplayShapeOf(config));
    doc.Board(1, 3).Led(0, 5).Color = kLedRed;  // dot column 16
    EXPECT_EQ(doc.LastUsedColumn(), 1);
    EXPECT_EQ(doc.MaxColumns(), 480);
}

class TwoRowDocumentTest : public DocumentTest {
protected:
    TwoRowDocumentTest() : DocumentTest(StartupConfig{2, 2, 5, "customer"}) {}
};

TEST_F(TwoRowDocumentTest, DisabledRowsStayDarkAndArentPainted) {
    LedHyoujikiClass doc(surface, DisplayShapeOf(config));
    // Every dot lit where it can be: a disabled row's stay dark.
    for (int i = 0; i < LedHyoujikiClass::kPanelColumns; ++i)
        for (int j = 0; j < LedHyoujikiClass::kPanelRows; ++j)
            for (int c = 0; c < 16; ++c) doc.Board(i, j).SetColumnWords(c, 0xFFFF, 0xFFFF);
    doc.Board(0, 2).OrColumn(0, 0xFFFF, kLedRed);
    doc.DrawDot(30, 13 + 2 * 131 + 5, kRed);
    EXPECT_EQ(doc.DotColor(0, 32), kOff);
    EXPECT_EQ(doc.DotColor(2, 32), kOff);
    EXPECT_EQ(doc.DotColor(1, 32), kOff);
    surface.ClearCalls();
    doc.Paint();
    std::vector<std::string> rowLabels;
    for (const auto& c : surface.CallsStartingWith("Text 1,"))
        rowLabels.push_back(c.substr(0, c.find(' ', 5)));
    EXPECT_EQ(rowLabels, (std::vector<std::string>{"Text 1,13", "Text 1,144", "Text 1,275"}));
    // Two enabled rows of 30 panels: 60 backgrounds.
    EXPECT_EQ(surface.CallsStartingWith("Rectangle").size(), 60u);
    EXPECT_EQ(surface.CallsStartingWith("Ellipse").size(), 60u * 256u);
    EXPECT_EQ(surface.CallsStartingWith("Text 21,1 0 0/0/255 on").size(), 1u);
}

TEST_F(DocumentTest, PaintSkipsPanelsTheSurfaceDoesNotNeed) {
    class ClippedSurface : public RecordingSurface {
    public:
        bool NeedsDrawing(int x1, int y1, int x2, int y2) const override {
            return x1 < 200 && x2 > 0 && y1 < 100 && y2 > 0;
        }
    } clipped;
    LedHyoujikiClass doc(clipped, DisplayShapeOf(config));
    for (int c = 0; c < 16; ++c)
        for (int i : {0, 1, 2}) doc.Board(i, 0).SetColumnWords(c, 0xFFFF, 0);
    clipped.ClearCalls();
    doc.Paint();
    // Only panels (0,0) and (1,0) reach into the exposed 200 x 100 corner.
    EXPECT_EQ(clipped.CallsStartingWith("Rectangle").size(), 2u);
    EXPECT_LT(clipped.CallsStartingWith("Ellipse").size(), 2u * 256u);
    EXPECT_GT(clipped.CallsStartingWith("Ellipse").size(), 0u);
}

TEST_F(DocumentTest, SettingTablesAndModifiedRules) {
    LedHyoujikiClass doc(surface, DisplayShapeOf(config));
    EXPECT_EQ(doc.DisplayModeCount(), 10);
    EXPECT_EQ(doc.DisplayModeName(8), "上段スクロール 下段点滅１");
    EXPECT_EQ(doc.SounyuuMojiCount(), 5);
    EXPECT_EQ(doc.SounyuuItiCount(), 7);
    EXPECT_EQ(doc.SounyuuItiName(6), "下段任意");
    char code = 'x';
    EXPECT_FALSE(doc.DisplayModeCodeAt(10, code));
    EXPECT_EQ(code, static_cast<char>(0xFF));
    code = 'x';
    EXPECT_FALSE(doc.SounyuuItiCodeAt(7, code));
    EXPECT_EQ(code, 'x');
    EXPECT_TRUE(doc.SounyuuItiCodeAt(4, code));
    EXPECT_EQ(code, 'a');

    EXPECT_TRUE(doc.SetDisplayModeByIndex(0));  // already A
    EXPECT_FALSE(doc.Modified());
    EXPECT_FALSE(doc.SetDisplayMode('Z'));
    EXPECT_FALSE(doc.SetDisplayModeByIndex(-1));
    EXPECT_TRUE(doc.SetDisplayMode('S'));
    EXPECT_TRUE(doc.Modified());
    EXPECT_EQ(doc.DisplayModeIndex(), 4);

    doc.HeldIn(doc.FileName);
    EXPECT_TRUE(doc.SetSounyuuMojiByIndex(0));  // blank differs from nothing: already blank
    EXPECT_FALSE(doc.Modified());
    EXPECT_TRUE(doc.SetSounyuuItiByIndex(1));  // 'A' is the document's initial position
    EXPECT_FALSE(doc.Modified());
    EXPECT_TRUE(doc.SetSounyuuItiByIndex(0));
    EXPECT_TRUE(doc.Modified());
    EXPECT_EQ(doc.SounyuuItiCode(), ' ');
    EXPECT_FALSE(doc.SetSounyuuMojiByIndex(5));

    doc.HeldIn(doc.FileName);
    doc.SetReverseColorByIndex(3);
    EXPECT_FALSE(doc.Modified());
    doc.SetReverseColorByIndex(2);
    EXPECT_TRUE(doc.Modified());
    EXPECT_EQ(doc.ReverseColorIndex(), 2);
    EXPECT_EQ(doc.ReverseColorName(1), "緑");
}

TEST_F(DocumentTest, ArbitraryPositionAndWriteNumber) {
    LedHyoujikiClass doc(surface, DisplayShapeOf(config));
    EXPECT_FALSE(doc.SetNiniIti(480));
    EXPECT_FALSE(doc.SetNiniIti(-1));
    EXPECT_TRUE(doc.SetNiniIti(5));
    EXPECT_EQ(doc.NiniItiText(), "005");
    EXPECT_TRUE(doc.Modified());  // "0" became "005"
    doc.HeldIn(doc.FileName);
    EXPECT_TRUE(doc.SetNiniItiText("  +5xyz"));
    EXPECT_FALSE(doc.Modified());
    int n = -7;
    EXPECT_FALSE(LedHyoujikiClass::ParseNiniIti("99999999999999", n));
    EXPECT_EQ(n, 0);
    EXPECT_TRUE(LedHyoujikiClass::ParseNiniIti("", n));
    EXPECT_EQ(n, 0);
    EXPECT_TRUE(doc.SetNiniItiText("479"));
    EXPECT_EQ(doc.NiniItiText(), "479");

    // The write number of the start-up is part of the start; a number set
    // back to what the file holds leaves nothing unsaved.
    doc.SetWriteNoText("1");
    doc.StartHistory();
    EXPECT_FALSE(doc.Modified());
    doc.SetWriteNoText("1");
    EXPECT_FALSE(doc.Modified());
    doc.SetWriteNo(1);
    EXPECT_EQ(doc.WriteNoText(), "01");
    EXPECT_TRUE(doc.Modified());
    doc.SetWriteNoText("1");
    EXPECT_FALSE(doc.Modified());
}

TEST(WriteNumberRanges, DependOnCustomerMode) {
    RecordingSurface s;
    ScriptedPrompter p;
    auto check = [&](const char* mode, const char* text) {
        int n;
        return CheckWriteNo(text, mode, n);
    };
    for (const char* mode : {"root", "customer51_60", "customer"}) EXPECT_FALSE(check(mode, "0")) << mode;
    EXPECT_TRUE(check("root", "60"));
    EXPECT_TRUE(check("customer51_60", "60"));
    EXPECT_FALSE(check("customer", "60"));
    EXPECT_TRUE(check("root", "99"));
    EXPECT_FALSE(check("root", "100"));
    EXPECT_FALSE(check("customer51_60", "11"));
    EXPECT_FALSE(check("customer51_60", "50"));
    EXPECT_TRUE(check("customer", "10"));
    EXPECT_FALSE(check("customer", "12abc"));
    EXPECT_TRUE(check("root", "12abc"));
    EXPECT_TRUE(check("customer", "5x"));
}

TEST_F(DocumentTest, DiscardQuestionGuardsNewData) {
    LedHyoujikiClass doc(surface, DisplayShapeOf(config));
    DocumentFiles files(doc, prompter);
    doc.FileName = "a.lee";
    doc.DrawDot(30, 30, kRed);
    prompter.answers = {false};
    files.NewData();
    EXPECT_EQ(doc.FileName, "a.lee");
    EXPECT_NE(doc.LastUsedColumn(), -1);
    EXPECT_TRUE(doc.Modified());
    ASSERT_EQ(prompter.shown.size(), 1u);
    EXPECT_EQ(prompter.shown[0], "作成したデータが失われてもいいですか？");
    doc.SetDisplayMode('C');
    prompter.answers = {true};
    files.NewData();
    EXPECT_EQ(doc.FileName, "");
    EXPECT_EQ(doc.LastUsedColumn(), -1);
    EXPECT_FALSE(doc.Modified());
    EXPECT_EQ(doc.DisplayModeCode(), 'C');  // settings stay
    files.NewData();  // nothing unsaved: no question
    EXPECT_EQ(prompter.shown.size(), 2u);
}

TEST(UnitFileNames, ThirtyShiftJisBytes) {
    EXPECT_TRUE(FileNameFitsUnit("/some/long/folder/name/" + std::string(26, 'a') + ".lee"));
    EXPECT_FALSE(FileNameFitsUnit("C:\\" + std::string(27, 'a') + ".lee"));
    // "あ" is two bytes: 13 of them and ".lee" make 30.
    std::string a13;
    for (int i = 0; i < 13; ++i) a13 += "あ";
    EXPECT_TRUE(FileNameFitsUnit("E:" + a13 + ".lee"));
    EXPECT_FALSE(FileNameFitsUnit("E:" + a13 + "x.lee"));
    EXPECT_FALSE(FileNameFitsUnit("\xF0\x9F\x98\x80.lee"));  // no Shift-JIS form
}

}  // namespace
}  // namespace tesslor
