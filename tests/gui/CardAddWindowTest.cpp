// カードに追加 from the windows that make something for the card: the text
// editor's picture and a settings file go onto the card's root and into its
// Perform.txt in one step.
#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QTest>

#include "GuiHarness.h"
#include "card/CardAdd.h"
#include "makers/MongonTable.h"
#include "makers/Hyoujischeduleunit.h"
#include "makers/Mongonhensyuu.h"
#include "settings/Co2sakugenseteiunit.h"
#include "settings/Setei2unit.h"
#include "text/ShiftJis.h"

namespace tesslor::test {
namespace {

struct CardDesk {
    CardDesk() : e(("[User]\nUser=root\n[DriveRoots]\nC=" + card.Dir().string() + "\n").c_str()) {}
    std::string Perform() { return ReadFileBytes(card.Path("Perform.txt")); }
    TempDir card;
    Editor e;
};

std::string PerformLine(const std::string& name) {
    const std::string sjis = ToShiftJis(name).value_or("");
    return sjis + std::string(30 - sjis.size(), ' ') + "\r\n";
}

TEST(CardAddWindows, TheTextEditorsPictureGoesOntoTheCardNamedAfterItsText) {
    CardDesk d;
    MongonTable table;
    table.Rows[0].X = 0;
    table.Rows[0].Y = 0;
    table.Rows[0].Text = "気温";
    table.Rows[0].Font = WindowMongonFont();
    const std::string mon = d.e.dir.Path("kion.mon");
    ASSERT_TRUE(WriteMongonFile(d.e.files, d.e.prompter, mon, table));
    auto& w = d.e.windows->MongonHensyuuForm();
    d.e.chooser.script.push_back(mon);
    QTest::mouseClick(w.FileReadButton, Qt::LeftButton);

    d.e.chooser.script.push_back(d.card.Path("気温.lee"));
    QTest::mouseClick(w.CardAddButton, Qt::LeftButton);
    ASSERT_FALSE(d.e.chooser.requests.empty());
    EXPECT_EQ(d.e.chooser.requests.back().fileName, d.card.Path("気温.lee")) << "named after the text drawn";
    EXPECT_EQ(d.e.Doc().FileName, d.card.Path("気温.lee"));
    EXPECT_FALSE(d.e.Doc().Modified());
    EXPECT_EQ(d.Perform(), PerformLine("気温.lee"));
    // No box to click away, not even "Led表示データ作成完了": the main
    // window's status line says where the picture went, until it changes.
    EXPECT_TRUE(d.e.prompter.shown.empty()) << testing::PrintToString(d.e.prompter.shown);
    EXPECT_EQ(d.e.Main().CardStatusLabel->text().toStdString(), CardAddedMessage("気温.lee"));
    const QPoint dot = d.e.DotPixel(400, 70);
    d.e.Press(Qt::LeftButton, Qt::NoButton, dot);
    QMouseEvent up(QEvent::MouseButtonRelease, dot, d.e.Main().PaintBox1->mapToGlobal(dot), Qt::LeftButton,
                   Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(d.e.Main().PaintBox1, &up);
    EXPECT_TRUE(d.e.Main().CardStatusLabel->text().isEmpty());

    // A cancelled name: the drawing's own box is said after all.
    d.e.Doc().HeldIn(d.e.Doc().FileName);
    Editor::TypeInto(w.MojiEdit(0), QStringLiteral("湿度"));
    d.e.chooser.script.push_back(std::nullopt);
    QTest::mouseClick(w.CardAddButton, Qt::LeftButton);
    EXPECT_EQ(d.e.prompter.shown, std::vector<std::string>{"Led表示データ作成完了"});
}

TEST(CardAddWindows, ASettingsFileIsWrittenAndListed) {
    CardDesk d;
    auto& w = d.e.windows->Setei2Form();
    QTest::mouseClick(w.HyoujyunSeteiButton, Qt::LeftButton);
    w.show();
    d.e.prompter.shown.clear();
    d.e.chooser.script.push_back(d.card.Path("setei.txt"));
    QTest::mouseClick(w.CardAddButton, Qt::LeftButton);
    EXPECT_EQ(d.Perform(), PerformLine("setei.txt"));
    // Its work done, the window closes; no box to click away: the main
    // window's status line says the write and the card's outcome at once.
    EXPECT_FALSE(w.isVisible());
    EXPECT_TRUE(d.e.prompter.shown.empty()) << testing::PrintToString(d.e.prompter.shown);
    EXPECT_EQ(d.e.Main().CardStatusLabel->text().toStdString(), CardAddedMessage("setei.txt") + "　書込み完了");
    w.show();
    // A name the unit cannot read is written (as 書込み would) but not added:
    // each box as it came, the card as it was.
    d.e.prompter.shown.clear();
    const std::string longName = std::string(27, 'a') + ".txt";
    d.e.chooser.script.push_back(d.card.Path(longName));
    QTest::mouseClick(w.CardAddButton, Qt::LeftButton);
    ASSERT_EQ(d.e.prompter.shown.size(), 2u) << testing::PrintToString(d.e.prompter.shown);
    EXPECT_EQ(d.e.prompter.shown[0], "書込み完了");
    EXPECT_NE(d.e.prompter.shown[1].find(longName), std::string::npos);
    EXPECT_EQ(d.Perform(), PerformLine("setei.txt"));
    EXPECT_TRUE(w.isVisible()) << "a refused add leaves the window open";
    w.hide();
    // Written elsewhere, it is copied onto the card: the card's copy is the same file.
    d.e.chooser.script.push_back(d.e.dir.Path("setei.txt"));
    QTest::mouseClick(w.CardAddButton, Qt::LeftButton);
    EXPECT_EQ(ReadFileBytes(d.card.Path("setei.txt")), ReadFileBytes(d.e.dir.Path("setei.txt")));
    EXPECT_EQ(d.Perform(), PerformLine("setei.txt")) << "listed once";
}

TEST(CardAddWindows, TheCo2FileIsWrittenListedAndTheWindowCloses) {
    CardDesk d;
    auto& w = d.e.windows->CO2SakugenSeteiForm();
    w.show();
    w.findChild<QLineEdit*>(QStringLiteral("Edit1"))->setText(QStringLiteral("12"));
    w.findChild<QLineEdit*>(QStringLiteral("Edit2"))->setText(QStringLiteral("3"));
    d.e.chooser.script.push_back(d.card.Path("co2.co2"));
    QTest::mouseClick(w.CardAddButton, Qt::LeftButton);
    EXPECT_EQ(d.Perform(), PerformLine("co2.co2")) << testing::PrintToString(d.e.prompter.shown);
    EXPECT_TRUE(d.e.prompter.shown.empty()) << testing::PrintToString(d.e.prompter.shown);
    EXPECT_EQ(d.e.Main().CardStatusLabel->text().toStdString(), CardAddedMessage("co2.co2") + "　書込み完了");
    EXPECT_FALSE(w.isVisible());
}

TEST(CardAddWindows, TheScheduleGoesOntoTheCardFromADialogStartedThere) {
    // 書込み's dialog starts where 開く left off (the program's folder at
    // first); カードに追加 saves onto the card, so its dialog starts there.
    CardDesk d;
    auto& w = d.e.windows->HyoujiScheduleForm();
    w.show();
    Editor::TypeInto(w.Edit(1), QStringLiteral("5"));
    d.e.chooser.script.push_back(d.card.Path("sched.txt"));
    QTest::mouseClick(w.CardAddButton, Qt::LeftButton);
    ASSERT_FALSE(d.e.chooser.requests.empty());
    EXPECT_EQ(d.e.chooser.requests.back().initialDir, d.card.Dir().string());
    EXPECT_EQ(d.Perform(), PerformLine("sched.txt"));
    EXPECT_FALSE(w.isVisible());
}

}  // namespace
}  // namespace tesslor::test
