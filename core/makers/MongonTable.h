#pragma once
// The text message table: ten rows of position, text and font, kept in a
// binary file of exactly 5,560 bytes (".mon"), and drawn on a black canvas that
// becomes the picture. Texts are UTF-8 here and Shift-JIS in the file.
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "led/Ledhyoujiki.h"
#include "platform/Files.h"
#include "platform/Prompter.h"
#include "platform/Surface.h"

namespace tesslor {

inline constexpr int kMongonRows = 10;
inline constexpr std::size_t kMongonTableBytes = 5560;
inline constexpr std::size_t kMongonRowBytes = 552;
inline constexpr std::size_t kMongonFontBytes = 284;
/// Header and trailer areas, each the text followed by NUL bytes.
inline constexpr std::size_t kMongonMarkBytes = 20;
/// The text area of a row (NUL included) and the face-name area of a font.
inline constexpr std::size_t kMongonTextBytes = 260;
inline constexpr std::size_t kMongonFaceBytes = 256;
/// The most characters a row's text box holds.
inline constexpr std::size_t kMongonTextChars = 80;
/// X or Y of a row that has no position; such a row is not drawn.
inline constexpr std::int32_t kMongonNoPosition = -100;

inline constexpr const char* kMongonHeader = "MONGON TBL";
inline constexpr const char* kMongonTrailer = "MONGON TBL END";

/// Row colours as 0x00BBGGRR values.
inline constexpr std::int32_t kMongonRed = 0x0000FF;
inline constexpr std::int32_t kMongonGreen = 0x00FF00;
inline constexpr std::int32_t kMongonYellow = 0x00FFFF;

/// The canvas the rows are drawn on; only its first 480 columns become dots.
inline constexpr int kMongonCanvasWidth = 800;
inline constexpr int kMongonCanvasHeight = 80;

// Messages of the text message editor.
inline constexpr const char* kMongonRenderedMessage = "Led表示データ作成完了";
inline constexpr const char* kMongonSaveQuestion = "保存しますか？";
inline constexpr const char* kMongonCannotCreateMessage = "エラー open";
inline constexpr const char* kMongonWriteErrorMessage = "エラー write";
std::string MongonCannotOpenMessage(const std::string& path);  ///< "open エラー (" + path + ")"
std::string MongonShortReadMessage(const std::string& path);   ///< "read エラー  (" + path + ")"
std::string MongonDataErrorMessage(const std::string& path);   ///< "文言ファイルのデータエラー(" + path + ")"
std::string MongonSavedMessage(const std::string& path);       ///< "保存完了(" + path + ")"
std::string MongonOverwrittenMessage(const std::string& path); ///< "上書き完了(" + path + ")"

/// The font of one row, with the fields the file keeps for it.
struct MongonFont {
    std::int32_t Color = 0;          ///< 0x00BBGGRR
    std::int32_t Charset = 0;        ///< 128 is Shift-JIS
    std::int32_t Height = 0;         ///< negative: character height in pixels; positive: cell height
    std::string Name;                ///< face name, UTF-8 (Shift-JIS in the file)
    std::uint8_t Pitch = 0;          ///< 0 default, 1 variable, 2 fixed
    std::int32_t PixelsPerInch = 0;  ///< what height and size refer to
    std::int32_t Size = 0;           ///< points
    std::uint8_t Style = 0;          ///< kFontBold, kFontItalic, kFontUnderline, kFontStrikeOut
    bool operator==(const MongonFont&) const = default;
};

/// The window's own font: "ＭＳ Ｐゴシック", height -12,
/// Shift-JIS, default pitch, 96 pixels per inch, 9 points, no style, colour 0.
MongonFont WindowMongonFont();

/// a × b / c, the product taken in 64 bits, rounded half away from zero: -1
/// when c is 0 or the result does not fit.
std::int32_t MulDiv(std::int32_t a, std::int32_t b, std::int32_t c);
/// Sets the size and, as a font does, the height: -MulDiv(size, PixelsPerInch, 72).
void SetFontSize(MongonFont& font, std::int32_t size);
/// Sets the height and, as a font does, the size: -MulDiv(height, 72, PixelsPerInch).
void SetFontHeight(MongonFont& font, std::int32_t height);
/// Applies from to target in the font's order: colour, character set, height,
/// face name, pitch, pixels per inch, size, style. The size comes after the
/// height and the pixels per inch, so the size decides the final height.
void ApplyFont(const MongonFont& from, MongonFont& target);

/// A 0x00BBGGRR value as a colour, and back.
Rgb RgbOfColorValue(std::int32_t value);
std::int32_t ColorValueOf(Rgb colour);
/// The font a surface draws a row with: the face, the height in pixels (the
/// character height; a positive cell height counts the same; 0 is the window
/// font's 12; at most 1000), the style and the pitch.
FontSpec FontSpecOf(const MongonFont& font);

struct MongonRow {
    std::int32_t X = kMongonNoPosition;
    std::int32_t Y = kMongonNoPosition;
    std::string Text;  ///< UTF-8 (Shift-JIS in the file)
    MongonFont Font;
    bool operator==(const MongonRow&) const = default;

