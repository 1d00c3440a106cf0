#pragma once
// The text message editor's state apart from its window: the ten rows as the
// controls hold them (X and Y boxes as text, the text box's text and font),
// the table they are collected into, the current file and the unsaved flag,
// and the editor's operations. The window copies its widgets to and from the
// rows; tesslor-cli's `make text` and `show` reach the same fields by name.
#include <array>
#include <functional>
#include <optional>
#include <string>
#include <vector>
#include <utility>

#include "forms/Form.h"
#include "led/PictureDots.h"
#include "makers/MongonTable.h"
#include "platform/FileChooser.h"
#include "platform/Files.h"
#include "platform/MemoryImage.h"
#include "platform/Prompter.h"

namespace tesslor {

/// The dialogs of the text message editor.
inline const FileDialogSetup kMongonOpenDialog{FileDialogKind::Open, {{"文言ファイル", "*.mon"}}, "", "文言ファイルOpen"};
inline const FileDialogSetup kMongonSaveDialog{FileDialogKind::Save, {{"文言ファイル", "*.mon"}}, "mon", "文言ファイルSave"};

/// The X and Y boxes hold at most 3 characters: an optional digit or sign,
/// then up to two digits.
inline constexpr std::size_t kMongonPositionChars = 3;

/// One row as its controls hold it.
struct MongonFormRow {
    std::string X;     ///< the X box's text
    std::string Y;     ///< the Y box's text
    std::string Text;  ///< the text box's text (UTF-8)
    MongonFont Font;   ///< the text box's font and colour
    bool operator==(const MongonFormRow&) const = default;
};

/// The decimal value of an X or Y box: the text without surrounding blanks
/// must be an optionally signed integer; anything else, empty included, is -100.
std::int32_t ParsePosition(const std::string& text);
/// What an X or Y box shows for a value: "" for -100, else the decimal text.
std::string PositionText(std::int32_t value);
/// Whether a text fits the X and Y boxes' mask (empty included).
bool FitsPositionMask(const std::string& text);

/// The height in pixels that chosen fonts and the pixel fonts are given in:
/// the screen's 96 pixels per inch, which the stored size refers to.
inline constexpr std::int32_t kMongonScreenPixelsPerInch = 96;

/// A font made for dot displays: every character exactly Pixels dots high.
struct MongonPixelFont {
    const char* Face;
    int Pixels;
};
/// GNU Unifont: 16 dots, one panel row.
inline constexpr MongonPixelFont kMongonUnifont{"Unifont", 16};
/// Misaki Gothic: 8 dots, half a panel row.
inline constexpr MongonPixelFont kMongonMisaki{"MisakiGothic", 8};

/// Whether the face is one of the fonts made for dot displays (Unifont and
/// its relatives, the Misaki fonts), whose glyphs are whole dots.
bool IsPixelFontFace(const std::string& face);
/// A row given a pixel font: the face at its own dot height at 96 pixels per
/// inch (the size follows), default pitch, no style; colour and character set stay.
void GivePixelFont(MongonFont& font, const MongonPixelFont& pixelFont);

/// A pixel-font row is drawn at least this high in its text box, so that an
/// 8-dot row can be read while it is typed.
inline constexpr int kMongonSmallestBoxPixels = 16;
/// The font a row's text box shows. The row's own font, at most as tall as
/// the canvas it is drawn on; a pixel font is enlarged by the smallest whole
/// factor that makes it kMongonSmallestBoxPixels high, so its dots stay whole.
/// Only the box changes: the table and the drawing keep the row's font.
FontSpec MongonBoxFont(const MongonFont& font);

/// Style bits of a font's bold, italic, underline and strike-out.
std::uint8_t FontStyleBits(bool bold, bool italic, bool underline, bool strikeOut);

/// What a font dialog gave: its family, and its height either in pixels
/// (PixelSize above 0) or in points.
struct ChosenFont {
    std::string Family;
    int PixelSize = 0;
    double PointSize = 0;
    std::uint8_t Style = 0;
};

/// Whether a face name fits the file: a Shift-JIS form of at most 255 bytes,
/// one line without control characters.
bool MongonFaceNameFits(const std::string& face);
/// "フォント「name」は文言ファイルに保存できません。…": a face the file cannot keep.
std::string MongonFaceRefusedMessage(const std::string& family);

/// The row's font after a font dialog: colour, character set and pitch stay
/// those of row; face = the chosen family (or the row's own name when the
/// dialog kept the family that name is drawn with, rowDrawnFamily), 96 pixels
/// per inch, the chosen style, and the height from the pixel size (or the
/// size from the point size). Nothing when the face does not fit the file.
std::optional<MongonFont> MongonFontOfChosen(const ChosenFont& chosen, const MongonFont& row,
                                             const std::string& rowDrawnFamily);

class MongonForm : public Form {
public:
    /// The window at creation: every row cleared with the window's font in the
    /// row colour (yellow when nanSyoku is -1, red otherwise); nothing unsaved.
    MongonForm(int nanSyoku, int tateMaisuu, FileSystem& files = RealFileSystem());

