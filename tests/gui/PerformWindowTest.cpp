// The perform list maker's window: its controls and dialogs, adding, deleting,
// opening and saving through the dialogs, and the empty list at every opening.
#include <gtest/gtest.h>

#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <filesystem>

#include "GuiHarness.h"
#include "makers/Makeperformunit.h"

namespace tesslor::test {
namespace {

class PerformWindow : public ::testing::Test {
protected:
    PerformWindow()
        : context{prompter, chooser, RealFileSystem(), config, [this] { return card.Dir().string(); }},
          window(context) {}
    ~PerformWindow() override { window.hide(); }

    QPushButton* Button(const char* name) { return window.findChild<QPushButton*>(QString::fromLatin1(name)); }
    QStringList Items() {
        QStringList items;
        for (int i = 0; i < window.ListBox->count(); ++i) items << window.ListBox->item(i)->text();
        return items;
    }
    void Add(const std::string& path) {
        chooser.script.push_back(path);
        QTest::mouseClick(Button("AddButton"), Qt::LeftButton);
    }

    TempDir card;
    ScriptedPrompter prompter;
    ScriptedFileChooser chooser;
    StartupConfig config;
    gui::WindowContext context;
    gui::TMakePerformForm window;
};

TEST_F(PerformWindow, ControlsAndDialogs) {
    EXPECT_EQ(window.windowTitle(), QStringLiteral("MakePerformForm"));
    EXPECT_TRUE(window.isModal());
    const std::pair<const char*, const char*> buttons[] = {
        {"OpenButton", "開く"}, {"AddButton", "追加"}, {"DelButton", "削除"}, {"SaveButton", "保存"}};
    for (const auto& [name, text] : buttons) {
        ASSERT_NE(Button(name), nullptr) << name;
        EXPECT_EQ(Button(name)->text(), QString::fromUtf8(text));
    }
    ASSERT_NE(window.findChild<QListWidget*>(QStringLiteral("ListBox")), nullptr);

    chooser.script = {std::nullopt, std::nullopt};
    QTest::mouseClick(Button("AddButton"), Qt::LeftButton);
    QTest::mouseClick(Button("OpenButton"), Qt::LeftButton);
    ASSERT_EQ(chooser.requests.size(), 2u);
    const FileDialogRequest& add = chooser.requests[0];
    EXPECT_EQ(add.title, "ファイルの追加");
    EXPECT_EQ(add.initialDir, card.Dir().string());
    // Every kind at once first (the one the dialog shows), then one kind each.
    ASSERT_EQ(add.filters.size(), 6u);
    EXPECT_EQ(add.filters[0].pattern, "*.lee *.ana *.txt *.co2");
    EXPECT_EQ(add.filters[1].description, "標準ＬＥＤデータ");
    EXPECT_EQ(add.filters[3].description, "設定データ（setei.txt)");
    EXPECT_EQ(add.filters[5].pattern, "*.co2");
    const FileDialogRequest& open = chooser.requests[1];
    EXPECT_EQ(open.initialDir, card.Dir().string());
    EXPECT_EQ(open.fileName, "Perform.txt");
    ASSERT_EQ(open.filters.size(), 1u);
    EXPECT_EQ(open.filters[0].description, "Perform.txt");
    EXPECT_EQ(open.filters[0].pattern, "Perform.txt");
    EXPECT_TRUE(prompter.shown.empty());
    EXPECT_TRUE(Items().isEmpty());
}

TEST_F(PerformWindow, AddDeleteSaveAndOpen) {
    window.show();
    Add(card.Path("a.lee"));
    Add(card.Path("b.ana"));
    Add(card.Path("c.co2"));
    Add("/elsewhere/d.lee");
    EXPECT_EQ(prompter.shown, std::vector<std::string>{"同一のフォルダー内のファイルしか指定できません"});
    EXPECT_EQ(Items(), (QStringList{"a.lee", "b.ana", "c.co2"}));
    // Once the list's folder is fixed, every 追加 starts there, also after a
    // refused pick from elsewhere, with no name left over from it.
    chooser.requests.clear();
    Add(card.Path("e.lee"));
    ASSERT_EQ(chooser.requests.size(), 1u);
    EXPECT_EQ(chooser.requests[0].initialDir, window.List().PerformFolder);
    EXPECT_TRUE(chooser.requests[0].fileName.empty());
    window.ListBox->setCurrentRow(3);
    QTest::mouseClick(Button("DelButton"), Qt::LeftButton);

    QTest::mouseClick(Button("DelButton"), Qt::LeftButton);  // nothing selected
    EXPECT_EQ(Items().size(), 3);
    window.ListBox->setCurrentRow(1);
    QTest::mouseClick(Button("DelButton"), Qt::LeftButton);
    EXPECT_EQ(Items(), (QStringList{"a.lee", "c.co2"}));

    prompter.shown.clear();
    QTest::mouseClick(Button("SaveButton"), Qt::LeftButton);
    EXPECT_TRUE(prompter.shown.empty());
    EXPECT_EQ(window.StatusLabel->text().toStdString(), "保存完了　" + card.Path("Perform.txt"));
    const std::string bytes = ReadFileBytes(card.Path("Perform.txt"));
    EXPECT_EQ(bytes, "a.lee" + std::string(25, ' ') + "\r\nc.co2" + std::string(25, ' ') + "\r\n");

    // Every opening starts empty; 開く brings the lines back as they stand.
    window.hide();
    window.show();
    EXPECT_TRUE(Items().isEmpty());
    EXPECT_TRUE(window.List().PerformFolder.empty());
    prompter.shown.clear();
    QTest::mouseClick(Button("SaveButton"), Qt::LeftButton);
    EXPECT_EQ(prompter.shown, std::vector<std::string>{"入力されていません"});
    chooser.script.push_back(card.Path("Perform.txt"));
    QTest::mouseClick(Button("OpenButton"), Qt::LeftButton);
    EXPECT_EQ(Items(), (QStringList{QString::fromStdString("a.lee" + std::string(25, ' ')),
                                    QString::fromStdString("c.co2" + std::string(25, ' '))}));
    EXPECT_EQ(window.List().PerformFolder, card.Dir().string());
}

// A Perform.txt of five entries, and a new list of one: 保存 asks (いいえ is
// the safe default) and いいえ leaves the five.
TEST_F(PerformWindow, SaveAsksBeforeReplacingAnotherList) {
    std::string five;
    for (const char* name : {"1.lee", "2.lee", "3.lee", "4.lee", "5.lee"})
        five += name + std::string(25, ' ') + "\r\n";
    WriteFileBytes(card.Path("Perform.txt"), five);
    window.show();
    Add(card.Path("new.lee"));
    prompter.answers = {false};
    QTest::mouseClick(Button("SaveButton"), Qt::LeftButton);
    EXPECT_EQ(prompter.shown, std::vector<std::string>{"Perform.txt は、もうあります。置き換えますか？"});
    EXPECT_EQ(ReadFileBytes(card.Path("Perform.txt")), five);
    EXPECT_TRUE(window.StatusLabel->text().isEmpty());

    prompter.answers = {true};
    QTest::mouseClick(Button("SaveButton"), Qt::LeftButton);
    EXPECT_EQ(ReadFileBytes(card.Path("Perform.txt")), "new.lee" + std::string(23, ' ') + "\r\n");
    EXPECT_EQ(window.StatusLabel->text().toStdString(), "保存完了　" + card.Path("Perform.txt"));
    // The list it wrote itself, edited, goes back without a question.
    Add(card.Path("more.lee"));
    prompter.shown.clear();
    QTest::mouseClick(Button("SaveButton"), Qt::LeftButton);
    EXPECT_TRUE(prompter.shown.empty());
}

}  // namespace
}  // namespace tesslor::test
