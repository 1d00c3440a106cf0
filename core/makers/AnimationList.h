#pragma once
// The animation maker's state apart from its window: the ordered list of
// pictures, the animation's settings, the list file (.alt) and the animation
// data file (.ana) the unit plays, the maker's file flows and dialogs, and the
// demo's frames.
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "forms/Form.h"
#include "led/Ledhyoujiki.h"
#include "platform/FileChooser.h"
#include "platform/Files.h"
#include "platform/MemoryImage.h"
#include "platform/Prompter.h"

namespace tesslor {

/// The animation's type, as the index of AnimationTypeRadioGroup.
inline constexpr int kAnimationSuper = 0;   ///< "スーパー": 1 to 30 pictures, write number 1 to 6
inline constexpr int kAnimationNormal = 1;  ///< "ノーマル": 1 to 15 pictures, write number 1 to 20
/// The most frames the demo holds.
inline constexpr int kMaxDemoFrames = 30;

/// The pictures to add or insert (追加, 挿入); the operator may pick several.
inline const FileDialogSetup kAnimationPictureDialog{FileDialogKind::Open, {{"LEDデータファイル", "*.lee"}}, "", ""};
/// 名前を付けて保存 of the list.
inline const FileDialogSetup kAnimationSaveDialog{
    FileDialogKind::Save, {{"アニメーションファイルリスト", "*.alt"}, {"files.txt", "*.txt"}}, "", ""};
/// 開く of a list; also the main window's dialog of the animation demo. Its
/// second entry matches only files named files.txt.
inline const FileDialogSetup kAnimationListOpenDialog{
    FileDialogKind::Open, {{"アニメーションリストファイル", "*.alt"}, {"files.txt", "files.txt"}}, "", ""};

/// What the maker's window says in its status line after a good save.
inline constexpr const char* kAnimationSavedMessage = "保存完了";

class AnimationList : public Form {
public:
    /// The write number box takes 2 digits, the display time box 4.
    static constexpr int kWriteNoDigits = 2;
    static constexpr int kTimeDigits = 4;
    /// The controls' names, as `show` prints them and --set takes them; the
    /// list's entries are "Entry1", "Entry2", ... in play order.
    static constexpr const char* kTypeField = "AnimationTypeRadioGroup";
    static constexpr const char* kWriteNoField = "WriteNoMaskEdit";
    static constexpr const char* kTimeField = "P_TimeMaskEdit";
    /// AnimationTypeRadioGroup's items, by index.
    static constexpr const char* kTypeItems[2] = {"スーパー", "ノーマル"};

    explicit AnimationList(FileSystem& files = RealFileSystem());

    std::vector<std::string> Entries;  ///< ListBox: bare picture names in play order
    int Type = kAnimationSuper;        ///< AnimationTypeRadioGroup index
    std::string WriteNoText;           ///< WriteNoMaskEdit, as typed (or one digit after a load)
    std::string TimeText = "10";       ///< P_TimeMaskEdit, in units of 10 ms
    std::string PictureFolder;         ///< the one folder of every picture and of the list; "" until fixed
    /// The status line's text: what the last good save wrote; "" after any other operation.
    std::string Status;
    // CurrentFile (the base's) is the list last loaded, which 上書き保存 saves
    // to; 名前を付けて保存 leaves it as it is.

    // ---- named fields ----

    std::string Kind() const override { return "animation"; }
    /// AnimationTypeRadioGroup, WriteNoMaskEdit, P_TimeMaskEdit, then Entry1 to EntryN.
    std::vector<std::string> FieldNames() const override;
    /// The type as its item text ("スーパー", "ノーマル").
    std::optional<std::string> Value(const std::string& name) const override;
    /// The type takes its item text or index ("0", "1"); the boxes take what
    /// could be typed into them (digits, at most 2 and 4); EntryN replaces an
    /// entry, and Entry(N+1) appends one: a bare file name.
    bool SetValue(const std::string& name, const std::string& value, std::string& problem) override;

    // ---- the window ----

