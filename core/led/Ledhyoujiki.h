#pragma once
// The one picture document: 30 x 5 panels with the settings that travel with
// the picture to the unit. File formats, bitmaps and renderings live in their
// own units (files/, led/Renderings.cpp); the methods here delegate to them.
#include <array>
#include <functional>
#include <memory>
#include <string>

#include "app/StartupConfig.h"
#include "led/Ledboard.h"
#include "platform/FileChooser.h"
#include "platform/Files.h"
#include "platform/Prompter.h"
#include "platform/Surface.h"

namespace tesslor {

class DocumentHistory;
struct DocumentState;

class LedHyoujikiClass {
public:
    static constexpr int kPanelColumns = 30;
    static constexpr int kPanelRows = 5;
    static constexpr int kDotColumns = kPanelColumns * 16;  // 480
    static constexpr int kDotRows = kPanelRows * 16;        // 80

    /// Lays the picture out on surface at magnification 100 (dots created, panel
    /// rows at TateMaisuu and below disabled). Messages go to prompter.
    LedHyoujikiClass(DrawingSurface& surface, Prompter& prompter, const StartupConfig& config = {});
    ~LedHyoujikiClass();
    LedHyoujikiClass(const LedHyoujikiClass&) = delete;
    LedHyoujikiClass& operator=(const LedHyoujikiClass&) = delete;

    // ---- construction and drawing ----
    void Layout(DrawingSurface& surface, int magnification, bool create);
    /// New surface and magnification for every panel, then Paint().
    void Relayout(DrawingSurface& surface, int magnification);
    /// Redraws labels and every enabled panel (panels the surface does not need are skipped).
    void Paint();
    /// The operator's pen stroke at surface pixel (x, y); always marks the document modified.
    void DrawDot(int x, int y, Rgb rgb);

    // ---- document commands ----
    /// True at once when nothing is unsaved; otherwise asks "作成したデータが失われてもいいですか？".
    bool ConfirmDiscard();
    /// After ConfirmDiscard(): no file name, every dot off, repainted. Settings stay.
    void NewData();
    /// Every dot off; Modified = false.
    void ClearAll();
    /// Highest panel column with a lit dot, -1 when none.
    int LastUsedColumn() const;
    int MaxColumns() const { return kDotColumns; }

    // ---- undo history ----
    /// Takes the document as it now is (dots, settings, file name) into the
    /// history: one step when anything differs from the state last recorded.
    void RecordStep();
    /// The document as it now is, is what its file holds (just read from it or
    /// written to it). A save under a new name is no step of its own.
    void MarkSaved();
    /// The document as it now is, is what the file where holds (a bitmap it
    /// was converted from), whatever its own file name.
    void MarkKept(const std::string& where);
    /// Whether the document is what its file holds, as far as the history knows.
    bool AtSavedState() const;
    /// Starts the history afresh from the document as it now is; when nothing
    /// is unsaved, that is the saved state.
    void ResetHistory();
    bool CanUndo() const;
    bool CanRedo() const;
    /// One step back or forward: the dots (each changed dot redrawn), the
    /// settings and the file name come back together; Modified is false
    /// exactly when the state reached is what its file holds. False when
    /// there is no step.
    bool Undo();
    bool Redo();
    const DocumentHistory& History() const { return *history_; }

    // ---- settings (index = list index of the tables) ----
    int DisplayModeCount() const;
    std::string DisplayModeName(int i) const;
    bool DisplayModeCodeAt(int i, char& code) const;
    bool FindDisplayMode(char code, int& i) const;
    bool SetDisplayModeByIndex(int i);
    bool SetDisplayMode(char code);
    int DisplayModeIndex() const;
    char DisplayModeCode() const { return displayMode_; }

    int SounyuuMojiCount() const;
    std::string SounyuuMojiName(int i) const;
    bool SounyuuMojiCodeAt(int i, char& code) const;
    bool FindSounyuuMoji(char code, int& i) const;
    bool SetSounyuuMojiByIndex(int i);
    bool SetSounyuuMoji(char code);
    int SounyuuMojiIndex() const;
    char SounyuuMojiCode() const { return sounyuuMoji_; }

    int SounyuuItiCount() const;
    std::string SounyuuItiName(int i) const;
    /// Leaves code untouched when i is out of range.
    bool SounyuuItiCodeAt(int i, char& code) const;
    bool FindSounyuuIti(char code, int& i) const;
    bool SetSounyuuItiByIndex(int i);
    bool SetSounyuuIti(char code);
    int SounyuuItiIndex() const;
    char SounyuuItiCode() const { return sounyuuIti_; }

    /// False unless 0 <= n < 480; else NiniIti = n with three digits.
    bool SetNiniIti(int n);
    /// n = leading integer of text; true when 0 <= n < 480, else n = 0 and false.
    static bool ParseNiniIti(const std::string& text, int& n);
    bool SetNiniItiText(const std::string& text);
    const std::string& NiniItiText() const { return niniIti_; }

    /// n = leading integer of text; in range for the customer mode
    /// ("root" 1-99, "customer51_60" 1-10 and 51-60, otherwise 1-10).
    bool CheckWriteNo(const std::string& text, int& n) const;
    /// Stores the text unchanged, without a check.
    void SetWriteNoText(const std::string& text);
    /// Stores n with two digits.
    void SetWriteNo(int n);
    const std::string& WriteNoText() const { return writeNo_; }

