#pragma once
// The main window's commands over its one document: each file command's whole
// flow (discard question, dialog, read or write, one undo step, the file that holds the picture,
// the recent files), undo and redo, and what happens when the window closes.
// The window only forwards its menu items, shortcuts and drops here and then
// shows the document's state; tests and tesslor-cli run the same commands.
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/ControlBar.h"
#include "app/DocumentFiles.h"
#include "app/RecentFiles.h"
#include "led/Ledhyoujiki.h"
#include "led/PictureDots.h"
#include "makers/AnimationList.h"
#include "platform/MemoryImage.h"
#include "platform/FileChooser.h"
#include "platform/Files.h"
#include "platform/Prompter.h"
#include "platform/Surface.h"

namespace tesslor {

class DocumentCommands {
public:
    /// A fresh image for one bitmap command (the editor's reads PNG too).
    using ImageMaker = std::function<std::unique_ptr<RgbImage>()>;

    /// The dialogs start where files says (the selected drive's root); recent
    /// may be null (nothing is remembered).
    DocumentCommands(DocumentFiles& files, ControlBar& bar, FileChooser& chooser, RecentFiles* recent,
                     ImageMaker makeImage);

    // ---- ファイル ----
    /// 新規作成: after the discard question, no file name and no dots; the settings stay.
    void NewFile();
    /// 開く: the LED data file dialog in the selected drive's root. True when a file was read.
    bool Open();
    /// 旧ファイルを開く: the old LED file dialog in the current folder. True when read.
    bool OpenOld();
    /// ビットマップファイルを開く. True when a bitmap was converted.
    bool ImportBitmap();
    /// ビットマップファイルで保存. True when a file was written.
    bool ExportBitmap();
    /// 上書き保存: into the picture's own file, or through 名前を付けて保存 when it has none.
    bool Save();
    /// 名前を付けて保存. True when a file was written.
    bool SaveAs();
    /// 旧ファイルで保存. True when a file was written.
    bool SaveOld();
    /// カードに追加: the picture saved into the selected drive's root under a
    /// proposed name the save dialog lets the operator change (its own name,
    /// else one made from text, else 絵01.lee, ...); when another picture on
    /// the card uses its write number, the offer of a free one first; then its
    /// name at the end of the card's Perform.txt. One undo step. True when
    /// the picture is on the card and listed.
    bool AddToCard(const std::string& text = {});
    /// 画像の読み込み's OK: dots become the picture, one undo step, a new
    /// picture no file holds (no name; closing asks before it is lost).
    void TakeImportedPicture(const PictureDots& dots);
    /// A file given by name (a drop, the command line, the card window): .lee
    /// and .led open, .bmp and .png are imported, each after the discard
    /// question; the read's messages name the file. False when refused, of
    /// another kind or unreadable.
    bool OpenByName(const std::string& path);
    /// An entry of 最近使ったファイル: as OpenByName; a file that is gone may
    /// leave the list when the operator says so.
    void OpenRecent(const std::string& path);
    /// Loads an LED data file without dialog or question (the animation
    /// demo goes through its pictures so, inside one undo step); a picture
    /// read completely is what its file holds. True when it was read so.
    bool LoadWithoutQuestion(const std::string& path);
    /// 動画のデモ up to its playing: the discard question, listDialog (started
    /// in the drive's root, no name preset), the list
    /// read into list and checked (with their messages); then ready() (the
    /// window makes way) and each picture loaded and rendered on layout, the
    /// loads one undo step. The list's folder is released again whatever
    /// happens. Nothing when refused, cancelled or the list cannot play.
    std::optional<std::vector<MemoryImage>> AnimationDemoFrames(FileDialog& listDialog, AnimationList& list,
                                                                DrawingSurface& layout,
                                                                const std::function<void()>& ready);
    /// The animation maker's 再生: as 動画のデモ from its discard question on,
    /// for the list as the maker holds it (no dialog, nothing read; the
    /// maker keeps its folder).
    std::optional<std::vector<MemoryImage>> ListDemoFrames(AnimationList& list, DrawingSurface& layout,
                                                           const std::function<void()>& ready);
    /// The window closes: the drive letter is kept in the drive file (a file
    /// that cannot be written is reported and does not keep the program
    /// open), then the discard question. False when the operator keeps the
    /// unsaved picture.
    bool Close(const std::string& driveFilePath, const std::string& driveLetter);

    // ---- 編集 ----
    bool Undo();
    bool Redo();
    /// 編集: the whole picture shifted one dot (dots pushed off the edge are
    /// lost), flipped within its used width or rows, red and green swapped,
    /// or emptied. Each is one undo step; false when nothing changed.
    bool ShiftDots(int dx, int dy);
    bool FlipDotsHorizontally();
    bool FlipDotsVertically();
    bool SwapDotColors();
    bool ClearDots();

    /// The work image of the last bitmap command, null before the first.
    RgbImage* WorkImage() const { return workImage_.get(); }
    /// The settings changed (undo, redo, a file read): the bar shows them.
    /// Runs the bar's rules as after an open.
    void ShowSettingsInBar();

    FileDialog FileOpenDialog;
    FileDialog FileSaveDialog;
    FileDialog OldFileOpenDialog;
    FileDialog OldFileSaveDialog;
    FileDialog BmpFileOpenDialog;
    FileDialog BmpFileSaveDialog;

    /// Runs after the recent list changed.
    std::function<void()> onRecentChanged;
    /// Told what カードに追加 did when it went well (a window shows it in
    /// its status line, no box to click away); without it, a box says it.
    std::function<void(const std::string&)> onCardAdded;

private:
    /// After a file was read: the bar shows its settings and hands them back,
    /// the picture is drawn, nothing is unsaved.
    void AfterRead();
    void Remember(const std::string& path);
    /// The demo's frames of a list read and ready: checked, then ready(),
    /// then each picture loaded and rendered on layout.
    std::optional<std::vector<MemoryImage>> CaptureDemo(AnimationList& list, DrawingSurface& layout,
                                                        const std::function<void()>& ready);
    RgbImage& FreshImage();
    /// A save through dialog by write: one undo step, and the file remembered.
    bool Write(bool (DocumentFiles::*write)(FileDialog&), FileDialog& dialog);
    bool EditDots(const std::function<void(PictureDots&)>& change);

    DocumentFiles& files_;
    LedHyoujikiClass& doc_;
    ControlBar& bar_;
    Prompter& prompter_;
    RecentFiles* recent_;
    ImageMaker makeImage_;
    std::unique_ptr<RgbImage> workImage_;
};

}  // namespace tesslor
