// The flows every maker and settings window shares, on a form whose writer
// and reader record what they were asked to do.
#include <gtest/gtest.h>

#include "forms/Form.h"
#include "TestSupport.h"

namespace tesslor {
namespace {

using test::ScriptedFileChooser;
using test::ScriptedPrompter;

class NoteForm : public FormFields {
public:
    NoteForm() : FormFields({{"NoteEdit"}, {"OnBox", FieldKind::CheckBox}}) {}
    std::string Kind() const override { return "note"; }
    bool Check(Prompter& prompter) override {
        if (!Text("NoteEdit").empty()) return true;
        prompter.Inform("入力されていません");
        return false;
    }
    bool WriteFile(const std::string& path, Prompter&) override {
        written.push_back(path);
        return writeSucceeds;
    }
    bool ReadFile(const std::string& path, Prompter& prompter) override {
        SetText("NoteEdit", "read from " + path);
        prompter.Inform(path + " read");
        return true;
    }
    std::vector<std::string> written;
    bool writeSucceeds = true;
};

struct Window {
    ScriptedPrompter prompter;
    ScriptedFileChooser chooser;
    FileDialog open{chooser, FileDialogKind::Open, {{"note", "*.txt"}}};
    FileDialog save{chooser, FileDialogKind::Save, {{"note", "*.txt"}}};
    FormDialogs dialogs{&open, &save, "/card"};
    NoteForm form;
};

TEST(FormFlows, OverwriteFallsBackToSaveAsAndTheCheckComesBeforeTheName) {
    Window w;
    w.form.Modified = true;
    // Refused by the check: no dialog is shown, nothing written.
    EXPECT_FALSE(w.form.Save(w.dialogs, w.prompter));
    EXPECT_TRUE(w.chooser.requests.empty());
    EXPECT_EQ(w.prompter.shown, std::vector<std::string>{"入力されていません"});

    w.form.SetText("NoteEdit", "x");
    w.chooser.script = {"/card/a.txt"};
    ASSERT_TRUE(w.form.Save(w.dialogs, w.prompter));
    EXPECT_EQ(w.chooser.requests.at(0).initialDir, "/card");
    EXPECT_EQ(w.form.CurrentFile, "/card/a.txt");
    EXPECT_FALSE(w.form.Modified);

    // Now 上書き保存 writes there without a dialog; 名前を付けて保存 presets it.
    ASSERT_TRUE(w.form.Save(w.dialogs, w.prompter));
    EXPECT_EQ(w.chooser.requests.size(), 1u);
    w.chooser.script = {std::nullopt};
    EXPECT_FALSE(w.form.SaveAs(w.dialogs, w.prompter));
    EXPECT_EQ(w.chooser.requests.at(1).fileName, "/card/a.txt");
    EXPECT_EQ(w.form.written, (std::vector<std::string>{"/card/a.txt", "/card/a.txt"}));
}

TEST(FormFlows, AFailedWriteKeepsTheWorkUnsavedAndItsName) {
    Window w;
    w.form.SetText("NoteEdit", "x");
    w.form.Modified = true;
    w.form.writeSucceeds = false;
    w.chooser.script = {"/card/b.txt"};
    EXPECT_FALSE(w.form.SaveAs(w.dialogs, w.prompter));
    EXPECT_TRUE(w.form.Modified);
    EXPECT_EQ(w.form.CurrentFile, "");
}

TEST(FormFlows, OpenAsksToSaveAndNeverReadsOverWorkWhoseSaveDidNotHappen) {
    Window w;
    w.form.SetText("NoteEdit", "keep");
    w.form.Modified = true;
    // Yes to "保存しますか？", then the save dialog cancelled: nothing is opened.
    w.prompter.saveChoices = {SaveChoice::Save};
    w.chooser.script = {std::nullopt};
    EXPECT_FALSE(w.form.Open(w.dialogs, w.prompter));
    EXPECT_EQ(w.prompter.shown, std::vector<std::string>{kFormSaveQuestion});
    EXPECT_EQ(w.form.Text("NoteEdit"), "keep");
    EXPECT_EQ(w.chooser.requests.size(), 1u);

    // No: the open dialog, with no name preset, and the read.
    w.prompter.saveChoices = {SaveChoice::Discard};
    w.open.FileName = "stale.txt";
    w.chooser.script = {"/card/c.txt"};
    ASSERT_TRUE(w.form.Open(w.dialogs, w.prompter));
    EXPECT_EQ(w.chooser.requests.at(1).fileName, "");
    EXPECT_EQ(w.form.Text("NoteEdit"), "read from /card/c.txt");
    EXPECT_EQ(w.form.CurrentFile, "/card/c.txt");
    EXPECT_FALSE(w.form.Modified);
}

// Each answer to "保存しますか？" before 開く: はい saves and goes on, and
// stops when that save does not happen; いいえ goes on; キャンセル (Escape)
// stops with the work kept.
TEST(FormFlows, EachAnswerToTheSaveQuestionBeforeOpen) {
    struct Case {
        SaveChoice answer;
        std::vector<std::optional<std::string>> dialogs;  // save dialog first when it shows
        bool opened;
        std::vector<std::string> written;
    };
    const Case cases[] = {
        {SaveChoice::Save, {"/card/kept.txt", "/card/other.txt"}, true, {"/card/kept.txt"}},
        {SaveChoice::Save, {std::nullopt}, false, {}},
        {SaveChoice::Discard, {"/card/other.txt"}, true, {}},
        {SaveChoice::Cancel, {}, false, {}},
    };
    for (const Case& c : cases) {
        Window w;
        w.form.SetText("NoteEdit", "work");
        w.form.Modified = true;
        w.prompter.saveChoices = {c.answer};
        w.chooser.script.assign(c.dialogs.begin(), c.dialogs.end());
        EXPECT_EQ(w.form.Open(w.dialogs, w.prompter), c.opened) << static_cast<int>(c.answer);
        EXPECT_EQ(w.form.written, c.written);
        EXPECT_EQ(w.form.Text("NoteEdit"), c.opened ? "read from /card/other.txt" : "work");
        EXPECT_TRUE(w.chooser.script.empty());
    }
}

// A form of fields finds its own edits: a field that differs from the last
// good read or write, not a field set back to it.
TEST(FormFields, UnsavedIsWhatDiffersFromTheLastReadOrWrite) {
    Window w;
    EXPECT_FALSE(w.form.HasUnsavedWork());  // never marked: nothing to ask about
    w.form.MarkUnchanged();
    w.form.SetChecked("OnBox", true);
    EXPECT_TRUE(w.form.HasUnsavedWork());
    w.form.SetChecked("OnBox", false);
    EXPECT_FALSE(w.form.HasUnsavedWork());
    w.form.SetText("NoteEdit", "x");
    EXPECT_TRUE(w.form.HasUnsavedWork());

    w.chooser.script = {"/card/a.txt"};
    ASSERT_TRUE(w.form.SaveAs(w.dialogs, w.prompter));
    EXPECT_FALSE(w.form.HasUnsavedWork());
    // A failed write leaves the edit unsaved.
    w.form.SetText("NoteEdit", "y");
    w.form.writeSucceeds = false;
    EXPECT_FALSE(w.form.Save(w.dialogs, w.prompter));
    EXPECT_TRUE(w.form.HasUnsavedWork());

    // A good read is what the file holds: 開く asks nothing afterwards.
    w.prompter.saveChoices = {SaveChoice::Discard};
    w.chooser.script = {"/card/b.txt", std::nullopt};
    ASSERT_TRUE(w.form.Open(w.dialogs, w.prompter));
    EXPECT_FALSE(w.form.HasUnsavedWork());
    EXPECT_FALSE(w.form.Open(w.dialogs, w.prompter));
    EXPECT_TRUE(w.prompter.saveChoices.empty());
}

TEST(FormFlows, ClosingAsksOnlyWithUnsavedWork) {
    Window w;
    EXPECT_TRUE(w.form.ConfirmClose(w.prompter));
    w.form.Modified = true;
    w.prompter.answers = {false, true};
    EXPECT_FALSE(w.form.ConfirmClose(w.prompter));
    EXPECT_TRUE(w.form.ConfirmClose(w.prompter));
    EXPECT_EQ(w.prompter.shown, (std::vector<std::string>{kFormDiscardQuestion, kFormDiscardQuestion}));
}

TEST(FormFields, ValuesByNameAndTheirRefusals) {
    NoteForm form;
    std::string problem;
    EXPECT_EQ(form.FieldNames(), (std::vector<std::string>{"NoteEdit", "OnBox"}));
    EXPECT_TRUE(form.SetValue("OnBox", "yes", problem));
    EXPECT_EQ(form.Value("OnBox"), "yes");
    EXPECT_FALSE(form.SetValue("OnBox", "1", problem));
    EXPECT_EQ(problem, "OnBox takes yes or no, not \"1\"");
    EXPECT_FALSE(form.SetValue("Nothing", "1", problem));
    EXPECT_EQ(problem, "the note window has no control named \"Nothing\"");
    EXPECT_EQ(form.Value("Nothing"), std::nullopt);
}

TEST(HeldMessages, InformationWaitsForTheWindowQuestionsDoNot) {
    ScriptedPrompter shown;
    shown.answers = {true};
    {
        HeldMessages held(shown);
        held.Inform("読み込み完了");
        EXPECT_TRUE(held.Ask("保存しますか？"));
        EXPECT_EQ(shown.shown, std::vector<std::string>{"保存しますか？"});
        held.Release();
        held.Inform("later");
    }
    EXPECT_EQ(shown.shown, (std::vector<std::string>{"保存しますか？", "読み込み完了", "later"}));
}

TEST(FileDialogMany, SeveralFilesInTheOrderChosenAndOneFromAOneFileChooser) {
    ScriptedFileChooser chooser;
    FileDialog dialog(chooser, FileDialogKind::Open, {{"LEDデータファイル", "*.lee"}});
    chooser.manyScript = {std::vector<std::string>{"/c/b.lee", "/c/a.lee"}, std::nullopt};
    ASSERT_TRUE(dialog.ExecuteMany());
    EXPECT_TRUE(chooser.requests.at(0).multiple);
    EXPECT_EQ(dialog.FileNames, (std::vector<std::string>{"/c/b.lee", "/c/a.lee"}));
    EXPECT_EQ(dialog.FileName, "/c/b.lee");
    EXPECT_FALSE(dialog.ExecuteMany());
    // Without a script of several, the chooser's one-file answer is taken.
    chooser.script = {"/c/x.lee"};
    ASSERT_TRUE(dialog.ExecuteMany());
    EXPECT_EQ(dialog.FileNames, std::vector<std::string>{"/c/x.lee"});
    EXPECT_TRUE(chooser.requests.at(2).multiple);
}

}  // namespace
}  // namespace tesslor
