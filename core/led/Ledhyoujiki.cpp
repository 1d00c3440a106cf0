#include "led/Ledhyoujiki.h"

#include <algorithm>

#include "led/DocumentHistory.h"
#include "led/DocumentPicture.h"
#include "led/Tables.h"
#include "platform/Paths.h"
#include "text/Numbers.h"
#include "text/ShiftJis.h"

namespace tesslor {

namespace {
const Rgb kReverseColors[] = {kRed, kGreen, kYellow};
constexpr int kReverseColorCount = 3;

std::string NameAt(const CodeName* table, int i) {
    if (i < 0 || static_cast<std::size_t>(i) >= TableLength(table)) return "";
    return table[i].name;
}
}  // namespace

LedHyoujikiClass::LedHyoujikiClass(DrawingSurface& surface, const DisplayShape& shape)
    : surface_(&surface), shape_(shape), history_(std::make_unique<DocumentHistory>()) {
    for (auto& b : Boards) b = std::make_unique<LedBoardClass>();
    Layout(surface, 100, true);
    ResetSettings();
    StartHistory();
}

void LedHyoujikiClass::ResetSettings() {
    displayMode_ = 'A';
    sounyuuMoji_ = ' ';
    sounyuuIti_ = 'A';
    niniIti_ = "0";
    writeNo_ = "";
    reverseModeColor_ = kRed;
    FileName.clear();
}

LedHyoujikiClass::~LedHyoujikiClass() = default;

void LedHyoujikiClass::Layout(DrawingSurface& surface, int magnification, bool create) {
    // A magnification below 12.5 % would give dots of no size; the smallest dot is one pixel.
    int dot = std::max(1, magnification * 8 / 100);
    dotSize_ = dot;
    const int S = 16 * dot + 2;
    pitch_ = S + 1;
    surface.SetSize(pitch_ * kPanelColumns + 23, pitch_ * kPanelRows + 27);
    for (int i = 0; i < kPanelColumns; ++i) {
        for (int j = 0; j < kPanelRows; ++j) {
            LedBoardClass& b = Board(i, j);
            b.SetFrameInfo({i, j, shape_.YokoMaisuu, shape_.TateMaisuu});
            Point origin{21 + i * pitch_, 13 + j * pitch_};
            if (create) b.Build(origin, S, &surface, j < shape_.TateMaisuu);
            else b.Relayout(origin, S, &surface);
        }
    }
}

void LedHyoujikiClass::Relayout(DrawingSurface& surface, int magnification) {
    surface_ = &surface;
    Layout(surface, magnification, false);
    Paint();
}

void LedHyoujikiClass::Paint() {
    if (surface_ == nullptr) return;
    DrawingSurface& s = *surface_;
    const FontSpec labelFont;  // the window's font
    // With dots of one pixel (全体表示 in a small window) a panel is narrower
    // than its three-digit label: every other column is labelled, none overlaps.
    const int labelEvery = pitch_ < 30 ? 2 : 1;
    for (int i = 0; i < kPanelColumns; ++i) {
        const LedBoardClass& top = Board(i, 0);
        if (i % labelEvery == 0 && s.NeedsDrawing(top.X, top.Y - 12, top.X + 40, top.Y))
            s.TextOut(top.X, top.Y - 12, std::to_string(i * 16), labelFont, kBlue, kButtonFace);
        for (int j = 0; j < kPanelRows; ++j) {
            Board(i, j).Draw();
            if (i == 0 && j <= shape_.TateMaisuu) {
                const LedBoardClass& b = Board(0, j);
                if (s.NeedsDrawing(b.X - 20, b.Y, b.X, b.Y + 14))
                    s.TextOut(b.X - 20, b.Y, std::to_string(j * 16), labelFont, kBlue, kButtonFace);
            }
        }
    }
}

void LedHyoujikiClass::DrawDot(int x, int y, Rgb rgb) {
    int gc = (x - 20) / pitch_;
    int gr = (y - 12) / pitch_;
    if (gc < 0 || gr < 0) return;
    gc = std::min(gc, kPanelColumns - 1);
    gr = std::min(gr, kPanelRows - 1);
    Board(gc, gr).SetDotAt(x, y, rgb);
}

void LedHyoujikiClass::ClearAll() {
    for (auto& b : Boards) b->ClearAll();
}

// ---- undo history and saved state ----

namespace {
DocumentState CaptureState(const LedHyoujikiClass& doc) {
    return {CapturePicture(doc), CaptureSettings(doc), doc.FileName};
}
}  // namespace

void LedHyoujikiClass::RecordStep(const std::string& typing) { history_->Record(CaptureState(*this), typing); }

bool LedHyoujikiClass::Modified() const { return !history_->Holds(CaptureState(*this)); }

void LedHyoujikiClass::HeldIn(const std::string& where) { history_->Hold(CaptureState(*this), where); }
void LedHyoujikiClass::Rewritten(const std::string& where) { history_->Rewritten(where); }

void LedHyoujikiClass::StartHistory() { history_->Reset(CaptureState(*this), true); }

bool LedHyoujikiClass::CanUndo() const { return history_->CanUndo(); }
bool LedHyoujikiClass::CanRedo() const { return history_->CanRedo(); }

bool LedHyoujikiClass::Undo() {
    RecordStep();
    if (!history_->Undo()) return false;
    RestoreState(history_->Current());
    return true;
}

bool LedHyoujikiClass::Redo() {
    RecordStep();
    if (!history_->Redo()) return false;
    RestoreState(history_->Current());
    return true;
}

void LedHyoujikiClass::RestoreState(const DocumentState& state) {
    ShowPicture(*this, state.dots);
    displayMode_ = state.settings.displayMode;
    sounyuuMoji_ = state.settings.sounyuuMoji;
    sounyuuIti_ = state.settings.sounyuuIti;
    niniIti_ = state.settings.niniIti;
    writeNo_ = state.settings.writeNo;
    reverseModeColor_ = ReverseColorValue(state.settings.reverseColor);
    FileName = state.fileName;
}

int LedHyoujikiClass::LastUsedColumn() const {
    for (int i = kPanelColumns - 1; i >= 0; --i) {
        for (int j = 0; j < kPanelRows; ++j) {
            int c;
            if (Board(i, j).LastLitColumn(c)) return i;
        }
    }
    return -1;
}

LedColor LedHyoujikiClass::DotColor(int x, int y) const {
    if (x < 0 || y < 0 || x >= kDotColumns || y >= kDotRows) return kOff;
    return Board(x / 16, y / 16).Led(x % 16, y % 16).Color;
}

// ---- display mode, insertion and insertion position ----
// The three settings share one shape: a code from its table, looked up by
// linear search; a change of value marks the document modified.

namespace {
int Count(const CodeName* table) { return static_cast<int>(TableLength(table)); }

// Code at list index i; false when i is outside the table.
bool CodeIn(const CodeName* table, int i, char& code) {
    if (i < 0 || i >= Count(table)) return false;
    code = table[i].code;
    return true;
}

// Stores code when the table has it.
bool SetCodeIn(const CodeName* table, char code, char& field) {
    int i;
    if (!FindCode(table, code, i)) return false;
    field = code;
    return true;
}

int IndexIn(const CodeName* table, char code) {
    int i = -1;
    FindCode(table, code, i);
    return i;
}
}  // namespace

int LedHyoujikiClass::DisplayModeCount() const { return Count(kDisplayModeTable); }
std::string LedHyoujikiClass::DisplayModeName(int i) const { return NameAt(kDisplayModeTable, i); }
bool LedHyoujikiClass::DisplayModeCodeAt(int i, char& code) const {
    if (CodeIn(kDisplayModeTable, i, code)) return true;
    code = static_cast<char>(0xFF);
    return false;
}
bool LedHyoujikiClass::SetDisplayModeByIndex(int i) {
    char code;
    return DisplayModeCodeAt(i, code) && SetDisplayMode(code);
}
bool LedHyoujikiClass::SetDisplayMode(char code) {
    return SetCodeIn(kDisplayModeTable, code, displayMode_);
}
int LedHyoujikiClass::DisplayModeIndex() const { return IndexIn(kDisplayModeTable, displayMode_); }

int LedHyoujikiClass::SounyuuMojiCount() const { return Count(kSounyuuMojiTable); }
std::string LedHyoujikiClass::SounyuuMojiName(int i) const { return NameAt(kSounyuuMojiTable, i); }
bool LedHyoujikiClass::SounyuuMojiCodeAt(int i, char& code) const {
    if (CodeIn(kSounyuuMojiTable, i, code)) return true;
    code = static_cast<char>(0xFF);
    return false;
}
bool LedHyoujikiClass::SetSounyuuMojiByIndex(int i) {
    char code;
    return SounyuuMojiCodeAt(i, code) && SetSounyuuMoji(code);
}
bool LedHyoujikiClass::SetSounyuuMoji(char code) {
    return SetCodeIn(kSounyuuMojiTable, code, sounyuuMoji_);
}
int LedHyoujikiClass::SounyuuMojiIndex() const { return IndexIn(kSounyuuMojiTable, sounyuuMoji_); }

int LedHyoujikiClass::SounyuuItiCount() const { return Count(kSounyuuItiTable); }
std::string LedHyoujikiClass::SounyuuItiName(int i) const { return NameAt(kSounyuuItiTable, i); }
// Leaves code as it was when i is outside the table.
bool LedHyoujikiClass::SounyuuItiCodeAt(int i, char& code) const { return CodeIn(kSounyuuItiTable, i, code); }
bool LedHyoujikiClass::SetSounyuuItiByIndex(int i) {
    char code;
    return SounyuuItiCodeAt(i, code) && SetSounyuuIti(code);
}
bool LedHyoujikiClass::SetSounyuuIti(char code) { return SetCodeIn(kSounyuuItiTable, code, sounyuuIti_); }
int LedHyoujikiClass::SounyuuItiIndex() const { return IndexIn(kSounyuuItiTable, sounyuuIti_); }

// ---- arbitrary position ----
bool LedHyoujikiClass::SetNiniIti(int n) {
    if (n < 0 || n >= kDotColumns) return false;
    std::string text = ZeroPad(n, 3);
    niniIti_ = text;
    return true;
}

bool LedHyoujikiClass::ParseNiniIti(const std::string& text, int& n) {
    n = LeadingInt(text);
    if (n >= 0 && n < kDotColumns) return true;
    n = 0;
    return false;
}

bool LedHyoujikiClass::SetNiniItiText(const std::string& text) {
    int n;
    if (!ParseNiniIti(text, n)) return false;
    return SetNiniIti(n);
}

// ---- write number ----
void LedHyoujikiClass::SetWriteNoText(const std::string& text) {
    writeNo_ = text;
}

void LedHyoujikiClass::SetWriteNo(int n) { SetWriteNoText(ZeroPad(n, 2)); }

// ---- reverse colour ----
int LedHyoujikiClass::ReverseColorCount() const { return kReverseColorCount; }
std::string LedHyoujikiClass::ReverseColorName(int i) const {
    if (i < 0 || i >= kReverseColorCount) return "";
    return kColorNames[i];
}
Rgb LedHyoujikiClass::ReverseColorValue(int i) const {
    if (i < 0 || i >= kReverseColorCount) return kBlack;
    return kReverseColors[i];
}
void LedHyoujikiClass::SetReverseColorByIndex(int i) {
    if (i < 0 || i >= kReverseColorCount) return;
    reverseModeColor_ = kReverseColors[i];
}
int LedHyoujikiClass::ReverseColorIndex() const {
    for (int i = 0; i < kReverseColorCount; ++i)
        if (kReverseColors[i] == reverseModeColor_) return i;
    return 0;
}

}  // namespace tesslor
