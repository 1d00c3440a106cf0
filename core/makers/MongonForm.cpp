#include "makers/MongonForm.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cmath>
#include <climits>
#include <cstdlib>
#include <limits>
#include <string_view>

#include "led/Ledboard.h"
#include "platform/Paths.h"
#include "text/ShiftJis.h"

namespace tesslor {

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string Trimmed(const std::string& text) {
    std::size_t b = 0, e = text.size();
    while (b < e && IsBlank(text[b])) ++b;
    while (e > b && IsBlank(text[e - 1])) --e;
    return text.substr(b, e - b);
}

// A whole text as a 64-bit integer: optional sign, decimal digits, or with
// allowHex "0x" and hexadecimal digits. Nothing for anything else.
std::optional<std::int64_t> WholeInteger(const std::string& text, bool allowHex) {
    if (text.empty()) return std::nullopt;
    std::size_t i = 0;
    bool negative = false;
    if (text[0] == '+' || text[0] == '-') {
        negative = text[0] == '-';
        i = 1;
    }
    int base = 10;
    if (allowHex && text.size() > i + 2 && text[i] == '0' && (text[i + 1] == 'x' || text[i + 1] == 'X')) {
        base = 16;
        i += 2;
    }
    if (i >= text.size() || text.size() - i > 16) return std::nullopt;
    std::int64_t value = 0;
    for (; i < text.size(); ++i) {
        const char c = text[i];
        int digit;
        if (c >= '0' && c <= '9') digit = c - '0';
        else if (base == 16 && c >= 'a' && c <= 'f') digit = c - 'a' + 10;
        else if (base == 16 && c >= 'A' && c <= 'F') digit = c - 'A' + 10;
        else return std::nullopt;
        value = value * base + digit;
        if (value > (std::int64_t{1} << 40)) return std::nullopt;
    }
    return negative ? -value : value;
}

std::size_t Utf8Characters(const std::string& text) {
    std::size_t n = 0;
    for (unsigned char c : text)
        if ((c & 0xC0) != 0x80) ++n;
    return n;
}

bool HasControlCharacter(const std::string& text) {
    for (unsigned char c : text)
        if (c < 0x20 || c == 0x7F) return true;
    return false;
}

std::string HexColour(std::int32_t value) {
    const auto v = static_cast<std::uint32_t>(value);
    char buf[16];
    std::snprintf(buf, sizeof buf, v <= 0xFFFFFF ? "0x%06X" : "0x%08X", v);
    return buf;
}

enum class Field { X, Y, Text, Color, Charset, Height, Name, Pitch, PixelsPerInch, Size, Style };

constexpr const char* kFontFieldNames[] = {"Color", "Charset", "Height", "Name", "Pitch", "PixelsPerInch", "Size", "Style"};

// The row and field a control name stands for.
std::optional<std::pair<int, Field>> ParseFieldName(const std::string& name) {
    auto rowDigit = [](char c) -> int { return c >= '0' && c <= '9' ? c - '0' : -1; };
    for (const auto& [prefix, field] : {std::pair{"X_Edit", Field::X}, std::pair{"Y_Edit", Field::Y},
                                        std::pair{"MojiEdit", Field::Text}}) {
        const std::string p = prefix;
        if (name.size() == p.size() + 1 && name.compare(0, p.size(), p) == 0 && rowDigit(name.back()) >= 0)
            return std::pair{rowDigit(name.back()), field};
    }
    if (name.size() > 6 && name.compare(0, 4, "Font") == 0 && rowDigit(name[4]) >= 0 && name[5] == '.') {
        const std::string rest = name.substr(6);
        for (int k = 0; k < 8; ++k)
            if (rest == kFontFieldNames[k]) return std::pair{rowDigit(name[4]), static_cast<Field>(k + 3)};
    }
    return std::nullopt;
}

// What is wrong with a value for an X or Y box; nothing when it fits.
std::optional<std::string> PositionProblem(const std::string& value) {
    if (FitsPositionMask(value)) return std::nullopt;
    return "「" + value + "」は座標の欄に入りません（3文字まで: 数字か符号、続けて数字2つまで。空欄は位置なし）";
}

// What is wrong with a value for a text box; nothing when it fits.
std::optional<std::string> TextProblem(const std::string& value) {
    if (HasControlCharacter(value)) return "文言の欄は制御文字を含まない1行です";
    if (Utf8Characters(value) > kMongonTextChars) return "文言の欄は80文字までです";
    if (!ToShiftJis(value)) return "シフトJISで表せない文字があります";
    return std::nullopt;
}

// What is wrong with a font's face name; nothing when the file can keep it.
std::optional<std::string> FaceNameProblem(const std::string& value) {
    if (!MongonFaceNameFits(value)) return "フォント名はシフトJISで255バイト以内の1行です";
    return std::nullopt;
}

// A font's numeric field: the whole numbers it takes and how one is set.
struct FontNumberField {
    Field field;
    std::int64_t low, high;
    bool hex;
    void (*set)(MongonFont& f, std::int64_t v);
};

constexpr FontNumberField kFontNumberFields[] = {
    // A file may hold values with the top bit set (0x80000008 and the like):
    // as hex a colour takes the whole unsigned range.
    {Field::Color, INT32_MIN, UINT32_MAX, true,
     [](MongonFont& f, std::int64_t v) { f.Color = static_cast<std::int32_t>(static_cast<std::uint32_t>(v)); }},
    {Field::Charset, 0, 255, false, [](MongonFont& f, std::int64_t v) { f.Charset = static_cast<std::int32_t>(v); }},
    {Field::Height, INT32_MIN + 1, INT32_MAX, false,
     [](MongonFont& f, std::int64_t v) { SetFontHeight(f, static_cast<std::int32_t>(v)); }},
    {Field::Pitch, 0, 255, false, [](MongonFont& f, std::int64_t v) { f.Pitch = static_cast<std::uint8_t>(v); }},
    // As on a font, the height stays and the size follows it.
    {Field::PixelsPerInch, INT32_MIN, INT32_MAX, false,
     [](MongonFont& f, std::int64_t v) {
         f.PixelsPerInch = static_cast<std::int32_t>(v);
         SetFontHeight(f, f.Height);
     }},
    {Field::Size, INT32_MIN + 1, INT32_MAX, false,
     [](MongonFont& f, std::int64_t v) { SetFontSize(f, static_cast<std::int32_t>(v)); }},
    {Field::Style, 0, 255, false, [](MongonFont& f, std::int64_t v) { f.Style = static_cast<std::uint8_t>(v); }},
};

// Sets a numeric field of the font from value; what is wrong with the value,
// the font untouched, when it is not a whole number in the field's range.
std::optional<std::string> SetFontNumber(MongonFont& font, Field field, const std::string& value) {
    for (const FontNumberField& f : kFontNumberFields) {
        if (f.field != field) continue;
        const std::optional<std::int64_t> v = WholeInteger(value, f.hex);
        if (!v || *v < f.low || *v > f.high)
            return "「" + value + "」は" + std::to_string(f.low) + "から" + std::to_string(f.high) + "までの整数ではありません";
        f.set(font, *v);
        return std::nullopt;
    }
    return std::nullopt;
}

}  // namespace