    int ReverseColorCount() const;
    std::string ReverseColorName(int i) const;
    Rgb ReverseColorValue(int i) const;
    /// i = 0 to 2; other values are ignored.
    void SetReverseColorByIndex(int i);
    /// Index whose value is the reverse colour, 0 when none.
    int ReverseColorIndex() const;
    Rgb ReverseModeColor() const { return reverseModeColor_; }

    // ---- LED data file (.lee) ----
    /// SaveToFile(FileName, dialog).
    bool Save(FileDialog& dialog);
    /// Dialog preset with FileName at the selected drive's root; writes on confirmation.
    /// True when a file was written.
    bool SaveAs(FileDialog& dialog);
    /// Writes the LED data file; on an empty or too long name it says so and goes on
    /// as SaveAs. True when the file was written (by this call or the SaveAs).
    bool SaveToFile(const std::string& path, FileDialog& dialog);
    /// Discard question, dialog, OpenFile. False, having changed nothing, when refused
    /// or cancelled; true otherwise, also when the file then failed to open or read.
    bool OpenWithDialog(FileDialog& dialog);
    /// Reads the LED data file without asking. True when it was read completely.
    bool OpenFile(const std::string& path);

    // ---- old LED file (.led) ----
    /// Discard question, dialog, OpenOldFile. The same result rule as OpenWithDialog.
    bool OpenOldWithDialog(FileDialog& dialog);
    /// Reads an old LED file. True when it was read completely. FileName becomes "" either way.
    bool OpenOldFile(const std::string& path);
    /// Dialog preset with FileName; writes on confirmation. True when a file was written.
    bool SaveOldWithDialog(FileDialog& dialog);
    /// Writes an old LED file (30-byte name rule, no dialog). True when written.
    bool SaveOldFile(const std::string& path);

    // ---- bitmaps ----
    /// Discard question, dialog, load into image and convert. False, having changed
    /// nothing, when refused or cancelled; true otherwise, also when loading failed.
    bool ImportBmpWithDialog(FileDialog& dialog, RgbImage& image);
    /// Loads path into image and converts it (no question). True when converted.
    bool ImportBmpFile(const std::string& path, RgbImage& image);
    /// Converts an image the caller has drawn into the picture (discard question first).
    /// True when converted.
    bool ImportImage(const DrawingSurface& image);
    /// Dialog, render into image, save. True when a file was written.
    bool ExportBmpWithDialog(FileDialog& dialog, RgbImage& image);
    /// Renders into image and saves to path. False (nothing written) for an empty
    /// picture or a failed save.
    bool ExportBmpFile(const std::string& path, RgbImage& image);

    // ---- demo renderings (dot size of the last Layout) ----
    void RenderNormal(DrawingSurface& image) const;
    void RenderReversed(DrawingSurface& image) const;
    void RenderBlank(DrawingSurface& image) const;
    int ScrollStripWidth() const;
    void RenderScrollStrip(DrawingSurface& image);

    // ---- access ----
    /// Panel at panel column i (0 to 29), panel row j (0 to 4).
    LedBoardClass& Board(int i, int j) { return *Boards[i * kPanelRows + j]; }
    const LedBoardClass& Board(int i, int j) const { return *Boards[i * kPanelRows + j]; }
    /// Colour code of dot column x (0 to 479), dot row y (0 to 79).
    LedColor DotColor(int x, int y) const;
    const StartupConfig& Config() const { return config_; }
    Prompter& Messages() { return *prompter_; }
    FileSystem& Files() { return *files_; }
    DrawingSurface* CurrentSurface() const { return surface_; }
    int Pitch() const { return pitch_; }
    int ScrollStep() const { return scrollStep_; }

    /// Where file writes and reads go (the real file system by default).
    void SetFileSystem(FileSystem& files) { files_ = &files; }
    /// Root folder of the drive selected in the main window ("E:\" on Windows);
    /// the save-as dialog starts there. Without a provider it starts in "".
    void SetDriveRootProvider(std::function<std::string()> provider) { driveRoot_ = std::move(provider); }
    std::string DriveRoot() const { return driveRoot_ ? driveRoot_() : std::string(); }

    std::array<std::unique_ptr<LedBoardClass>, kPanelColumns * kPanelRows> Boards;
    std::string FileName;
    bool Modified = false;

private:
    friend class LedHyoujikiTestAccess;

    DrawingSurface* surface_ = nullptr;
    int pitch_ = 0;
    std::string writeNo_;
    char displayMode_ = 'A';
    char sounyuuMoji_ = ' ';
    char sounyuuIti_ = 'A';
    std::string niniIti_ = "0";
    Rgb reverseModeColor_ = kRed;
    int scrollStep_ = 6;
    int dotSize_ = 8;

    StartupConfig config_;
    Prompter* prompter_;
    FileSystem* files_;
    std::function<std::string()> driveRoot_;
    std::unique_ptr<DocumentHistory> history_;

    /// Puts a recorded state back, bypassing the setters' rules.
    void RestoreState(const DocumentState& state);
};

}  // namespace tesslor