    std::array<MongonFormRow, kMongonRows> Rows;
    MongonTable Table;        ///< the window's memory image of a file
    /// The texts of the rows drawn (with a position and a text), one blank
    /// between them: what カードに追加 names the picture after.
    std::string DrawnText() const;
    MongonFont DefaultFont;   ///< the window's own font
    // Modified is set by any change of an X, Y or text box and by a confirmed
    // font; only the program's end clears it (saving does not). CurrentFile is
    // the file last opened or saved under a new name.

    std::string Kind() const override { return "text"; }

    int NanSyoku() const { return nanSyoku_; }
    /// Rows at or beyond TateMaisuu are hidden in the window (they are still drawn).
    bool RowShown(int row) const { return row >= 0 && row < tateMaisuu_; }
    /// The colour a cleared row gets: yellow for NanSyoku -1, otherwise red.
    std::int32_t RowColour() const;

    /// The table the rows make: each row's font, text and parsed position,
    /// then the header and trailer. The window's table is not touched.
    MongonTable CollectedTable() const;
    /// Table = CollectedTable().
    void CollectRows();
    /// Rows from Table: the font applied to the text box's, the text, and X
    /// and Y as decimal text (empty for -100). A changed box sets Modified.
    void ShowRows();

    /// フォント of row i (nothing for i outside 0 to 9). chooseFont runs the font
    /// dialog preset with the row's font and gives the chosen font, or nothing
    /// when cancelled; chooseColour runs the pen colour window preset with the
    /// row's colour (when it is red, green or yellow) and gives the colour it
    /// shows when closed. NanSyoku -1 forces yellow and 1 red after a chosen
    /// font; only a two-colour display asks for the colour, chosen font or not.
    void ChooseRowFont(int row, const std::function<std::optional<MongonFont>(const MongonFont&)>& chooseFont,
                       const std::function<std::int32_t(std::optional<std::int32_t>)>& chooseColour);
    /// Gives row i (0 to 9) a pixel font and marks the form.
    void GiveRowPixelFont(int row, const MongonPixelFont& pixelFont);

    /// 表示データ作成: collects the rows, draws them on canvas, saves it to
    /// tmpBitmapPath, converts it into the document (which asks before
    /// discarding unsaved changes) and runs repaint (the windows show the
    /// result while the message is up). Only when the document took the
    /// picture does it show RenderedMessage(). True when it did.
    bool RenderRows(RgbImage& canvas, LedHyoujikiClass& doc, const std::string& tmpBitmapPath, Prompter& prompter,
                    const std::function<void()>& repaint = {});
    /// Whether doc shows what RenderRows last drew from the rows as they are
    /// now: カードに追加 then adds that picture without drawing it again
    /// (which would ask to discard the very picture it is to add).
    bool ShowsRendering(const LedHyoujikiClass& doc) const;
    /// The rows the operator sees that have a text but are not drawn, for
    /// want of a number in the X or Y box.
    std::vector<int> RowsLeftOut() const;
    /// "Led表示データ作成完了", and on a second line the rows left out, if any.
    std::string RenderedMessage() const;