std::int32_t ParsePosition(const std::string& text) {
    const std::optional<std::int64_t> v = WholeInteger(Trimmed(text), false);
    if (!v || *v < INT32_MIN || *v > INT32_MAX) return kMongonNoPosition;
    return static_cast<std::int32_t>(*v);
}

std::string PositionText(std::int32_t value) {
    return value == kMongonNoPosition ? std::string() : std::to_string(value);
}

bool FitsPositionMask(const std::string& text) {
    if (text.size() > kMongonPositionChars) return false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        const bool digit = c >= '0' && c <= '9';
        if (!digit && !(i == 0 && (c == '+' || c == '-'))) return false;
    }
    return true;
}

bool IsPixelFontFace(const std::string& face) {
    auto startsWith = [&](std::string_view prefix) {
        if (face.size() < prefix.size()) return false;
        for (std::size_t i = 0; i < prefix.size(); ++i)
            if (std::tolower(static_cast<unsigned char>(face[i])) != static_cast<unsigned char>(prefix[i]))
                return false;
        return true;
    };
    return startsWith("unifont") || startsWith("misaki") || startsWith("美咲");
}

void GivePixelFont(MongonFont& font, const MongonPixelFont& pixelFont) {
    font.Name = pixelFont.Face;
    // The height is in pixels at 96 per inch: set that first, so the size
    // follows from the height and not from an earlier resolution.
    font.PixelsPerInch = kMongonScreenPixelsPerInch;
    SetFontHeight(font, -pixelFont.Pixels);
    font.Pitch = 0;
    font.Style = 0;
}

