#pragma once
// The one picture document: 30 x 5 panels with the settings that travel with
// the picture to the unit, its file name, whether anything is unsaved, and its
// undo history. It asks nothing and opens no dialog: the file commands over it
// live in app/ (DocumentFiles, DocumentCommands), the formats in files/.
#include <array>
#include <functional>
#include <memory>
#include <string>

#include "led/Ledboard.h"
#include "platform/Surface.h"

namespace tesslor {

class DocumentHistory;
struct DocumentState;

/// Whether a write number read from a file is one this program offers; n is
/// its value (the customer mode decides the range).
using WriteNoCheck = std::function<bool(const std::string& text, int& n)>;

/// The display a document is laid out for.
struct DisplayShape {
    int TateMaisuu = 5;  ///< panel rows the unit has; rows below stay dark
    int YokoMaisuu = 5;  ///< panel columns the unit shows at once
    int NanSyoku = 2;    ///< colours: -1 (XK series), 1 or 2
    bool operator==(const DisplayShape&) const = default;
};

class LedHyoujikiClass {
public:
    static constexpr int kPanelColumns = 30;
    static constexpr int kPanelRows = 5;
    static constexpr int kDotColumns = kPanelColumns * 16;  // 480
    static constexpr int kDotRows = kPanelRows * 16;        // 80

    /// Lays the picture out on surface at magnification 100 (dots created, panel
    /// rows at the shape's TateMaisuu and below disabled).
    explicit LedHyoujikiClass(DrawingSurface& surface, const DisplayShape& shape = {});
    ~LedHyoujikiClass();
    LedHyoujikiClass(const LedHyoujikiClass&) = delete;
    LedHyoujikiClass& operator=(const LedHyoujikiClass&) = delete;

    // ---- construction and drawing ----
    void Layout(DrawingSurface& surface, int magnification, bool create);
    /// New surface and magnification for every panel, then Paint().
    void Relayout(DrawingSurface& surface, int magnification);
    /// Redraws labels and every enabled panel (panels the surface does not need are skipped).
    void Paint();
    /// The operator's pen stroke at surface pixel (x, y).
    void DrawDot(int x, int y, Rgb rgb);

    // ---- document commands ----
    /// Every dot off.
    void ClearAll();
    /// Every display setting and the file name as a new document has them
    /// (the dots, the layout and the history stay).
    void ResetSettings();
    /// Highest panel column with a lit dot, -1 when none.
    int LastUsedColumn() const;
    int MaxColumns() const { return kDotColumns; }

    // ---- undo history and saved state ----
    // A change becomes an undo step inside a DocumentStep (led/DocumentStep.h);
    // whether anything is unsaved follows from the history, never set by hand.
    /// Whether the document as it now is (dots, settings, file name) differs
    /// from everything a file is known to hold.
    bool Modified() const;
    /// The document as it now is, is what the file where holds (just read
    /// from it or written to it; a bitmap it was converted from keeps its own
    /// file name). A save under a new name is no step of its own.
    void HeldIn(const std::string& where);
    /// The file where now holds something other than this program knew
    /// (written from another window): a picture it was kept in is unsaved.
    void Rewritten(const std::string& where);
    /// Starts the history afresh from the document as it now is, which is
    /// taken as nothing unsaved (the start of the program).
    void StartHistory();
    bool CanUndo() const;
    bool CanRedo() const;
    /// One step back or forward: the dots (each changed dot redrawn), the
    /// settings and the file name come back together. A change not yet
    /// recorded (a stroke not yet ended) is a step of its own first, so that
    /// undo takes back exactly that. False when there is no step.
    bool Undo();
    bool Redo();
    const DocumentHistory& History() const { return *history_; }

    // ---- settings (index = list index of the tables) ----
    int DisplayModeCount() const;
    std::string DisplayModeName(int i) const;
    bool DisplayModeCodeAt(int i, char& code) const;
    bool SetDisplayModeByIndex(int i);
    bool SetDisplayMode(char code);
    int DisplayModeIndex() const;
    char DisplayModeCode() const { return displayMode_; }

    int SounyuuMojiCount() const;
    std::string SounyuuMojiName(int i) const;
    bool SounyuuMojiCodeAt(int i, char& code) const;
    bool SetSounyuuMojiByIndex(int i);
    bool SetSounyuuMoji(char code);
    int SounyuuMojiIndex() const;
    char SounyuuMojiCode() const { return sounyuuMoji_; }

    int SounyuuItiCount() const;
    std::string SounyuuItiName(int i) const;
    /// Leaves code untouched when i is out of range.
    bool SounyuuItiCodeAt(int i, char& code) const;
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
    const DisplayShape& Shape() const { return shape_; }
    DrawingSurface* CurrentSurface() const { return surface_; }
    int Pitch() const { return pitch_; }
    int ScrollStep() const { return scrollStep_; }

    std::array<std::unique_ptr<LedBoardClass>, kPanelColumns * kPanelRows> Boards;
    std::string FileName;

private:
    friend class LedHyoujikiTestAccess;
    friend class DocumentStep;

    /// Takes the document as it now is into the history: one step when
    /// anything differs from the state last recorded; typing names a box
    /// typed into key by key, whose changes of settings are one step.
    void RecordStep(const std::string& typing = {});

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

    DisplayShape shape_;
    std::unique_ptr<DocumentHistory> history_;

    /// Puts a recorded state back, bypassing the setters' rules.
    void RestoreState(const DocumentState& state);
};

}  // namespace tesslor