    /// The window's opening: the list emptied, no current list, nothing unsaved.
    /// Type, write number and display time keep their values.
    void OpenWindow();
    /// The window closes when ConfirmClose allowed it: PictureFolder is emptied.
    void CloseWindow();

    /// 追加 (insertBefore -1) and 挿入 (before that entry; -1 or out of range
    /// appends): the first picture fixes PictureFolder; a picture from another
    /// folder shows "同一のフォルダー内のファイルしか指定できません" and changes nothing.
    /// A name the unit's list cannot hold (no Shift-JIS form) is refused with the
    /// file-name message. True when the entry was added; Modified is set.
    bool AddPicture(const std::string& path, int insertBefore, Prompter& prompter);
    /// Several pictures of one pick, in the order given, each after the one
    /// before it. The first refused picture shows its one message and ends the
    /// pick: the pictures before it stay. Returns how many were added.
    int AddPictures(const std::vector<std::string>& paths, int insertBefore, Prompter& prompter);
    /// 追加 and 挿入 with their dialog: started in DialogFolder() with no stale
    /// name, several pictures taken in the order chosen. Returns how many were added.
    int AddWithDialog(FileDialog& dialog, const FormDialogs& dialogs, int insertBefore, Prompter& prompter);
    /// 削除: removes entry index (nothing for -1 or out of range) and sets Modified.
    void DeletePicture(int index);
    /// An edit of the type, the write number or the display time in the window.
    void SettingEdited() {
        Modified = true;
        Status.clear();
    }

    /// The checks before saving, in order, stopping at the first failure with its message.
    bool Validate(Prompter& prompter) const { return ShowFailure(prompter, Fault().empty(), Fault()); }
    /// The message of the first check that fails, "" when the list may be saved.
    std::string Fault() const;
    bool Check(Prompter& prompter) override { return Validate(prompter); }

    /// Loads a list file (its messages: path + "オープンエラー", + "リードエラー",
    /// + "アニメーションリストファイルではありません"). On success Entries, Type,
    /// WriteNoText, TimeText, PictureFolder and CurrentFile come from the file
    /// and nothing is unsaved. Values set before a later failure stay.
    bool LoadAnimationList(const std::string& path, Prompter& prompter);
    /// The same, giving the message back instead of showing it.
    bool LoadAnimationList(const std::string& path, std::string& message);
    /// The reading part of LoadAnimationList: CurrentFile and Modified untouched.
    bool ReadFile(const std::string& path, Prompter& prompter) override;
    bool ReadListFile(const std::string& path, std::string& message);

    /// Validates, then WriteFile. True when both files were written.
    bool SaveAnimation(const std::string& path, Prompter& prompter);
    /// The folder rule, then the list file (ListPathFor(path)) and the
    /// animation data file (DataPathFor of it), each whole or not at all, with
    /// every message of the save.
    bool WriteFile(const std::string& path, Prompter& prompter) override;
    /// The same, giving the message back instead of showing it.
    bool WriteFiles(const std::string& path, std::string& message) const;
    /// WriteFiles' two files, each whole or not at all, without the folder
    /// rule; false with the message.
    bool WriteListFile(const std::string& listPath, std::string& message) const;
    bool WriteDataFile(const std::string& dataPath, std::string& message) const;

    /// The list path for a chosen path: the extension of the file name (not of
    /// a folder) replaced by ".alt", or ".alt" appended when it has none.
    static std::string ListPathFor(const std::string& path);
    /// The data path: the list path's extension replaced by ".ana".
    static std::string DataPathFor(const std::string& listPath);
    /// The picture file an entry names in PictureFolder: the entry trimmed of
    /// surrounding blanks and control characters. "" when the entry holds a
    /// folder separator or "..", which must not reach outside PictureFolder.
    std::string PicturePath(const std::string& entry) const;

    /// Every dialog starts in PictureFolder once it is fixed, else in the drive's root.
    std::string DialogFolder(const FormDialogs& dialogs) const override;

