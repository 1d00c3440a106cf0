// The animation maker's window through its buttons and scripted dialogs, the
// animation demo's frames and timing, and the two menu items that open them.
#include <gtest/gtest.h>

#include <QAction>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>
#include <filesystem>

#include "GuiHarness.h"
#include "UnsavedDocument.h"
#include "app/Animademoformunit.h"
#include "makers/Makeanimationunit.h"

namespace tesslor::test {
namespace {

namespace fs = std::filesystem;

const char* const kDiscard = "作成したデータが失われてもいいですか？";

std::vector<std::string> Items(const QListWidget* box) {
    std::vector<std::string> items;
    for (int i = 0; i < box->count(); ++i) items.push_back(box->item(i)->text().toStdString());
    return items;
}

class AnimationWindows : public ::testing::Test {
protected:
    AnimationWindows()
        : e(("[User]\nUser=root\n[Led]\nYokoMaisuu=3\nTateMaisuu=2\n[DriveRoots]\nC=" + card.Dir().string() + "\n")
                .c_str()),
          maker(e.windows->MakeAnimationForm()),
          demo(e.windows->AnimaDemoForm()) {}
    ~AnimationWindows() override {
        maker.List().Modified = false;
        maker.hide();
    }

    void Draw(int x, int y) { e.Press(Qt::LeftButton, Qt::NoButton, e.DotPixel(x, y)); }
    /// A picture file in folder whose first `dots` dots of the top row are lit.
    std::string Picture(const TempDir& folder, const std::string& name, int dots) {
        e.Doc().HeldIn(e.Doc().FileName);
        e.Main().NewFileOpenClick();
        for (int x = 0; x < dots; ++x) Draw(x, 0);
        const std::string path = folder.Path(name);
        e.chooser.script = {path};
        e.Main().FileWriteNameClick();
        e.chooser.requests.clear();
        e.prompter.shown.clear();
        EXPECT_TRUE(fs::exists(path)) << path;
        return path;
    }
    /// A list file naming the pictures in order.
    std::string ListFile(const std::string& name, const std::vector<std::string>& entries) {
        std::string text = "ANIMATION_QUALITY_SUPER\r\n05\r\n25\r\n";
        for (const std::string& entry : entries) text += entry + "\r\n";
        const std::string path = card.Path(name);
        WriteFileBytes(path, text);
        return path;
    }
    /// The maker shown as the menu item shows it, but without waiting for it.
    void OpenMaker() {
        maker.show();
        QApplication::processEvents();
    }
    void Click(QPushButton* button, std::deque<std::optional<std::string>> dialogs) {
        e.chooser.script = std::move(dialogs);
        button->click();
        EXPECT_TRUE(e.chooser.script.empty()) << button->objectName().toStdString();
    }
    /// The frame a picture gives in the demo, rendered apart from the editor.
    QImage ExpectedFrame(const std::string& path) {
        RecordingSurface layout;
        LedHyoujikiClass doc(layout, DisplayShapeOf(e.Main().Config()));
        DocumentFiles files(doc, e.prompter, RealFileSystem(), e.Main().Config().CustomerMode);
        EXPECT_TRUE(files.OpenFile(path));
        doc.Relayout(layout, 80);
        MemoryImage image;
        doc.RenderNormal(image);
        return gui::PixmapOf(image).toImage();
    }
    QImage Frame(int i) { return demo.FrameImage(i)->pixmap().toImage(); }
    /// Runs 動画のデモ; while it plays, during(…) runs once and then the demo is closed.
    void RunDemo(const std::optional<std::string>& list, const std::function<void()>& during = [] {}) {
        e.chooser.script = {list};
        RunDemoFrom([this] { e.Main().AnimeDemonstration->trigger(); }, during);
    }
    /// The same, with the demo started by start.
    void RunDemoFrom(const std::function<void()>& start, const std::function<void()>& during = [] {}) {
        bool ran = false;
        // The pictures are loaded with events processed in between: wait for the window itself.
        QTimer poll;
        QObject::connect(&poll, &QTimer::timeout, &demo, [&] {
            if (!demo.isVisible() || ran) return;
            ran = true;
            poll.stop();
            during();
            demo.reject();
        });
        poll.start(5);
        start();
        poll.stop();
        demoShown = ran;
        QApplication::processEvents();
    }