    /// Whether the rows differ from what the last read or write of a file
    /// held, or from the empty rows of the start and of 新規作成. Unlike
    /// Modified, a save makes the rows saved.
    bool RowsUnsaved() const { return CollectedTable() != unchangedTable_; }
    void MarkUnchanged() override { unchangedTable_ = CollectedTable(); }
    /// Before the program ends: when RowsUnsaved(), "保存しますか？" as before
    /// 新規作成. False, the rows kept, for キャンセル and a save that did not happen.
    bool AskToSaveBeforeEnd(const FormDialogs& dialogs, Prompter& prompter) {
        return !RowsUnsaved() || AskToSave(dialogs, prompter);
    }

    /// 開く: "保存しますか？" when Modified (Yes saves first), the dialog with no
    /// name preset, then ReadFile. False when cancelled or the read failed.
    bool ReadMongonFile(const FormDialogs& dialogs, Prompter& prompter) { return Open(dialogs, prompter); }
    /// 上書き保存: to CurrentFile ("上書き完了(path)"), or as SaveMongonFileAs when there is none.
    bool SaveMongonFile(const FormDialogs& dialogs, Prompter& prompter) { return Save(dialogs, prompter); }
    /// 名前を付けて保存: the dialog (preset with CurrentFile), the write, then
    /// CurrentFile and "保存完了(path)". False when cancelled or the write failed.
    bool SaveMongonFileAs(const FormDialogs& dialogs, Prompter& prompter) { return SaveAs(dialogs, prompter); }
    /// 新規作成: "保存しますか？" when Modified (Yes saves first), then no current
    /// file, every row of the table empty with the window's font, and every
    /// row's controls cleared. False, rows kept, when a save was wanted and did not happen.
    bool ResetRows(const FormDialogs& dialogs, Prompter& prompter);

    /// Collects the rows and writes the table whole or not at all, with the
    /// write's messages. CurrentFile does not change.
    bool WriteFile(const std::string& path, Prompter& prompter) override;
    /// Reads path: a file that cannot be opened changes nothing; otherwise
    /// CurrentFile becomes path, and a file with its marks (a short one after
    /// its message) replaces the table and the rows. Each failure shows its
    /// message. True when the rows came from it.
    bool ReadFile(const std::string& path, Prompter& prompter) override;

    /// The dialogs start in the current file's folder, else in the drive's root.
    std::string DialogFolder(const FormDialogs& dialogs) const override;

    /// The controls by name, in `show` order: X_Edit0 … X_Edit9, Y_Edit0 …,
    /// MojiEdit0 …, then Font0.Color, Font0.Charset, Font0.Height, Font0.Name,
    /// Font0.Pitch, Font0.PixelsPerInch, Font0.Size, Font0.Style, … Font9.Style.
    static const std::vector<std::string>& AllFieldNames();
    std::vector<std::string> FieldNames() const override { return AllFieldNames(); }
    /// A control's value as text (Font*.Color as 0x hex); nothing for an unknown name.
    std::optional<std::string> Value(const std::string& name) const override;
    /// Sets a control as the operator would (setting Size sets Height and the
    /// other way round, as on a font). False with problem set (in Japanese),
    /// nothing changed, for an unknown name or a value the control cannot hold.
    bool SetValue(const std::string& name, const std::string& value, std::string& problem) override;

protected:
    /// A save takes a new name as the current file and says where it went;
    /// the unsaved flag stays as it was.
    void Saved(const std::string& path, bool overwrite, Prompter& prompter) override;
    /// ReadFile has already taken the name; the rows it filled count as edits.
    void Opened(const std::string&) override {}

private:
    // Clears the controls of row i: empty texts, the window's font, the row colour.
    void ClearRowControls(int row);
    void SetRowTexts(int row, const std::string& x, const std::string& y, const std::string& text);

    int nanSyoku_;
    /// The rows as the last file read or written held them.
    MongonTable unchangedTable_;
    /// What the last rendering drew from, and the dots it gave the document.
    std::optional<std::pair<MongonTable, PictureDots>> rendered_;
    int tateMaisuu_;
};

/// The dots the rows would light: 480 x 80 colour codes (row-major, 0 off,
/// 1 red, 2 green, 3 yellow) by the same rule as 表示データ作成, with panel rows
/// at or beyond tateMaisuu dark. canvas is used for drawing and left drawn.
std::vector<std::uint8_t> MongonPreviewDots(const MongonTable& table, DrawingSurface& canvas, int tateMaisuu);

}  // namespace tesslor