    /// Drawn only with both coordinates above -100.
    bool HasPosition() const { return X > kMongonNoPosition && Y > kMongonNoPosition; }
};

/// One ".mon" file: header, ten rows, trailer.
struct MongonTable {
    std::string Header = kMongonHeader;   ///< the header area up to its first NUL
    std::array<MongonRow, kMongonRows> Rows;
    std::string Trailer = kMongonTrailer; ///< the trailer area up to its first NUL
    bool operator==(const MongonTable&) const = default;

    /// Whether header and trailer are the file's marks.
    bool HasMarks() const { return Header == kMongonHeader && Trailer == kMongonTrailer; }
};

/// The table's 5,560 bytes: little-endian numbers, NUL-terminated Shift-JIS
/// texts, and zero in every byte after a terminator and in the padding. A
/// text is cut to 259 bytes and a face name to 255 without splitting a
/// character. Nothing, with problem set to a message naming the row, when a
/// text or face name has no Shift-JIS form: such a table is never written
/// half-converted.
std::optional<std::string> EncodeMongonTable(const MongonTable& table, std::string* problem = nullptr);
/// The table in bytes: a shorter input reads as if its missing bytes were
/// zero, a longer one only for its first 5,560 bytes. Never fails; the marks
/// tell whether it was a text message file (HasMarks()).
MongonTable DecodeMongonTable(std::string_view bytes);

/// How reading a text message file ended.
enum class MongonReadResult {
    kRead,        ///< table replaced (possibly after the short-read message)
    kCannotOpen,  ///< "open エラー (path)"; table unchanged
    kDataError,   ///< "文言ファイルのデータエラー(path)"; table unchanged
};

/// Reads a ".mon" file into table, adding the editor's messages to said: a
/// file that cannot be opened, a file shorter than 5,560 bytes (its message,
/// then the check of the marks on what was read), and wrong marks. Only the
/// first 5,560 bytes of a longer file are read. shortRead tells whether the
/// file was short.
MongonReadResult ReadMongonFile(FileSystem& files, const std::string& path, MongonTable& table,
                                std::vector<std::string>& said, bool* shortRead = nullptr);

/// Writes the table whole or not at all: a text with no Shift-JIS form shows
/// its message, a file that cannot be created "エラー open", a write or a
/// completion that fails "エラー write"; the earlier file then stays as it was.
bool WriteMongonFile(FileSystem& files, Prompter& prompter, const std::string& path, const MongonTable& table);

/// Makes canvas an 800 x 80 black image and draws the text of every row that
/// has a position, row 0 first, in the row's font and colour on black, with
/// the top-left corner of its cell at (X, Y). Later rows paint over earlier ones.
void DrawMongonRows(const MongonTable& table, DrawingSurface& canvas);

/// What 表示データ作成 does after collecting the rows: draws them on canvas,
/// saves the canvas to tmpBitmapPath (when not empty; a failed save is not the
/// operator's concern), then, after the discard question through prompter
/// when the document has unsaved changes, replaces the picture with the
/// canvas. The picture taken is a new one: it has no file name and counts as
/// unsaved. True when the document took the picture.
bool RenderMongonTable(const MongonTable& table, RgbImage& canvas, LedHyoujikiClass& doc,
                       const std::string& tmpBitmapPath, Prompter& prompter);

}  // namespace tesslor