FontSpec MongonBoxFont(const MongonFont& font) {
    FontSpec shown = FontSpecOf(font);
    // A text box never shows a row taller than the canvas it is drawn on.
    shown.pixelSize = std::min(shown.pixelSize, kMongonCanvasHeight);
    if (IsPixelFontFace(shown.face) && shown.pixelSize < kMongonSmallestBoxPixels) {
        const int factor = (kMongonSmallestBoxPixels + shown.pixelSize - 1) / shown.pixelSize;
        shown.pixelSize *= factor;
    }
    return shown;
}

std::uint8_t FontStyleBits(bool bold, bool italic, bool underline, bool strikeOut) {
    return static_cast<std::uint8_t>((bold ? kFontBold : 0) | (italic ? kFontItalic : 0) |
                                     (underline ? kFontUnderline : 0) | (strikeOut ? kFontStrikeOut : 0));
}

bool MongonFaceNameFits(const std::string& face) {
    const std::optional<std::string> sjis = ToShiftJis(face);
    return sjis && sjis->size() < kMongonFaceBytes && !HasControlCharacter(face);
}

std::string MongonFaceRefusedMessage(const std::string& family) {
    return "フォント「" + family +
           "」は文言ファイルに保存できません。名前がシフトJISで表せる（255バイト以内の）フォントを選んで下さい";
}

std::optional<MongonFont> MongonFontOfChosen(const ChosenFont& chosen, const MongonFont& row,
                                             const std::string& rowDrawnFamily) {
    // The dialog lists real families: "ＭＳ Ｐゴシック" shows as the font
    // standing in for it. Kept as it is, the row keeps the name its file had.
    const std::string& family = chosen.Family == rowDrawnFamily ? row.Name : chosen.Family;
    if (!MongonFaceNameFits(family)) return std::nullopt;
    MongonFont f = row;
    f.Name = family;
    f.PixelsPerInch = kMongonScreenPixelsPerInch;
    f.Style = chosen.Style;
    if (chosen.PixelSize > 0) SetFontHeight(f, -chosen.PixelSize);
    else SetFontSize(f, static_cast<std::int32_t>(std::lround(chosen.PointSize)));
    return f;
}

MongonForm::MongonForm(int nanSyoku, int tateMaisuu, FileSystem& files)
    : Form(files), DefaultFont(WindowMongonFont()), nanSyoku_(nanSyoku), tateMaisuu_(tateMaisuu) {
    // Hidden rows are cleared too: their controls' fonts go into every saved
    // table, and a table's rows should not differ by the display they came from.
    for (int i = 0; i < kMongonRows; ++i) ClearRowControls(i);
    for (MongonRow& row : Table.Rows) row.Font = DefaultFont;
    Modified = false;
    MarkUnchanged();
}

std::int32_t MongonForm::RowColour() const { return nanSyoku_ == -1 ? kMongonYellow : kMongonRed; }

void MongonForm::SetRowTexts(int row, const std::string& x, const std::string& y, const std::string& text) {
    MongonFormRow& r = Rows[row];
    if (r.X != x || r.Y != y || r.Text != text) Modified = true;
    r.X = x;
    r.Y = y;
    r.Text = text;
}

void MongonForm::ClearRowControls(int row) {
    SetRowTexts(row, "", "", "");
    Rows[row].Font = DefaultFont;
    Rows[row].Font.Color = RowColour();
}

MongonTable MongonForm::CollectedTable() const {
    MongonTable t;
    for (int i = 0; i < kMongonRows; ++i) {
        const MongonFormRow& r = Rows[i];
        t.Rows[i].Font = r.Font;
        t.Rows[i].Text = r.Text;
        t.Rows[i].X = ParsePosition(r.X);
        t.Rows[i].Y = ParsePosition(r.Y);
    }
    return t;
}

void MongonForm::CollectRows() { Table = CollectedTable(); }

void MongonForm::ShowRows() {
    for (int i = 0; i < kMongonRows; ++i) {
        const MongonRow& row = Table.Rows[i];
        ApplyFont(row.Font, Rows[i].Font);
        // The boxes hold what their mask lets them: a hand-made position
        // beyond three characters is cut as the box would cut it.
        auto boxText = [](std::int32_t v) { return PositionText(v).substr(0, kMongonPositionChars); };
        std::string text = row.Text;
        if (Utf8Characters(text) > kMongonTextChars) {
            std::size_t n = 0, at = 0;
            for (; at < text.size(); ++at)
                if ((static_cast<unsigned char>(text[at]) & 0xC0) != 0x80 && n++ == kMongonTextChars) break;
            text.resize(at);
        }
        SetRowTexts(i, boxText(row.X), boxText(row.Y), text);
    }
}

