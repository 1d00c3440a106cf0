// Every writer, failed at each step of its save in turn (creating the
// temporary file, each write, the flush, the rename, the folder's flush):
// the earlier file stays byte for byte, the writer's message is shown and
// nothing is left behind. Then the same save with no failure goes through.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <set>

#include "FileTestDoc.h"
#include "TestSupport.h"
#include "files/GifFile.h"
#include "makers/AnimationList.h"
#include "makers/MongonTable.h"
#include "makers/PerformList.h"
#include "platform/IniProfile.h"
#include "platform/MemoryImage.h"
#include "settings/SettingsForm.h"
#include "settings/SettingsKinds.h"

namespace tesslor {
namespace {

using test::FailingFileSystem;
using test::FolderContents;
using test::ScriptedFileChooser;
using test::ScriptedPrompter;
using test::TempDir;

// One writer: saves version 0 (the earlier file) or 1 into folder through
// files, telling what it showed; true when it says it saved.
struct Writer {
    std::string name;
    std::function<bool(FileSystem& files, const TempDir& dir, int version, std::vector<std::string>& shown)> save;
    std::set<std::string> failureMessages;  // what a failed save may show last
    // A file a failed save may leave new, its other files kept: the list of
    // an animation stays written when its data file fails, as the operator's
    // list should be.
    std::string mayStayNew = "";
};

// The folder's files with their bytes, but for one that may be new (its name alone kept).
std::map<std::string, std::string> Kept(std::map<std::string, std::string> files, const std::string& mayStayNew) {
    if (auto it = files.find(mayStayNew); it != files.end()) it->second.clear();
    return files;
}

bool SavePicture(FileSystem& files, const TempDir& dir, int version, std::vector<std::string>& shown, bool old) {
    test::DocUnderTest t;
    t.files.SetFileSystem(files);
    t.Light(3 + version, 4, kLedRed);
    ScriptedFileChooser chooser;
    FileDialog dialog(chooser, FileDialogKind::Save, {{"ＬＥＤデータファイル(*.lee)", "*.lee"}}, "lee");
    const bool ok = old ? t.files.SaveOldFile(dir.Path("pic.led")) : t.files.SaveToFile(dir.Path("pic.lee"), dialog);
    shown = t.prompter.shown;
    return ok;
}

std::vector<Writer> Writers() {
    std::vector<Writer> writers;
    writers.push_back({"picture (.lee)",
                       [](FileSystem& f, const TempDir& d, int v, std::vector<std::string>& shown) {
                           return SavePicture(f, d, v, shown, false);
                       },
                       {"ファイルオープンエラー", "ファイルライトエラー"}});
    writers.push_back({"old picture (.led)",
                       [](FileSystem& f, const TempDir& d, int v, std::vector<std::string>& shown) {
                           return SavePicture(f, d, v, shown, true);
                       },
                       {"ファイルオープンエラー", "ファイルライトエラー"}});
    writers.push_back({"bitmap (.bmp)",
                       [](FileSystem& f, const TempDir& d, int v, std::vector<std::string>& shown) {
                           MemoryImage image(4 + v, 3, f);
                           const bool ok = image.SaveToFile(d.Path("pic.bmp"));
                           if (!ok) shown.push_back(image.ErrorText());
                           return ok;
                       },
                       {}});
    writers.push_back({"perform list",
                       [](FileSystem& f, const TempDir& d, int v, std::vector<std::string>& shown) {
                           ScriptedPrompter prompter;
                           PerformList list(f);
                           list.Add(d.Path("a.lee"), prompter);
                           if (v) list.Add(d.Path("b.ana"), prompter);
                           const bool ok = list.Save(prompter);
                           shown = prompter.shown;
                           return ok;
                       },
                       {"Perform.txt オープンエラー", "Perform.txt 書き込みエラー"}});
    writers.push_back({"animation (.alt and .ana)",
                       [](FileSystem& f, const TempDir& d, int v, std::vector<std::string>& shown) {
                           if (v == 0) {
                               test::WriteTestPicture(d.Path("a.lee"), "1", 0, 0, kLedRed);
                               test::WriteTestPicture(d.Path("b.lee"), "2", 5, 5, kLedGreen);
                           }
                           ScriptedPrompter prompter;
                           AnimationList list(f);
                           list.AddPicture(d.Path("a.lee"), -1, prompter);
                           list.AddPicture(d.Path("b.lee"), -1, prompter);
                           list.WriteNoText = "1";
                           list.TimeText = v ? "20" : "10";
                           const bool ok = list.SaveAnimation(d.Path("anim.alt"), prompter);
                           shown = prompter.shown;
                           return ok;
                       },
                       {},
                       "anim.alt"});
    for (const std::string& kind : SettingsKindNames()) {
        writers.push_back({"settings " + kind,
                           [kind](FileSystem& f, const TempDir& d, int v, std::vector<std::string>& shown) {
                               std::unique_ptr<SettingsForm> form = NewSettingsForm(kind);
                               // The first field takes another value in the new version.
                               const std::string field = form->FieldNames().front();
                               if (v) {
                                   std::string problem;
                                   form->SetValue(field, "1", problem);
                               }
                               ScriptedPrompter prompter;
                               const bool ok = WriteSettingsFile(*form, f, d.Path(kind + ".txt"), prompter.shown);
                               shown = prompter.shown;
                               return ok;
                           },
                           {}});
    }
    writers.push_back({"text table (.mon)",
                       [](FileSystem& f, const TempDir& d, int v, std::vector<std::string>& shown) {
                           MongonTable table;
                           table.Rows[0].Text = v ? "new" : "old";
                           ScriptedPrompter prompter;
                           const bool ok = WriteMongonFile(f, prompter, d.Path("t.mon"), table);
                           shown = prompter.shown;
                           return ok;
                       },
                       {kMongonCannotCreateMessage, kMongonWriteErrorMessage}});
#ifndef TESSLOR_NO_GIF
    writers.push_back({"animated GIF",
                       [](FileSystem& f, const TempDir& d, int v, std::vector<std::string>& shown) {
                           std::string error;
                           const bool ok = WriteAnimatedGif(f, d.Path("demo.gif"), {{MemoryImage(2 + v, 2), 10}}, &error);
                           if (!ok) shown.push_back(error);
                           return ok;
                       },
                       {}});
#endif
    writers.push_back({"drive file (.INI)",
                       [](FileSystem& f, const TempDir& d, int v, std::vector<std::string>& shown) {
                           const bool ok = IniProfile(d.Path("Drive.INI"), f).WriteString("Drive", "Drive", v ? "F" : "E");
                           // The drive file is the program's own: a failure is only returned.
                           if (!ok) shown.push_back("false");
                           return ok;
                       },
                       {"false"}});
    return writers;
}

TEST(SaveSteps, EveryWriterFailedAtEachStepKeepsTheEarlierFileAndSaysSo) {
    for (const Writer& w : Writers()) {
        SCOPED_TRACE(w.name);
        TempDir dir;
        std::vector<std::string> shown;
        ASSERT_TRUE(w.save(RealFileSystem(), dir, 0, shown)) << (shown.empty() ? "" : shown.back());
        const std::map<std::string, std::string> earlier = FolderContents(dir.Dir().string());
        std::set<std::string> kinds;
        for (int at = 1;; ++at) {
            SCOPED_TRACE("step " + std::to_string(at));
            FailingFileSystem failing;
            failing.failAtStep = at;
            shown.clear();
            const bool ok = w.save(failing, dir, 1, shown);
            if (at > static_cast<int>(failing.steps.size())) {
                // Past the last step: nothing failed, and the new file is in place.
                EXPECT_TRUE(ok);
                kinds.insert(failing.steps.begin(), failing.steps.end());
                EXPECT_NE(FolderContents(dir.Dir().string()), earlier);
                break;
            }
            EXPECT_FALSE(ok) << failing.steps[at - 1];
            ASSERT_FALSE(shown.empty()) << "no message";
            if (!w.failureMessages.empty()) {
                EXPECT_TRUE(w.failureMessages.count(shown.back())) << shown.back();
            }
            EXPECT_EQ(Kept(FolderContents(dir.Dir().string()), w.mayStayNew), Kept(earlier, w.mayStayNew))
                << failing.steps[at - 1];
            ASSERT_LT(at, 2000) << "a save that never ends";
        }
        EXPECT_EQ(kinds, (std::set<std::string>{"create", "write", "flush", "rename", "folder-flush"}));
    }
}

TEST(SaveSteps, AReadOnlyFileIsNeverReplacedAndTheMessageSaysWhy) {
    // Without write permission: on Windows the read-only attribute.
    const auto makeReadOnly = [](const std::string& path) {
        std::filesystem::permissions(PathOfUtf8(path), std::filesystem::perms::owner_read | std::filesystem::perms::group_read |
                                                           std::filesystem::perms::others_read);
    };
    const auto undo = [](const std::string& path) {
        std::filesystem::permissions(PathOfUtf8(path), std::filesystem::perms::owner_all);
    };
    TempDir dir;
    std::vector<std::string> shown;
    ASSERT_TRUE(SavePicture(RealFileSystem(), dir, 0, shown, false));
    const std::string path = dir.Path("pic.lee");
    const std::string earlier = test::ReadFileBytes(path);
    makeReadOnly(path);
    EXPECT_TRUE(RealFileSystem().IsReadOnly(path));
    EXPECT_FALSE(RealFileSystem().IsReadOnly(dir.Path("none.lee")));
    EXPECT_FALSE(RealFileSystem().IsReadOnly(dir.Dir().string()));
    shown.clear();
    EXPECT_FALSE(SavePicture(RealFileSystem(), dir, 1, shown, false));
    EXPECT_EQ(shown, std::vector<std::string>{"ファイルオープンエラー（pic.lee は読み取り専用のため書き換えません）"});
    EXPECT_EQ(test::ReadFileBytes(path), earlier);
    EXPECT_EQ(FolderContents(dir.Dir().string()).size(), 1u);
    undo(path);
}

// A save whose folder cannot be flushed after the rename is reported failed
// and leaves what was there before: the earlier bytes, or no file at all.
TEST(SaveSteps, AFolderFlushThatFailsPutsBackWhatWasThere) {
    TempDir dir;
    for (const bool hadEarlier : {true, false}) {
        const std::string path = dir.Path(hadEarlier ? "had.txt" : "new.txt");
        if (hadEarlier) test::WriteFileBytes(path, "earlier");
        FailingFileSystem failing;
        // create, write, flush, rename, folder flush
        failing.failAtStep = 5;
        std::unique_ptr<OutputFile> out = failing.Create(path);
        ASSERT_TRUE(out);
        EXPECT_TRUE(out->Write("later"));
        EXPECT_FALSE(out->Commit());
        EXPECT_EQ(failing.steps[4], "folder-flush");
        out.reset();
        if (hadEarlier) EXPECT_EQ(test::ReadFileBytes(path), "earlier");
        else EXPECT_FALSE(std::filesystem::exists(PathOfUtf8(path)));
    }
    EXPECT_EQ(FolderContents(dir.Dir().string()), (std::map<std::string, std::string>{{"had.txt", "earlier"}}));
}

}  // namespace
}  // namespace tesslor
