#pragma once
// The animation maker's state apart from its window: the ordered list of
// pictures, the animation's settings, the list file (.alt) and the animation
// data file (.ana) the unit plays, and the demo's frames.
#include <functional>
#include <string>
#include <vector>

#include "led/Ledhyoujiki.h"
#include "platform/Files.h"
#include "platform/MemoryImage.h"
#include "platform/Prompter.h"

namespace tesslor {

/// The animation's type, as the index of AnimationTypeRadioGroup.
inline constexpr int kAnimationSuper = 0;   ///< "スーパー": 1 to 30 pictures, write number 1 to 6
inline constexpr int kAnimationNormal = 1;  ///< "ノーマル": 1 to 15 pictures, write number 1 to 20
/// The most frames the demo holds.
inline constexpr int kMaxDemoFrames = 30;

class AnimationList {
public:
    explicit AnimationList(FileSystem& files = RealFileSystem());

    std::vector<std::string> Entries;  ///< ListBox: bare picture names in play order
    int Type = kAnimationSuper;        ///< AnimationTypeRadioGroup index
    std::string WriteNoText;           ///< WriteNoMaskEdit, as typed (or one digit after a load)
    std::string TimeText = "10";       ///< P_TimeMaskEdit, in units of 10 ms
    std::string PictureFolder;         ///< the one folder of every picture and of the list; "" until fixed
    std::string CurrentList;           ///< the list file last loaded; 上書き保存 saves there
    bool Modified = false;

    /// The window's opening: the list emptied, no current list, nothing unsaved.
    /// Type, write number and display time keep their values.
    void OpenWindow();
    /// The window has closed: PictureFolder is emptied.
    void CloseWindow();

    /// 追加 (insertBefore -1) and 挿入 (before that entry; -1 or out of range
    /// appends): the first picture fixes PictureFolder; a picture from another
    /// folder shows "同一のフォルダー内のファイルしか指定できません" and changes nothing.
    /// A name the unit's list cannot hold (no Shift-JIS form) is refused with the
    /// same kind of message. True when the entry was added; Modified is set.
    bool AddPicture(const std::string& path, int insertBefore, Prompter& prompter);
    /// 削除: removes entry index (nothing for -1 or out of range) and sets Modified.
    void DeletePicture(int index);

    /// The checks before saving, in order, stopping at the first failure with its message.
    bool Validate(Prompter& prompter) const;

    /// Loads a list file (its messages: path + "オープンエラー", + "リードエラー",
    /// + "アニメーションリストファイルではありません"). On success Entries, Type,
    /// WriteNoText, TimeText, PictureFolder and CurrentList come from the file
    /// and nothing is unsaved. Values set before a later failure stay.
    bool LoadAnimationList(const std::string& path, Prompter& prompter);

    /// Validates, checks the folder rule, writes the list file (ListPathFor(path))
    /// and then the animation data file (DataPathFor of it), each whole or not at
    /// all, with every message of the save. True when both were written.
    bool SaveAnimation(const std::string& path, Prompter& prompter);

    /// The list path for a chosen path: the extension of the file name (not of
    /// a folder) replaced by ".alt", or ".alt" appended when it has none.
    static std::string ListPathFor(const std::string& path);
    /// The data path: the list path's extension replaced by ".ana".
    static std::string DataPathFor(const std::string& listPath);
    /// The picture file an entry names in PictureFolder: the entry trimmed of
    /// surrounding blanks and control characters. "" when the entry holds a
    /// folder separator or "..", which must not reach outside PictureFolder.
    std::string PicturePath(const std::string& entry) const;

private:
    // SaveAnimation's two files, each with its own messages; false after the message.
    bool WriteListFile(const std::string& listPath, Prompter& prompter) const;
    bool WriteDataFile(const std::string& dataPath, Prompter& prompter) const;
    // The data file's framing head and define lines; false when a write failed.
    bool WriteDataHead(OutputFile& out) const;
    // Entry j's picture as the data file takes it (its number, then exactly 80
    // lines of each colour) in block; false after the message when the picture
    // cannot be opened or ends early.
    bool PictureBlock(std::size_t j, std::string& block, Prompter& prompter) const;

    FileSystem* files_;
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
/// numbered data lines per colour. Shows one message naming the failing line
/// and returns false.
bool CheckAnimationData(LineReader& in, Prompter& prompter);

/// The demo's frames: for each entry of the list, at most kMaxDemoFrames of
/// them, open(path of the entry) loads the picture into doc (a picture that
/// cannot be read leaves doc as it was), then doc is laid out on layout at
/// magnification 80 and RenderNormal draws the frame: YokoMaisuu x 96 by
/// TateMaisuu x 96 pixels.
std::vector<MemoryImage> CaptureAnimationFrames(LedHyoujikiClass& doc, const AnimationList& list,
                                                const std::function<void(const std::string& path)>& open,
                                                DrawingSurface& layout);

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