void MongonForm::ChooseRowFont(int row,
                               const std::function<std::optional<MongonFont>(const MongonFont&)>& chooseFont,
                               const std::function<std::int32_t(std::optional<std::int32_t>)>& chooseColour) {
    if (row < 0 || row >= kMongonRows) return;
    MongonFont& font = Rows[row].Font;
    if (std::optional<MongonFont> chosen = chooseFont(font)) {
        font = *chosen;
        Modified = true;
        if (nanSyoku_ == -1) font.Color = kMongonYellow;
        if (nanSyoku_ == 1) font.Color = kMongonRed;
    }
    if (nanSyoku_ == -1 || nanSyoku_ == 1) return;
    std::optional<std::int32_t> preset;
    if (font.Color == kMongonRed || font.Color == kMongonGreen || font.Color == kMongonYellow) preset = font.Color;
    const std::int32_t colour = chooseColour(preset);
    // A colour changed on its own is a change to save like any other.
    if (colour != font.Color) Modified = true;
    font.Color = colour;
}

void MongonForm::GiveRowPixelFont(int row, const MongonPixelFont& pixelFont) {
    if (row < 0 || row >= kMongonRows) return;
    GivePixelFont(Rows[row].Font, pixelFont);
    Modified = true;
}

std::string MongonForm::DrawnText() const {
    std::string text;
    for (const MongonRow& row : Table.Rows) {
        if (!row.HasPosition() || row.Text.empty()) continue;
        if (!text.empty()) text += ' ';
        text += row.Text;
    }
    return text;
}

bool MongonForm::RenderRows(RgbImage& canvas, LedHyoujikiClass& doc, const std::string& tmpBitmapPath,
                            Prompter& prompter, const std::function<void()>& repaint) {
    CollectRows();
    const bool taken = RenderMongonTable(Table, canvas, doc, tmpBitmapPath, prompter);
    if (taken) rendered_.emplace(Table, CapturePicture(doc));
    if (repaint) repaint();
    // Answered いいえ at the discard question: no picture was made to speak of.
    if (taken) prompter.Inform(RenderedMessage());
    return taken;
}

std::vector<int> MongonForm::RowsLeftOut() const {
    std::vector<int> rows;
    for (int i = 0; i < kMongonRows; ++i) {
        const MongonFormRow& r = Rows[i];
        // A hidden row cannot be mended in the window: it is not named.
        if (!RowShown(i) || r.Text.empty()) continue;
        if (ParsePosition(r.X) <= kMongonNoPosition || ParsePosition(r.Y) <= kMongonNoPosition) rows.push_back(i);
    }
    return rows;
}

std::string MongonForm::RenderedMessage() const {
    const std::vector<int> rows = RowsLeftOut();
    if (rows.empty()) return kMongonRenderedMessage;
    std::string named;
    for (int row : rows) named += (named.empty() ? "" : "、") + std::to_string(row);
    return std::string(kMongonRenderedMessage) + "\n項番 " + named +
           " の文言は、横座標か縦座標に数が入っていないため表示データに入っていません";
}

bool MongonForm::ShowsRendering(const LedHyoujikiClass& doc) const {
    return rendered_ && rendered_->first == CollectedTable() && rendered_->second == CapturePicture(doc);
}

bool MongonForm::ReadFile(const std::string& path, Prompter& prompter) {
    MongonTable read;
    std::vector<std::string> said;
    const MongonReadResult result = ::tesslor::ReadMongonFile(Files(), path, read, said);
    ShowAll(prompter, true, said);
    if (result == MongonReadResult::kCannotOpen) return false;
    CurrentFile = path;
    if (result != MongonReadResult::kRead) return false;
    Table = std::move(read);
    ShowRows();
    return true;
}

bool MongonForm::WriteFile(const std::string& path, Prompter& prompter) {
    CollectRows();
    return ::tesslor::WriteMongonFile(Files(), prompter, path, Table);
}

void MongonForm::Saved(const std::string& path, bool overwrite, Prompter& prompter) {
    if (overwrite) {
        prompter.Inform(MongonOverwrittenMessage(path));
        return;
    }
    CurrentFile = path;
    prompter.Inform(MongonSavedMessage(path));
}