    TempDir card;
    Editor e;
    gui::TMakeAnimationForm& maker;
    gui::TAnimaDemoForm& demo;
    bool demoShown = false;
};

// ---- the maker ----

TEST_F(AnimationWindows, MakerOpensModallyFromTheMenuWithItsControls) {
    maker.List().Entries = {"OLD.lee"};
    maker.List().CurrentFile = card.Path("old.alt");
    maker.List().WriteNoText = "3";
    maker.List().Type = kAnimationNormal;
    maker.ShowList();
    bool checked = false;
    QTimer::singleShot(0, &maker, [&] {
        checked = true;
        EXPECT_TRUE(maker.isVisible());
        EXPECT_TRUE(maker.isModal());
        EXPECT_EQ(maker.objectName(), QStringLiteral("MakeAnimationForm"));
        EXPECT_EQ(maker.windowTitle(), QStringLiteral("MakeAnimation"));
        // Every opening starts an empty list; the settings keep their values.
        EXPECT_EQ(maker.ListBox->count(), 0);
        EXPECT_TRUE(maker.List().CurrentFile.empty());
        EXPECT_EQ(maker.AnimationTypeRadioGroup->ItemIndex(), kAnimationNormal);
        EXPECT_EQ(maker.WriteNoMaskEdit->text(), QStringLiteral("3"));
        EXPECT_FALSE(maker.List().Modified);
        maker.reject();  // nothing unsaved: no question
    });
    e.Main().DougaFaileSakusei->trigger();
    EXPECT_TRUE(checked);
    EXPECT_FALSE(maker.isVisible());
    EXPECT_TRUE(e.prompter.shown.empty());

    const std::vector<std::pair<const char*, const char*>> texts = {
        {"OpenButton", "開く"},     {"AddButton", "追加"},
        {"InsertButton", "挿入"},   {"DelButton", "削除"},
        {"SaveButton", "名前を付けて保存"}, {"OverSaveButton", "上書き保存"}};
    for (const auto& [name, text] : texts) {
        auto* b = maker.findChild<QPushButton*>(QString::fromLatin1(name));
        ASSERT_NE(b, nullptr) << name;
        EXPECT_EQ(b->text(), QString::fromUtf8(text));
    }
    QStringList labels;
    for (QLabel* l : maker.findChildren<QLabel*>()) labels << l->text();
    for (const char* text : {"書き込みNo", "１枚の表示時間(単位10msec)", "入力値のチェックを行っていませんので", "注意願います"})
        EXPECT_TRUE(labels.contains(QString::fromUtf8(text))) << text;
    ASSERT_EQ(maker.AnimationTypeRadioGroup->Count(), 2);
    EXPECT_EQ(maker.AnimationTypeRadioGroup->Button(0)->text(), QStringLiteral("スーパー"));
    EXPECT_EQ(maker.AnimationTypeRadioGroup->Button(1)->text(), QStringLiteral("ノーマル"));
    EXPECT_EQ(maker.WriteNoMaskEdit->toolTip(), QStringLiteral("入力値のチェックを行っていませんのでご注意願います。"));
    EXPECT_EQ(maker.WriteNoMaskEdit->maxLength(), 2);
    EXPECT_EQ(maker.P_TimeMaskEdit->maxLength(), 4);
    // Only digits go in.
    maker.P_TimeMaskEdit->clear();
    QTest::keyClicks(maker.P_TimeMaskEdit, QStringLiteral("1a2b345"));
    EXPECT_EQ(maker.P_TimeMaskEdit->text(), QStringLiteral("1234"));
}

TEST(AnimationMaker, StartsAsAFreshWindow) {
    Editor e;
    auto& maker = e.windows->MakeAnimationForm();
    EXPECT_EQ(maker.P_TimeMaskEdit->text(), QStringLiteral("10"));
    EXPECT_EQ(maker.AnimationTypeRadioGroup->ItemIndex(), kAnimationSuper);
    EXPECT_EQ(maker.WriteNoMaskEdit->text(), QString());
    EXPECT_FALSE(maker.List().Modified);
}

TEST_F(AnimationWindows, AddInsertAndDeleteKeepToOneFolder) {
    const std::string a = Picture(card, "A.lee", 1);
    const std::string b = Picture(card, "B.lee", 2);
    const std::string c = Picture(card, "C.lee", 3);
    TempDir elsewhere;
    const std::string d = Picture(elsewhere, "D.lee", 4);
    OpenMaker();

    Click(maker.AddButton, {a});
    ASSERT_EQ(e.chooser.requests.size(), 1u);
    const FileDialogRequest& first = e.chooser.requests[0];
    EXPECT_EQ(first.kind, FileDialogKind::Open);
    ASSERT_EQ(first.filters.size(), 1u);
    EXPECT_EQ(first.filters[0].description, "LEDデータファイル");
    EXPECT_EQ(first.filters[0].pattern, "*.lee");
    EXPECT_EQ(first.initialDir, card.Dir().string());  // no picture yet: the drive's root
    EXPECT_TRUE(maker.List().Modified);
    Click(maker.AddButton, {b});
    // Once a picture fixed the folder, the dialogs start there.
    ASSERT_FALSE(maker.List().PictureFolder.empty());
    EXPECT_TRUE(fs::equivalent(maker.List().PictureFolder, card.Dir()));
    EXPECT_EQ(e.chooser.requests[1].initialDir, maker.List().PictureFolder);
    EXPECT_EQ(Items(maker.ListBox), (std::vector<std::string>{"A.lee", "B.lee"}));

    // 挿入 goes before the selected entry, and appends when none is selected.
    maker.ListBox->setCurrentRow(1);
    Click(maker.InsertButton, {c});
    EXPECT_EQ(Items(maker.ListBox), (std::vector<std::string>{"A.lee", "C.lee", "B.lee"}));
    EXPECT_EQ(maker.SelectedIndex(), 2);  // still B
    maker.ListBox->clearSelection();
    Click(maker.InsertButton, {c});
    EXPECT_EQ(Items(maker.ListBox), (std::vector<std::string>{"A.lee", "C.lee", "B.lee", "C.lee"}));

    // A picture of another folder is refused and changes nothing.
    Click(maker.AddButton, {d});
    EXPECT_EQ(e.prompter.shown, std::vector<std::string>{"同一のフォルダー内のファイルしか指定できません"});
    Click(maker.InsertButton, {d});
    EXPECT_EQ(Items(maker.ListBox), (std::vector<std::string>{"A.lee", "C.lee", "B.lee", "C.lee"}));
    // Cancel adds nothing.
    Click(maker.AddButton, {std::nullopt});
    EXPECT_EQ(maker.ListBox->count(), 4);

    // 削除 removes the selected entry, and nothing without a selection.
    maker.List().Modified = false;
    maker.ListBox->clearSelection();
    maker.DelButton->click();
    EXPECT_EQ(maker.ListBox->count(), 4);
    EXPECT_FALSE(maker.List().Modified);
    maker.ListBox->setCurrentRow(1);
    maker.DelButton->click();
    EXPECT_EQ(Items(maker.ListBox), (std::vector<std::string>{"A.lee", "B.lee", "C.lee"}));
    EXPECT_EQ(maker.List().Entries, Items(maker.ListBox));
    EXPECT_TRUE(maker.List().Modified);
}

TEST_F(AnimationWindows, OnePickAddsOrInsertsSeveralPicturesInTheOrderChosen) {
    const std::string a = Picture(card, "A.lee", 1);
    const std::string b = Picture(card, "B.lee", 2);
    const std::string c = Picture(card, "C.lee", 3);
    TempDir elsewhere;
    const std::string d = Picture(elsewhere, "D.lee", 4);
    OpenMaker();

    e.chooser.manyScript = {std::vector<std::string>{c, a}};
    maker.AddButton->click();
    ASSERT_EQ(e.chooser.requests.size(), 1u);
    EXPECT_TRUE(e.chooser.requests[0].multiple);
    EXPECT_EQ(Items(maker.ListBox), (std::vector<std::string>{"C.lee", "A.lee"}));

    // 挿入 puts the pick before the selected entry, in order; the selection stays on it.
    maker.ListBox->setCurrentRow(1);
    e.chooser.manyScript = {std::vector<std::string>{b, c}};
    maker.InsertButton->click();
    EXPECT_EQ(Items(maker.ListBox), (std::vector<std::string>{"C.lee", "B.lee", "C.lee", "A.lee"}));
    EXPECT_EQ(maker.SelectedIndex(), 3);

    // A picture of another folder ends the pick with one message; those before it stay.
    e.chooser.manyScript = {std::vector<std::string>{a, d, b}};
    maker.AddButton->click();
    EXPECT_EQ(e.prompter.shown, std::vector<std::string>{"同一のフォルダー内のファイルしか指定できません"});
    EXPECT_EQ(Items(maker.ListBox), (std::vector<std::string>{"C.lee", "B.lee", "C.lee", "A.lee", "A.lee"}));
    // The next pick starts in the list's folder again, with no name left over.
    e.chooser.requests.clear();
    e.chooser.manyScript = {std::nullopt};
    maker.AddButton->click();
    ASSERT_EQ(e.chooser.requests.size(), 1u);
    EXPECT_EQ(e.chooser.requests[0].initialDir, maker.List().PictureFolder);
    EXPECT_TRUE(e.chooser.requests[0].fileName.empty());
}

TEST_F(AnimationWindows, EditsOfTheSettingsAreUnsavedWorkAndClosingAsks) {
    OpenMaker();
    EXPECT_FALSE(maker.List().Modified);
    maker.AnimationTypeRadioGroup->Button(1)->click();
    EXPECT_TRUE(maker.List().Modified);
    EXPECT_EQ(maker.List().Type, kAnimationNormal);

    maker.List().Modified = false;
    QTest::keyClicks(maker.WriteNoMaskEdit, QStringLiteral("7"));
    EXPECT_TRUE(maker.List().Modified);
    maker.List().Modified = false;
    QTest::keyClicks(maker.P_TimeMaskEdit, QStringLiteral("5"));
    EXPECT_TRUE(maker.List().Modified);

    // No keeps the window and its contents; Yes closes it and releases the folder.
    const std::string a = Picture(card, "A.lee", 1);
    Click(maker.AddButton, {a});
    e.prompter.answers = {false};
    EXPECT_FALSE(maker.close());
    EXPECT_EQ(e.prompter.shown, std::vector<std::string>{kDiscard});
    EXPECT_TRUE(maker.isVisible());
    EXPECT_EQ(maker.ListBox->count(), 1);
    EXPECT_FALSE(maker.List().PictureFolder.empty());
    // Escape asks the same.
    e.prompter.answers = {false};
    QTest::keyClick(&maker, Qt::Key_Escape);
    EXPECT_TRUE(maker.isVisible());
    e.prompter.answers = {true};
    maker.reject();
    EXPECT_FALSE(maker.isVisible());
    EXPECT_EQ(e.prompter.shown.size(), 3u);
    EXPECT_TRUE(maker.List().PictureFolder.empty());
    // The settings typed stay for the next opening.
    OpenMaker();
    EXPECT_EQ(maker.P_TimeMaskEdit->text(), QStringLiteral("105"));
    EXPECT_EQ(maker.WriteNoMaskEdit->text(), QStringLiteral("7"));
    EXPECT_EQ(maker.ListBox->count(), 0);
}

TEST_F(AnimationWindows, SaveAsAndOverwriteSave) {
    const std::string a = Picture(card, "A.lee", 1);
    const std::string b = Picture(card, "B.lee", 2);
    OpenMaker();
    Click(maker.AddButton, {a});
    Click(maker.AddButton, {b});
    maker.AnimationTypeRadioGroup->Button(1)->click();
    Editor::TypeInto(maker.WriteNoMaskEdit, QStringLiteral("12"));
    Editor::TypeInto(maker.P_TimeMaskEdit, QStringLiteral("9999"));

    // 上書き保存 without a list loaded asks for a name, as 名前を付けて保存 does.
    e.chooser.requests.clear();
    Click(maker.OverSaveButton, {card.Path("anim")});
    ASSERT_EQ(e.chooser.requests.size(), 1u);
    const FileDialogRequest& r = e.chooser.requests[0];
    EXPECT_EQ(r.kind, FileDialogKind::Save);
    ASSERT_EQ(r.filters.size(), 2u);
    EXPECT_EQ(r.filters[0].description, "アニメーションファイルリスト");
    EXPECT_EQ(r.filters[0].pattern, "*.alt");
    EXPECT_EQ(r.filters[1].description, "files.txt");
    EXPECT_EQ(r.filters[1].pattern, "*.txt");
    EXPECT_EQ(r.initialDir, maker.List().PictureFolder);
    EXPECT_TRUE(e.prompter.shown.empty());
    EXPECT_EQ(ReadFileBytes(card.Path("anim.alt")), "ANIMATION_QUALITY_NORMAL\r\n12\r\n9999\r\nA.lee\r\nB.lee\r\n");
    const std::string ana = ReadFileBytes(card.Path("anim.ana"));
    EXPECT_NE(ana.find("$ANIMATION_DISPLAY_TIME=9999"), std::string::npos);
    EXPECT_NE(ana.find("$ANIMATION_PICTURES=02"), std::string::npos);
    EXPECT_NE(ana.find("$WRITE_TABLE_NO=12"), std::string::npos);
    EXPECT_FALSE(maker.List().Modified);
    EXPECT_TRUE(maker.List().CurrentFile.empty());  // a save does not make a current list
    // The save is told in the window's status line, with no box to click away.
    EXPECT_EQ(maker.StatusLabel->text().toStdString(), "保存完了　" + card.Path("anim.alt"));

    // A refused save keeps the work unsaved, and its check comes before any name is asked for.
    Editor::TypeInto(maker.WriteNoMaskEdit, QStringLiteral("21"));
    EXPECT_TRUE(maker.StatusLabel->text().isEmpty()) << "an edit ends what the status line said";
    const std::size_t before = e.chooser.requests.size();
    Click(maker.SaveButton, {});
    EXPECT_EQ(e.chooser.requests.size(), before);
    EXPECT_EQ(e.prompter.shown, std::vector<std::string>{"ノーマルアニメーションの書き込みＮｏは、１～２０です"});
    EXPECT_FALSE(fs::exists(card.Path("other.alt")));
    EXPECT_TRUE(maker.List().Modified);
    Editor::TypeInto(maker.WriteNoMaskEdit, QStringLiteral(""));
    Click(maker.SaveButton, {});
    EXPECT_EQ(e.chooser.requests.size(), before) << "an empty write number costs no file name";
    EXPECT_EQ(e.prompter.shown.back(), "書き込みＮｏを入力して下さい");
    EXPECT_TRUE(maker.StatusLabel->text().isEmpty());
    Editor::TypeInto(maker.WriteNoMaskEdit, QStringLiteral("12"));
    // A cancelled one as well.
    Click(maker.SaveButton, {std::nullopt});
    EXPECT_TRUE(maker.List().Modified);

    // After a list was opened, 上書き保存 writes there without a dialog.
    e.prompter.saveChoices = {SaveChoice::Discard};  // "保存しますか？": いいえ
    Click(maker.OpenButton, {card.Path("anim.alt")});
    EXPECT_EQ(maker.List().CurrentFile, card.Path("anim.alt"));
    Editor::TypeInto(maker.P_TimeMaskEdit, QStringLiteral("1"));
    const std::size_t dialogs = e.chooser.requests.size();
    maker.OverSaveButton->click();
    EXPECT_EQ(e.chooser.requests.size(), dialogs);
    EXPECT_EQ(ReadFileBytes(card.Path("anim.alt")), "ANIMATION_QUALITY_NORMAL\r\n12\r\n1\r\nA.lee\r\nB.lee\r\n");
    EXPECT_NE(ReadFileBytes(card.Path("anim.ana")).find("$ANIMATION_DISPLAY_TIME=0001"), std::string::npos);
    EXPECT_FALSE(maker.List().Modified);
}

TEST_F(AnimationWindows, CardAddSavesUnderTheNameGivenAndListsTheDataOnce) {
    // 名前を付けて保存 keeps no current list, so カードに追加 has to go by
    // the file the save wrote: it used to save and then add nothing.
    const std::string a = Picture(card, "A.lee", 1);
    const std::string b = Picture(card, "B.lee", 2);
    OpenMaker();
    e.chooser.manyScript = {std::vector<std::string>{a, b}};
    maker.AddButton->click();
    Editor::TypeInto(maker.WriteNoMaskEdit, QStringLiteral("3"));
    e.prompter.shown.clear();
    Click(maker.CardAddButton, {card.Path("anim")});
    EXPECT_EQ(e.chooser.requests.back().fileName, "動画01.alt") << "a name is proposed";
    EXPECT_TRUE(fs::exists(card.Path("anim.alt")));
    EXPECT_NE(ReadFileBytes(card.Path("anim.ana")).find("$ANIMATION_PICTURES=02"), std::string::npos);
    const std::string listed = "anim.ana" + std::string(22, ' ') + "\r\n";
    EXPECT_EQ(ReadFileBytes(card.Path("Perform.txt")), listed);
    // Said in the status line, with no box to click away.
    EXPECT_TRUE(e.prompter.shown.empty());
    EXPECT_EQ(maker.StatusLabel->text().toStdString(), "anim.ana をカードに追加しました（Perform.txt に載せました）");
    // Again, after a change: the same name is not listed twice.
    Editor::TypeInto(maker.P_TimeMaskEdit, QStringLiteral("20"));
    Click(maker.CardAddButton, {card.Path("anim")});
    EXPECT_NE(ReadFileBytes(card.Path("anim.ana")).find("$ANIMATION_DISPLAY_TIME=0020"), std::string::npos);
    EXPECT_EQ(ReadFileBytes(card.Path("Perform.txt")), listed);
    // A cancelled name adds nothing.
    e.prompter.shown.clear();
    Click(maker.CardAddButton, {std::nullopt});
    EXPECT_TRUE(e.prompter.shown.empty());
}

TEST_F(AnimationWindows, OpenAsksToSaveAndShowsTheListRead) {
    Picture(card, "A.lee", 1);
    Picture(card, "B.lee", 2);
    const std::string list = ListFile("list.alt", {"B.lee", "A.lee"});
    OpenMaker();

    // Nothing unsaved: straight to the dialog, at the drive's root.
    Click(maker.OpenButton, {list});
    EXPECT_TRUE(e.prompter.shown.empty());
    const FileDialogRequest& r = e.chooser.requests.back();
    EXPECT_EQ(r.kind, FileDialogKind::Open);
    ASSERT_EQ(r.filters.size(), 2u);
    EXPECT_EQ(r.filters[0].description, "アニメーションリストファイル");
    EXPECT_EQ(r.filters[0].pattern, "*.alt");
    EXPECT_EQ(r.filters[1].description, "files.txt");
    EXPECT_EQ(r.filters[1].pattern, "files.txt");
    EXPECT_EQ(r.initialDir, card.Dir().string());
    EXPECT_EQ(Items(maker.ListBox), (std::vector<std::string>{"B.lee", "A.lee"}));
    EXPECT_EQ(maker.AnimationTypeRadioGroup->ItemIndex(), kAnimationSuper);
    EXPECT_EQ(maker.WriteNoMaskEdit->text(), QStringLiteral("5"));
    EXPECT_EQ(maker.P_TimeMaskEdit->text(), QStringLiteral("25"));
    EXPECT_FALSE(maker.List().Modified);

    // Unsaved work, Yes: the list is saved first, then the open dialog.
    maker.ListBox->setCurrentRow(0);
    maker.DelButton->click();
    e.prompter.saveChoices = {SaveChoice::Save};
    Click(maker.OpenButton, {card.Path("saved.alt"), list});
    EXPECT_EQ(e.prompter.shown, std::vector<std::string>{"保存しますか？"});
    EXPECT_EQ(ReadFileBytes(card.Path("saved.alt")), "ANIMATION_QUALITY_SUPER\r\n5\r\n25\r\nA.lee\r\n");
    EXPECT_EQ(maker.ListBox->count(), 2);

    // Unsaved work, Yes, but the save is cancelled: nothing is opened over the work.
    maker.ListBox->setCurrentRow(0);
    maker.DelButton->click();
    e.prompter.saveChoices = {SaveChoice::Save};
    Click(maker.OpenButton, {std::nullopt});
    EXPECT_EQ(Items(maker.ListBox), std::vector<std::string>{"A.lee"});
    EXPECT_TRUE(maker.List().Modified);

    // キャンセル keeps the work and opens nothing; いいえ opens without saving.
    e.prompter.saveChoices = {SaveChoice::Cancel};
    Click(maker.OpenButton, {});
    EXPECT_EQ(Items(maker.ListBox), std::vector<std::string>{"A.lee"});
    e.prompter.saveChoices = {SaveChoice::Discard};
    Click(maker.OpenButton, {list});
    EXPECT_EQ(maker.ListBox->count(), 2);
    EXPECT_FALSE(maker.List().Modified);

    // A file that is not a list shows the maker's message and what was read before it.
    const std::string bad = card.Path("bad.alt");
    WriteFileBytes(bad, "ANIMATION_QUALITY_NORMAL\r\n7\r\nx\r\n");
    e.prompter.shown.clear();
    Click(maker.OpenButton, {bad});
    EXPECT_EQ(e.prompter.shown, std::vector<std::string>{bad + "アニメーションリストファイルではありません"});
    EXPECT_EQ(maker.AnimationTypeRadioGroup->ItemIndex(), kAnimationNormal);
    EXPECT_EQ(maker.WriteNoMaskEdit->text(), QStringLiteral("7"));
}

// ---- the demo ----

TEST(AnimationDemo, IsABlackWindowOfThirtyImages) {
    Editor e;
    auto& demo = e.windows->AnimaDemoForm();
    EXPECT_EQ(demo.windowTitle(), QStringLiteral("AnimaDemoForm"));
    EXPECT_EQ(demo.palette().color(QPalette::Window), QColor(Qt::black));
    EXPECT_EQ(demo.size(), QSize(696 - 11, 538 - 35));
    EXPECT_EQ(demo.Timer1->interval(), 100);
    for (int i = 0; i < kMaxDemoFrames; ++i) {
        auto* l = demo.findChild<QLabel*>(QStringLiteral("Image%1").arg(i + 1));
        ASSERT_EQ(l, demo.FrameImage(i));
        EXPECT_EQ(l->pos(), QPoint(0, 0));
        EXPECT_FALSE(l->isEnabled());
    }
    EXPECT_EQ(demo.Image30, demo.FrameImage(29));
}

TEST_F(AnimationWindows, DemoPlaysTheListInOrderTenFramesASecond) {
    const std::string p1 = Picture(card, "P1.lee", 1);
    const std::string p2 = Picture(card, "P2.lee", 2);
    const std::string p3 = Picture(card, "P3.lee", 3);
    const std::string list = ListFile("list.alt", {"P2.lee", " P3.lee ", "P1.lee"});
    e.windows->MagnificationForm().MagnificationComboBox->setCurrentIndex(5);  // 150
    e.windows->MagnificationForm().MagnificationComboBoxChange();
    e.Main().NewFileOpenClick();

    std::vector<int> shown;
    std::vector<qint64> times;
    RunDemo(list, [&] {
        EXPECT_FALSE(e.Main().isVisible());
        EXPECT_EQ(demo.FrameCount(), 3);
        EXPECT_EQ(demo.Image1->size(), QSize(3 * 96, 2 * 96));
        EXPECT_EQ(demo.size(), QSize(3 * 96, 2 * 96 + gui::kDemoButtonStripHeight));
        EXPECT_TRUE(demo.Timer1->isActive());
        QElapsedTimer clock;
        clock.start();
        auto visible = [&] {
            int which = -1, count = 0;
            for (int i = 0; i < kMaxDemoFrames; ++i)
                if (demo.FrameImage(i)->isVisible()) which = i, ++count;
            return count == 1 ? which : -1 - count;
        };
        shown.push_back(visible());
        times.push_back(0);
        QEventLoop loop;
        // Connected after the window's own handler: sees each tick's result.
        auto c = QObject::connect(demo.Timer1, &QTimer::timeout, &loop, [&] {
            shown.push_back(visible());
            times.push_back(clock.elapsed());
            if (shown.size() == 8) loop.quit();
        });
        QTimer::singleShot(5000, &loop, &QEventLoop::quit);
        loop.exec();
        QObject::disconnect(c);
    });
    ASSERT_TRUE(demoShown);
    EXPECT_EQ(shown, (std::vector<int>{0, 1, 2, 0, 1, 2, 0, 1}));
    ASSERT_EQ(times.size(), 8u);
    // Ten frames a second. A single tick may come a few milliseconds early
    // (the timer is coarse, and the clock is read after the tick), so only
    // six ticks together are held to at least 6 x 95 ms; a busy machine may be late.
    EXPECT_EQ(demo.Timer1->interval(), 100);
    EXPECT_GE(times[7] - times[1], 6 * 95 - 10);
    EXPECT_LE(times[7] - times[1], 6 * 100 + 600);
    EXPECT_FALSE(demo.Timer1->isActive());

    // The frames are the pictures in the list's order.
    EXPECT_EQ(Frame(0), ExpectedFrame(p2));
    EXPECT_EQ(Frame(1), ExpectedFrame(p3));
    EXPECT_EQ(Frame(2), ExpectedFrame(p1));
    EXPECT_NE(Frame(0), Frame(1));

    // The editor comes back at its magnification, holding the last picture.
    EXPECT_TRUE(e.Main().isVisible());
    EXPECT_EQ(e.Doc().CurrentSurface(), static_cast<DrawingSurface*>(e.Main().PaintBox1));
    EXPECT_EQ(e.Doc().Pitch(), 16 * 12 + 3);
    EXPECT_EQ(e.Doc().FileName, p1);
    EXPECT_FALSE(e.Doc().Modified());
    EXPECT_EQ(e.Doc().DotColor(0, 0), kLedRed);
    EXPECT_EQ(e.Doc().DotColor(1, 0), kOff);
    EXPECT_TRUE(e.prompter.shown.empty());
    const FileDialogRequest& r = e.chooser.requests.back();
    EXPECT_EQ(r.kind, FileDialogKind::Open);
    ASSERT_EQ(r.filters.size(), 2u);
    EXPECT_EQ(r.filters[0].description, "アニメーションリストファイル");
    EXPECT_EQ(r.filters[1].pattern, "files.txt");

    // Every showing starts again at frame 0.
    demo.show();
    EXPECT_TRUE(demo.FrameImage(0)->isVisible());
    demo.Timer1Timer();
    EXPECT_TRUE(demo.FrameImage(1)->isVisible());
    demo.hide();
    EXPECT_FALSE(demo.Timer1->isActive());
    demo.show();
    EXPECT_TRUE(demo.FrameImage(0)->isVisible());
    EXPECT_FALSE(demo.FrameImage(1)->isVisible());
    demo.hide();
}

TEST_F(AnimationWindows, PlayShowsTheMakersListAsItStandsWithoutAFile) {
    const std::string p1 = Picture(card, "P1.lee", 1);
    const std::string p2 = Picture(card, "P2.lee", 2);
    OpenMaker();
    e.chooser.manyScript = {std::vector<std::string>{p2, p1}};
    maker.AddButton->click();
    e.Main().NewFileOpenClick();
    e.chooser.requests.clear();
    RunDemoFrom([this] { maker.PlayButton->click(); }, [&] {
        EXPECT_FALSE(e.Main().isVisible());
        EXPECT_EQ(demo.FrameCount(), 2);
    });
    ASSERT_TRUE(demoShown);
    EXPECT_TRUE(e.chooser.requests.empty()) << "no list file is asked for";
    EXPECT_EQ(Frame(0), ExpectedFrame(p2));
    EXPECT_EQ(Frame(1), ExpectedFrame(p1));
    // The maker keeps its list and its folder; the editor is back with the last picture.
    EXPECT_EQ(Items(maker.ListBox), (std::vector<std::string>{"P2.lee", "P1.lee"}));
    EXPECT_FALSE(maker.List().PictureFolder.empty());
    EXPECT_TRUE(e.Main().isVisible());
    EXPECT_EQ(e.Doc().FileName, p1);

    // An empty list says so and plays nothing.
    maker.ListBox->setCurrentRow(0);
    maker.DelButton->click();
    maker.ListBox->setCurrentRow(0);
    maker.DelButton->click();
    e.prompter.shown.clear();
    RunDemoFrom([this] { maker.PlayButton->click(); });
    EXPECT_FALSE(demoShown);
    EXPECT_EQ(e.prompter.shown.size(), 1u);
    EXPECT_TRUE(e.Main().isVisible());
}

TEST_F(AnimationWindows, DemoListStartsOnTheCardAndAMissingEntryIsNamed) {
    Picture(card, "P1.lee", 1);
    // Whatever dialog ran before, the list is looked for at the drive's root.
    TempDir elsewhere;
    e.Main().AnaOpenDialog->InitialDir = elsewhere.Dir().string();
    e.Main().AnaOpenDialog->FileName = elsewhere.Path("stale.alt");
    RunDemo(ListFile("gap.alt", {"P1.lee", "gone.lee"}));
    ASSERT_TRUE(demoShown);
    ASSERT_EQ(e.chooser.requests.size(), 1u);
    EXPECT_EQ(e.chooser.requests[0].initialDir, card.Dir().string());
    EXPECT_TRUE(e.chooser.requests[0].fileName.empty());
    EXPECT_EQ(demo.FrameCount(), 2);
    EXPECT_EQ(e.prompter.shown, std::vector<std::string>{"オープンエラー gone.lee"});
}

TEST_F(AnimationWindows, DemoRunsShowOnlyTheirOwnFrames) {
    const std::string p1 = Picture(card, "P1.lee", 1);
    const std::string p2 = Picture(card, "P2.lee", 2);
    RunDemo(ListFile("three.alt", {"P1.lee", "P2.lee", "P1.lee"}));
    ASSERT_TRUE(demoShown);
    EXPECT_EQ(demo.FrameCount(), 3);

    // A shorter list: one frame, held steadily; the earlier frames stay hidden.
    RunDemo(ListFile("one.alt", {"P2.lee"}), [&] {
        EXPECT_EQ(demo.FrameCount(), 1);
        for (int tick = 0; tick < 3; ++tick) {
            demo.Timer1Timer();
            EXPECT_EQ(demo.Sequence().CurrentFrame, 0);
            EXPECT_TRUE(demo.FrameImage(0)->isVisible());
            EXPECT_FALSE(demo.FrameImage(1)->isVisible());
            EXPECT_FALSE(demo.FrameImage(2)->isVisible());
        }
    });
    ASSERT_TRUE(demoShown);
    EXPECT_EQ(Frame(0), ExpectedFrame(p2));

    // A list of no pictures says so and plays nothing, not the last run's frames.
    MarkUnsaved(e.Doc());
    e.prompter.answers = {true};  // the picture may go
    RunDemo(ListFile("empty.alt", {}));
    EXPECT_FALSE(demoShown);
    EXPECT_EQ(e.prompter.shown, (std::vector<std::string>{kDiscard, "ファイルが追加されていません"}));
    EXPECT_TRUE(e.Main().isVisible());
    EXPECT_TRUE(e.Doc().Modified());  // nothing replaced the picture
    e.Doc().HeldIn(e.Doc().FileName);

    // A list that cannot be read ends with the maker's message.
    e.prompter.shown.clear();
    RunDemo(card.Path("missing.alt"));
    EXPECT_FALSE(demoShown);
    EXPECT_EQ(e.prompter.shown, std::vector<std::string>{card.Path("missing.alt") + "オープンエラー"});
    EXPECT_TRUE(e.Main().isVisible());

    // Cancel does nothing.
    e.prompter.shown.clear();
    RunDemo(std::nullopt);
    EXPECT_FALSE(demoShown);
    EXPECT_TRUE(e.prompter.shown.empty());
}

TEST_F(AnimationWindows, DemoOfALongListPlaysItsFirstThirtyAndSaysSo) {
    Picture(card, "P1.lee", 1);
    const std::string p2 = Picture(card, "P2.lee", 2);
    std::vector<std::string> entries(kMaxDemoFrames, "P2.lee");
    entries.push_back("P1.lee");
    entries.push_back("P1.lee");
    RunDemo(ListFile("long.alt", entries), [&] { EXPECT_EQ(demo.FrameCount(), kMaxDemoFrames); });
    ASSERT_TRUE(demoShown);
    ASSERT_EQ(e.prompter.shown.size(), 1u);
    EXPECT_EQ(e.prompter.shown[0], "ファイルが３０を超えていますので、最初の３０ファイルを表示します");
    EXPECT_EQ(e.Doc().FileName, p2);  // the last picture played
}

TEST_F(AnimationWindows, DemoAsksBeforeDroppingUnsavedDrawing) {
    Picture(card, "P1.lee", 1);
    const std::string list = ListFile("list.alt", {"P1.lee"});
    Draw(5, 5);
    ASSERT_TRUE(e.Doc().Modified());
    e.prompter.answers = {false};
    RunDemo(list);
    EXPECT_FALSE(demoShown);
    EXPECT_EQ(e.prompter.shown, std::vector<std::string>{kDiscard});
    EXPECT_EQ(e.chooser.requests.size(), 0u);
    EXPECT_EQ(e.chooser.script.size(), 1u);
    EXPECT_EQ(e.Doc().DotColor(5, 5), kLedRed);
    EXPECT_TRUE(e.Doc().Modified());
}

TEST_F(AnimationWindows, TheDemosListDoesNotTieTheMakerToItsFolder) {
    Picture(card, "P1.lee", 1);
    TempDir elsewhere;
    const std::string d = Picture(elsewhere, "D.lee", 1);
    RunDemo(ListFile("list.alt", {"P1.lee"}));
    ASSERT_TRUE(demoShown);
    OpenMaker();
    EXPECT_EQ(maker.ListBox->count(), 0);
    // The settings are those of the list the demo read.
    EXPECT_EQ(maker.WriteNoMaskEdit->text(), QStringLiteral("5"));
    EXPECT_EQ(maker.P_TimeMaskEdit->text(), QStringLiteral("25"));
    Click(maker.AddButton, {d});
    EXPECT_TRUE(e.prompter.shown.empty());
    EXPECT_EQ(Items(maker.ListBox), std::vector<std::string>{"D.lee"});
}

}  // namespace
}  // namespace tesslor::test