    /// The list file the last save wrote (名前を付けて保存 leaves CurrentFile
    /// as it was, so this is how カードに追加 finds what it saved).
    std::string SavedList;
    /// The name the save dialog starts with: none (名前を付けて保存), or the
    /// one カードに追加 proposes (ProposedListName) while it runs.
    std::string SaveName;
    /// 動画01.alt, 動画02.alt, ...: the first whose list and data files are
    /// both absent from PictureFolder (whatever the case of their letters).
    std::string ProposedListName() const;

protected:
    /// 名前を付けて保存 starts without a name (SaveName when カードに追加 gives one).
    std::string SavePreset() const override { return SaveName; }
    /// A save clears Modified and says what it wrote; it never changes CurrentFile.
    void Saved(const std::string& path, bool overwrite, Prompter& prompter) override;
    /// The Yes of "保存しますか？" before 開く runs 名前を付けて保存.
    bool SaveBeforeOpen(const FormDialogs& dialogs, Prompter& prompter) override { return SaveAs(dialogs, prompter); }

private:
    // The data file's framing head and define lines; false when a write failed.
    bool WriteDataHead(OutputFile& out) const;
    // Entry j's picture as the data file takes it (its number, then exactly 80
    // lines of each colour) in block, or its number in block and its colour
    // blocks in kept when PictureBlocks holds them; false after the message
    // when the picture cannot be opened or ends early.
    bool PictureBlock(std::size_t j, std::string& block, std::string_view& kept, std::string& message) const;

public:
    /// Writes the data file's bytes to out (no Commit). False when a write
    /// failed (message untouched) or, after its message, when a picture cannot
    /// be opened or ends early.
    bool WriteDataTo(OutputFile& out, std::string& message) const;
    /// The colour blocks of pictures already copied, by picture path, kept for
    /// later saves of this or another list when not null: checking a card
    /// makes many animations again from the same pictures.
    std::map<std::string, std::string>* PictureBlocks = nullptr;
};

/// Shown once when a list holds more pictures than the demo holds frames.
inline constexpr const char* kDemoOverlongListMessage = "ファイルが３０を超えていますので、最初の３０ファイルを表示します";

/// Before the demo captures a loaded list: an empty list shows
/// "ファイルが追加されていません" and returns false (the demo must not open
/// with an earlier run's frames); a list longer than kMaxDemoFrames shows
/// kDemoOverlongListMessage once and returns true (its first frames play).
bool CheckDemoList(const AnimationList& list, Prompter& prompter);

/// Checks an animation data file: its framing, the define lines and their
/// ranges, then for each picture the "#PICTURE_NO=" line and exactly 80
/// numbered data lines per colour. False with one message naming the failing line.
bool CheckAnimationData(LineReader& in, std::string& message);

/// The define lines of an animation data file.
struct AnimationDataSettings {
    int Type = kAnimationSuper;  ///< kAnimationSuper or kAnimationNormal
    int DisplayTime = 0;         ///< of each picture, in 10 ms
    int Pictures = 0;
    int WriteNo = 0;
};
/// CheckAnimationData, and the values of the define lines when the whole file passed.
bool ReadAnimationData(LineReader& in, AnimationDataSettings& settings, std::string& message);

/// The demo's frames: for each entry of the list, at most kMaxDemoFrames of
/// them, open(path of the entry) loads the picture into doc (a picture that
/// cannot be read leaves doc as it was), then doc is laid out on layout at
/// magnification 80 and RenderNormal draws the frame: YokoMaisuu x 96 by
/// TateMaisuu x 96 pixels. An entry naming no file that can be opened shows
/// "オープンエラー " + the entry and is not loaded; its frame shows doc as it was.
std::vector<MemoryImage> CaptureAnimationFrames(LedHyoujikiClass& doc, const AnimationList& list,
                                                const std::function<void(const std::string& path)>& open,
                                                DrawingSurface& layout, Prompter& prompter);

/// The demo's playing order: frame 0 on every showing, then one frame on every
/// 100 ms tick, back to 0 after the last.
class AnimaDemoSequence {
public:
    static constexpr int kTickMs = 100;
    void Show(int frameCount);
    void Tick();
    int FrameCount = 0;
    int CurrentFrame = 0;
};

}  // namespace tesslor
