#include "makers/MongonTable.h"

#include <algorithm>
#include <cstring>
#include <limits>

#include "files/Bitmap.h"
#include "led/DocumentStep.h"
#include "platform/DialogFlows.h"
#include "text/Numbers.h"
#include "text/ShiftJis.h"

namespace tesslor {

std::string MongonCannotOpenMessage(const std::string& path) { return "open エラー (" + path + ")"; }
std::string MongonShortReadMessage(const std::string& path) { return "read エラー  (" + path + ")"; }
std::string MongonDataErrorMessage(const std::string& path) { return "文言ファイルのデータエラー(" + path + ")"; }
std::string MongonSavedMessage(const std::string& path) { return "保存完了(" + path + ")"; }
std::string MongonOverwrittenMessage(const std::string& path) { return "上書き完了(" + path + ")"; }

MongonFont WindowMongonFont() {
    MongonFont f;
    f.Charset = 128;
    f.Height = -12;
    f.Name = "ＭＳ Ｐゴシック";
    f.Pitch = 0;
    f.PixelsPerInch = 96;
    f.Size = 9;
    f.Style = 0;
    return f;
}

std::int32_t MulDiv(std::int32_t a, std::int32_t b, std::int32_t c) {
    if (c == 0) return -1;
    const std::int64_t product = std::int64_t{a} * b;
    // Round half away from zero.
    std::int64_t magnitude = (std::abs(product) + std::abs(std::int64_t{c}) / 2) / std::abs(std::int64_t{c});
    const bool negative = (product < 0) != (c < 0);
    const std::int64_t result = negative ? -magnitude : magnitude;
    if (result > std::numeric_limits<std::int32_t>::max() || result < std::numeric_limits<std::int32_t>::min())
        return -1;
    return static_cast<std::int32_t>(result);
}

namespace {
// -MulDiv without overflow on the smallest int.
std::int32_t NegatedMulDiv(std::int32_t a, std::int32_t b, std::int32_t c) {
    const std::int32_t r = MulDiv(a, b, c);
    return r == std::numeric_limits<std::int32_t>::min() ? std::numeric_limits<std::int32_t>::max() : -r;
}
}  // namespace

void SetFontSize(MongonFont& font, std::int32_t size) {
    font.Size = size;
    font.Height = NegatedMulDiv(size, font.PixelsPerInch, 72);
}

void SetFontHeight(MongonFont& font, std::int32_t height) {
    font.Height = height;
    font.Size = NegatedMulDiv(height, 72, font.PixelsPerInch);
}

void ApplyFont(const MongonFont& from, MongonFont& target) {
    target.Color = from.Color;
    target.Charset = from.Charset;
    SetFontHeight(target, from.Height);
    target.Name = from.Name;
    target.Pitch = from.Pitch;
    target.PixelsPerInch = from.PixelsPerInch;
    SetFontSize(target, from.Size);
    target.Style = from.Style;
}

Rgb RgbOfColorValue(std::int32_t value) {
    const auto v = static_cast<std::uint32_t>(value);
    return Rgb{static_cast<std::uint8_t>(v & 0xFF), static_cast<std::uint8_t>((v >> 8) & 0xFF),
               static_cast<std::uint8_t>((v >> 16) & 0xFF)};
}

std::int32_t ColorValueOf(Rgb colour) {
    return static_cast<std::int32_t>(colour.r | (colour.g << 8) | (colour.b << 16));
}

FontSpec FontSpecOf(const MongonFont& font) {
    // A surface draws with the character height; a positive (cell) height is
    // close enough to it for text on a dot display.
    constexpr int kLargest = 1000;
    std::int64_t pixels = font.Height < 0 ? -std::int64_t{font.Height} : font.Height;
    if (pixels == 0) pixels = 12;
    pixels = std::min<std::int64_t>(pixels, kLargest);
    return FontSpec(font.Name, static_cast<int>(pixels), font.Style, font.Pitch == 2);
}

// ---- bytes ----

namespace {

constexpr std::size_t kRowsOffset = kMongonMarkBytes;
constexpr std::size_t kTrailerOffset = kRowsOffset + kMongonRows * kMongonRowBytes;
constexpr std::size_t kRowFontOffset = 268;
static_assert(kTrailerOffset + kMongonMarkBytes == kMongonTableBytes);
static_assert(kRowFontOffset + kMongonFontBytes == kMongonRowBytes);

void PutInt(std::string& bytes, std::size_t at, std::int32_t value) {
    const auto v = static_cast<std::uint32_t>(value);
    for (int i = 0; i < 4; ++i) bytes[at + i] = static_cast<char>((v >> (8 * i)) & 0xFF);
}

std::int32_t GetInt(std::string_view bytes, std::size_t at) {
    std::uint32_t v = 0;
    for (int i = 0; i < 4; ++i) v |= std::uint32_t{static_cast<unsigned char>(bytes[at + i])} << (8 * i);
    return static_cast<std::int32_t>(v);
}

// The text of an area up to its first NUL (the whole area when it has none).
std::string_view CString(std::string_view bytes, std::size_t at, std::size_t size) {
    std::string_view area = bytes.substr(at, size);
    const std::size_t nul = area.find('\0');
    return nul == std::string_view::npos ? area : area.substr(0, nul);
}

// A text or face name as the table holds it: up to its NUL, and never into
// the area's last byte, which a written table always keeps for the NUL. A
// hand-made area without one reads cut whole, so the table reads the same
// after it is saved again.
std::string TextOfArea(std::string_view bytes, std::size_t at, std::size_t size) {
    return CutShiftJis(CString(bytes, at, size), size - 1);
}

// Puts text in an area of size bytes, always leaving room for its NUL.
void PutCString(std::string& bytes, std::size_t at, std::size_t size, std::string_view text) {
    const std::string cut = CutShiftJis(text, size - 1);
    std::memcpy(&bytes[at], cut.data(), cut.size());
}

std::string RowName(int row) { return "項番 " + std::to_string(row); }

}  // namespace

std::optional<std::string> EncodeMongonTable(const MongonTable& table, std::string* problem) {
    std::string bytes(kMongonTableBytes, '\0');
    // The marks are ASCII; a hand-made mark longer than its area is cut.
    std::memcpy(&bytes[0], table.Header.data(), std::min(table.Header.size(), kMongonMarkBytes));
    std::memcpy(&bytes[kTrailerOffset], table.Trailer.data(), std::min(table.Trailer.size(), kMongonMarkBytes));
    for (int i = 0; i < kMongonRows; ++i) {
        const MongonRow& row = table.Rows[i];
        const std::size_t at = kRowsOffset + i * kMongonRowBytes;
        const std::optional<std::string> text = ToShiftJis(row.Text);
        if (!text) {
            if (problem) *problem = RowName(i) + " の文言にShift-JISで表せない文字があります";
            return std::nullopt;
        }
        const std::optional<std::string> face = ToShiftJis(row.Font.Name);
        if (!face) {
            if (problem) *problem = RowName(i) + " のフォント名 " + row.Font.Name + " はShift-JISで表せません";
            return std::nullopt;
        }
        PutInt(bytes, at, row.X);
        PutInt(bytes, at + 4, row.Y);
        PutCString(bytes, at + 8, kMongonTextBytes, *text);
        const std::size_t f = at + kRowFontOffset;
        PutInt(bytes, f, row.Font.Color);
        PutInt(bytes, f + 4, row.Font.Charset);
        PutInt(bytes, f + 8, row.Font.Height);
        PutCString(bytes, f + 12, kMongonFaceBytes, *face);
        bytes[f + 268] = static_cast<char>(row.Font.Pitch);
        PutInt(bytes, f + 272, row.Font.PixelsPerInch);
        PutInt(bytes, f + 276, row.Font.Size);
        bytes[f + 280] = static_cast<char>(row.Font.Style);
    }
    return bytes;
}

MongonTable DecodeMongonTable(std::string_view input) {
    std::string bytes(input.substr(0, kMongonTableBytes));
    bytes.resize(kMongonTableBytes, '\0');
    const std::string_view b = bytes;
    MongonTable table;
    table.Header = std::string(CString(b, 0, kMongonMarkBytes));
    table.Trailer = std::string(CString(b, kTrailerOffset, kMongonMarkBytes));
    for (int i = 0; i < kMongonRows; ++i) {
        MongonRow& row = table.Rows[i];
        const std::size_t at = kRowsOffset + i * kMongonRowBytes;
        row.X = GetInt(b, at);
        row.Y = GetInt(b, at + 4);
        row.Text = FromShiftJis(TextOfArea(b, at + 8, kMongonTextBytes));
        const std::size_t f = at + kRowFontOffset;
        row.Font.Color = GetInt(b, f);
        row.Font.Charset = GetInt(b, f + 4);
        row.Font.Height = GetInt(b, f + 8);
        row.Font.Name = FromShiftJis(TextOfArea(b, f + 12, kMongonFaceBytes));
        row.Font.Pitch = static_cast<std::uint8_t>(b[f + 268]);
        row.Font.PixelsPerInch = GetInt(b, f + 272);
        row.Font.Size = GetInt(b, f + 276);
        row.Font.Style = static_cast<std::uint8_t>(b[f + 280]);
    }
    return table;
}

MongonReadResult ReadMongonFile(FileSystem& files, const std::string& path, MongonTable& table,
                                std::vector<std::string>& said, bool* shortRead) {
    if (shortRead) *shortRead = false;
    std::string bytes;
    if (!files.ReadPrefix(path, kMongonTableBytes, bytes)) {
        said.push_back(MongonCannotOpenMessage(path));
        return MongonReadResult::kCannotOpen;
    }
    if (bytes.size() < kMongonTableBytes) {
        if (shortRead) *shortRead = true;
        said.push_back(MongonShortReadMessage(path));
    }
    MongonTable read = DecodeMongonTable(bytes);
    if (!read.HasMarks()) {
        said.push_back(MongonDataErrorMessage(path));
        return MongonReadResult::kDataError;
    }
    table = std::move(read);
    return MongonReadResult::kRead;
}

bool WriteMongonFile(FileSystem& files, Prompter& prompter, const std::string& path, const MongonTable& table) {
    std::string problem;
    const std::optional<std::string> bytes = EncodeMongonTable(table, &problem);
    if (!bytes) {
        prompter.Inform(problem);
        return false;
    }
    std::unique_ptr<OutputFile> out = files.Create(path);
    if (!out) {
        prompter.Inform(CreateRefusal(files, path, kMongonCannotCreateMessage));
        return false;
    }
    // A card that is full or pulled leaves the earlier file as it was.
    if (!out->Write(*bytes) || !out->Commit()) {
        prompter.Inform(kMongonWriteErrorMessage);
        return false;
    }
    return true;
}

void DrawMongonRows(const MongonTable& table, DrawingSurface& canvas) {
    canvas.SetSize(kMongonCanvasWidth, kMongonCanvasHeight);
    canvas.SetBrushColor(kBlack);
    canvas.SetPen(kBlack, 1);
    canvas.Rectangle(0, 0, kMongonCanvasWidth, kMongonCanvasHeight);
    for (const MongonRow& row : table.Rows) {
        if (!row.HasPosition()) continue;
        canvas.TextOut(row.X, row.Y, row.Text, FontSpecOf(row.Font), RgbOfColorValue(row.Font.Color), kBlack);
    }
}

bool RenderMongonTable(const MongonTable& table, RgbImage& canvas, LedHyoujikiClass& doc,
                       const std::string& tmpBitmapPath, Prompter& prompter) {
    DrawMongonRows(table, canvas);
    // Nothing reads the bitmap back; it is there for the operator to look at.
    if (!tmpBitmapPath.empty()) canvas.SaveToFile(tmpBitmapPath);
    if (!ConfirmDiscard(prompter, doc.Modified())) return false;
    // One undo step of the editor: undo gives back the picture before with its name.
    const DocumentStep step(doc);
    ReplacePictureWith(canvas, doc);
    // The text drawn is a picture no file holds yet. Left under the name of
    // the picture it replaced (an animation frame, say), 上書き保存 would put
    // it into that file without a word; with no name it asks for one, and
    // closing asks before it is lost.
    doc.FileName.clear();
    return true;
}

}  // namespace tesslor