std::string MongonForm::DialogFolder(const FormDialogs& dialogs) const {
    if (CurrentFile.empty()) return dialogs.DriveRoot;
    const std::string folder = FolderPart(CurrentFile);
    // A file in the root folder: its folder part is empty, the folder is "/".
    if (folder.empty() && (CurrentFile[0] == '/' || CurrentFile[0] == '\\')) return CurrentFile.substr(0, 1);
    return folder.empty() ? dialogs.DriveRoot : folder;
}

bool MongonForm::ResetRows(const FormDialogs& dialogs, Prompter& prompter) {
    // As for 開く: a save the operator wanted and that failed or was cancelled
    // keeps the rows.
    if (!AskToSave(dialogs, prompter)) return false;
    CurrentFile.clear();
    Table = MongonTable{};
    for (MongonRow& row : Table.Rows) row.Font = DefaultFont;
    // Hidden rows are cleared as well: rows of an earlier file left in them
    // would still be drawn after 新規作成.
    for (int i = 0; i < kMongonRows; ++i) ClearRowControls(i);
    MarkUnchanged();
    return true;
}

const std::vector<std::string>& MongonForm::AllFieldNames() {
    static const std::vector<std::string> names = [] {
        std::vector<std::string> n;
        for (const char* prefix : {"X_Edit", "Y_Edit", "MojiEdit"})
            for (int i = 0; i < kMongonRows; ++i) n.push_back(prefix + std::to_string(i));
        for (int i = 0; i < kMongonRows; ++i)
            for (const char* f : kFontFieldNames) n.push_back("Font" + std::to_string(i) + "." + f);
        return n;
    }();
    return names;
}

std::optional<std::string> MongonForm::Value(const std::string& name) const {
    const auto field = ParseFieldName(name);
    if (!field) return std::nullopt;
    const MongonFormRow& r = Rows[field->first];
    const MongonFont& f = r.Font;
    switch (field->second) {
        case Field::X: return r.X;
        case Field::Y: return r.Y;
        case Field::Text: return r.Text;
        case Field::Color: return HexColour(f.Color);
        case Field::Charset: return std::to_string(f.Charset);
        case Field::Height: return std::to_string(f.Height);
        case Field::Name: return f.Name;
        case Field::Pitch: return std::to_string(f.Pitch);
        case Field::PixelsPerInch: return std::to_string(f.PixelsPerInch);
        case Field::Size: return std::to_string(f.Size);
        case Field::Style: return std::to_string(f.Style);
    }
    return std::nullopt;
}

bool MongonForm::SetValue(const std::string& name, const std::string& value, std::string& problem) {
    const auto field = ParseFieldName(name);
    if (!field) {
        problem = "文言編集に「" + name + "」という項目はありません";
        return false;
    }
    const auto [row, which] = *field;
    MongonFormRow& r = Rows[row];
    std::optional<std::string> refused;
    switch (which) {
        case Field::X:
        case Field::Y:
            if ((refused = PositionProblem(value))) break;
            SetRowTexts(row, which == Field::X ? value : r.X, which == Field::Y ? value : r.Y, r.Text);
            return true;
        case Field::Text:
            if ((refused = TextProblem(value))) break;
            SetRowTexts(row, r.X, r.Y, value);
            return true;
        case Field::Name:
            if ((refused = FaceNameProblem(value))) break;
            r.Font.Name = value;
            Modified = true;
            return true;
        default:
            if ((refused = SetFontNumber(r.Font, which, value))) break;
            Modified = true;
            return true;
    }
    problem = name + ": " + *refused;
    return false;
}

std::vector<std::uint8_t> MongonPreviewDots(const MongonTable& table, DrawingSurface& canvas, int tateMaisuu) {
    constexpr int kColumns = LedHyoujikiClass::kDotColumns, kRows = LedHyoujikiClass::kDotRows;
    std::vector<std::uint8_t> dots(static_cast<std::size_t>(kColumns) * kRows, 0);
    DrawMongonRows(table, canvas);
    const int litRows = std::min(kRows, std::max(0, tateMaisuu) * LedBoardClass::kDots);
    for (int y = 0; y < litRows; ++y)
        for (int x = 0; x < kColumns; ++x) {
            const Rgb c = canvas.GetPixel(x, y);
            dots[static_cast<std::size_t>(y) * kColumns + x] =
                static_cast<std::uint8_t>((c.r == 255 ? 1 : 0) | (c.g == 255 ? 2 : 0));
        }
    return dots;
}

}  // namespace tesslor
