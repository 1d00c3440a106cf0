#include "files/LedDataFile.h"

#include <cstdint>
#include <string>

#include "files/Framing.h"
#include "files/UnitFile.h"
#include "platform/Paths.h"
#include "text/Numbers.h"
#include "text/ShiftJis.h"

namespace tesslor {

namespace {

constexpr const char* kTypeKeyword = "$NORMAL";
constexpr const char* kReverseKeywords[] = {"$REVERSE_COLOR_RED", "$REVERSE_COLOR_GREEN", "$REVERSE_COLOR_YELLOW"};
constexpr int kWords = LedHyoujikiClass::kPanelRows;  // one 16-bit word per panel row

// The unit reads "$SETEI:" followed by three code letters and the three-digit
// position; the comma after each code is part of the layout.
std::string SeteiLine(const LedHyoujikiClass& doc) {
    int nini = 0;
    LedHyoujikiClass::ParseNiniIti(doc.NiniItiText(), nini);
    std::string line = "$SETEI:";
    line += doc.DisplayModeCode();
    line += ',';
    line += doc.SounyuuMojiCode();
    line += ',';
    line += doc.SounyuuItiCode();
    line += ',';
    line += ZeroPad(nini, 3);
    return line;
}

// The write number goes out as the document holds it. Text typed into the
// editor may be longer than the line has room for; it is cut so that the line
// stays 30 characters and every line after it stays where the unit expects it.
std::string WriteTableNoLine(const LedHyoujikiClass& doc) {
    // The file is Shift-JIS, whatever the operator typed.
    return CutShiftJis("$WRITE_TABLE_NO=" + ShiftJisOrLeadingAscii(doc.WriteNoText()), kFramedLineWidth);
}

// "$nnn:" and the five column words of panel rows 0 to 4, each followed by ",".
// Formatted by hand: a full picture has 960 of these lines.
std::string DataLine(const LedHyoujikiClass& doc, int column, bool green) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    char line[kFramedLineWidth];
    line[0] = '$';
    line[1] = static_cast<char>('0' + column / 100 % 10);
    line[2] = static_cast<char>('0' + column / 10 % 10);
    line[3] = static_cast<char>('0' + column % 10);
    line[4] = ':';
    const int panelColumn = column / 16;
    const int c = column % 16;
    char* p = line + 5;
    for (int k = 0; k < kWords; ++k) {
        const LedBoardClass& board = doc.Board(panelColumn, k);
        const std::uint16_t word = green ? board.GreenColumn(c) : board.RedColumn(c);
        for (int shift = 12; shift >= 0; shift -= 4) *p++ = kHex[(word >> shift) & 0xF];
        *p++ = ',';
    }
    return std::string(line, sizeof line);
}

bool WriteBlock(const LedHyoujikiClass& doc, OutputFile& out, int width, bool green) {
    if (!WriteLine(out, green ? "#GREEN" : "#RED")) return false;
    for (int n = 0; n < width; ++n)
        if (!WriteLine(out, DataLine(doc, n, green))) return false;
    return WriteLine(out, green ? "#END_OF_GREEN" : "#END_OF_RED");
}

// Messages of the framing lines: shown when no line could be read, and when
// the line read is a different one.
struct KeywordMessages {
    const char* keyword;
    const char* readMessage;
    const char* mismatchMessage;
};

constexpr KeywordMessages kHeadKeywords[] = {
    {"#LED_DATA_FILE", "エラー　#LED_DATA_FILE がリード出来ませんでした", "エラー　#LED_DATA_FILE"},
    {"#DATA_TYPE", "エラー　#DATA_TYPE がリード出来ませんでした", "エラー　#DATA_TYPE"},
    {"$NORMAL", "エラー　$NORMAL がリード出来ませんでした", "このファイルは、NORMALなLEDデータでありません"},
    {"#END_OF_DATA_TYPE", "エラー　#END_OF_DATA_TYPE がリード出来ませんでした", "エラー　#END_OF_DATA_TYPE"},
    {"#DEFINE", "エラー　#DEFINE がリード出来ませんでした", "エラー　#DEFINE"},
};
constexpr KeywordMessages kEndOfDefine = {"#END_OF_DEFINE", "エラー　#END_OF_DEFINE がリード出来ませんでした",
                                         "エラー　#END_OF_DEFINE"};
constexpr KeywordMessages kEndOfFile = {"#END_OF_LED_DATA_FILE",
                                        "エラー　#END_OF_LED_DATA_FILE がリード出来ませんでした",
                                        "エラー　#END_OF_LED_DATA_FILE"};

bool Expect(LineReader& in, const KeywordMessages& k, std::string& message) {
    return ExpectKeyword(in, k.keyword, k.readMessage, k.mismatchMessage, message);
}

bool Fail(std::string& message, const char* text) {
    message = text;
    return false;
}

bool ReadSetei(LedHyoujikiClass& doc, LineReader& in, std::string& message) {
    std::string line;
    if (!ReadLine(in, line, kFramedReadLength)) return Fail(message, "エラー　$SETEI がリード出来ませんでした");
    if (!StartsWith(line, "$SETEI:")) return Fail(message, "エラー　$SETE");
    // A line that ends early has no code where one is expected; '\0' is no code.
    if (!doc.SetDisplayMode(CharAt(line, 7))) return Fail(message, "エラー　$SETE 表示タイプ");
    if (!doc.SetSounyuuMoji(CharAt(line, 9))) return Fail(message, "エラー　$SETE 挿入文字列");
    if (!doc.SetSounyuuIti(CharAt(line, 11))) return Fail(message, "エラー　$SETE 挿入文字列位置");
    int nini = 0;
    if (!LedHyoujikiClass::ParseNiniIti(std::string(TextFrom(line, 13)), nini) || !doc.SetNiniIti(nini))
        return Fail(message, "エラー　$SETE 任意挿入文字列位置");
    return true;
}

bool ReadMaximumLines(LineReader& in, std::string& message, int& maximum) {
    std::string line;
    if (!ReadLine(in, line, kFramedReadLength))
        return Fail(message, "エラー　$MAXIMUM_LINES がリード出来ませんでした");
    if (!StartsWith(line, "$MAXIMUM_LINES=")) return Fail(message, "エラー　$MAXIMUM_LINES");
    maximum = LeadingInt(TextFrom(line, 15));
    if (maximum < 0 || maximum > LedHyoujikiClass::kDotColumns) return Fail(message, "エラー　$MAXIMUM_LINES");
    return true;
}

bool ReadReverseColor(LedHyoujikiClass& doc, LineReader& in, std::string& message) {
    std::string line;
    if (!ReadLine(in, line, kFramedReadLength))
        return Fail(message, "エラー　$REVERSE_COLOR_ がリード出来ませんでした");
    for (int i = 0; i < 3; ++i) {
        if (IsKeywordLine(line, kReverseKeywords[i])) {
            doc.SetReverseColorByIndex(i);
            return true;
        }
    }
    return Fail(message, "エラー　$REVERSE_COLOR_");
}

bool ReadWriteTableNo(LedHyoujikiClass& doc, LineReader& in, const WriteNoCheck& checkWriteNo,
                      std::string& message) {
    std::string line;
    if (!ReadLine(in, line, kFramedReadLength))
        return Fail(message, "エラー　$WRITE_TABLE_NO がリード出来ませんでした");
    int n = 0;
    if (!StartsWith(line, "$WRITE_TABLE_NO=") || !checkWriteNo(std::string(TextFrom(line, 16)), n))
        return Fail(message, "エラー　$WRITE_TABLE_NO");
    doc.SetWriteNo(n);
    return true;
}

enum class Block { None, Red, Green };

// The words of a data line's column without a lit dot, as the unit writes them.
constexpr std::string_view kDarkWords = "0000,0000,0000,0000,0000,";

// The number of a data line "$nnn:": three digits as the unit writes them,
// read directly; anything else as a number is read from text.
int ColumnNumber(std::string_view line) {
    const auto digit = [&line](std::size_t i) { return i < line.size() && line[i] >= '0' && line[i] <= '9'; };
    if (digit(1) && digit(2) && digit(3) && !digit(4))
        return (line[1] - '0') * 100 + (line[2] - '0') * 10 + (line[3] - '0');
    return LeadingInt(TextFrom(line, 1));
}

// The RED and GREEN blocks, up to "#END_OF_GREEN" or the end of the file.
bool ReadBlocks(PictureColumns& dots, LineReader& in, std::string& message) {
    Block block = Block::None;
    int last = -1;
    // Each line is looked at where it lies in the reader's bytes: a full
    // picture has 960 of them.
    std::string spare;
    std::string_view line;
    bool lf = false;
    while (in.ReadLineText(line, lf, spare, kFramedReadLength)) {
        if (line.empty()) continue;  // a blank line is neither a keyword nor data
        if (line[0] == '#') {
            // Block keywords are recognised by their own length only.
            std::string_view word = TextFrom(line, 1);
            if (StartsWith(word, "RED")) {
                block = Block::Red;
                last = -1;
            } else if (StartsWith(word, "GREEN")) {
                block = Block::Green;
                last = -1;
            } else if (StartsWith(word, "END_OF_RED")) {
                block = Block::None;
            } else if (StartsWith(word, "END_OF_GREEN")) {
                break;
            }
        } else if (line[0] == '$') {
            const int n = ColumnNumber(line);
            if (n != last + 1) return Fail(message, "データナンバーエラー");
            last = n;
            if (block == Block::None) return Fail(message, "ファイルエラー");
            // The picture ends at dot column 479; a line beyond it has nowhere to go.
            if (n >= LedHyoujikiClass::kDotColumns) return Fail(message, "データナンバーエラー");
            // Most of a picture is dark: a column without a lit dot adds nothing.
            if (StartsWith(TextFrom(line, 5), kDarkWords)) continue;
            // The column's words of the block's colour, one a panel row, taken at once.
            std::uint16_t* const words =
                &(block == Block::Red ? dots.red : dots.green)[static_cast<std::size_t>(n) * PictureColumns::kPanelRows];
            for (int k = 0; k < kWords; ++k)
                words[k] = static_cast<std::uint16_t>(words[k] | LeadingHex(TextFrom(line, 5 + 5 * k), 4));
        }
    }
    return true;
}

}  // namespace

bool ReadColourBlocks(PictureColumns& dots, LineReader& in, std::string& message) {
    return ReadBlocks(dots, in, message);
}

bool WriteLedData(const LedHyoujikiClass& doc, OutputFile& out) {
    const int lastColumn = doc.LastUsedColumn();
    const int width = 16 * (lastColumn + 1);
    if (!WriteFrameHead(out, kTypeKeyword)) return false;
    if (!WriteLine(out, SeteiLine(doc))) return false;
    if (!WriteLine(out, "$MAXIMUM_LINES=" + ZeroPad(width, 3))) return false;
    int reverse = doc.ReverseColorIndex();
    if (reverse < 0 || reverse > 2) reverse = 0;
    if (!WriteLine(out, kReverseKeywords[reverse])) return false;
    if (!WriteLine(out, WriteTableNoLine(doc))) return false;
    if (!WriteLine(out, "#END_OF_DEFINE")) return false;
    if (lastColumn >= 0) {
        if (!WriteBlock(doc, out, width, false)) return false;
        if (!WriteBlock(doc, out, width, true)) return false;
    }
    return WriteFrameTail(out);
}

bool ReadLedData(LedHyoujikiClass& doc, LineReader& in, const WriteNoCheck& checkWriteNo, std::string& message) {
    PictureColumns dots;
    const bool ok = ReadLedData(doc, dots, in, checkWriteNo, message);
    // What was read before a fault stays, as it does in the blocks' own order.
    dots.PutInto(doc);
    return ok;
}

bool ReadLedData(LedHyoujikiClass& doc, PictureColumns& dots, LineReader& in, const WriteNoCheck& checkWriteNo,
                 std::string& message) {
    for (const KeywordMessages& k : kHeadKeywords)
        if (!Expect(in, k, message)) return false;
    if (!ReadSetei(doc, in, message)) return false;
    int maximum = 0;
    if (!ReadMaximumLines(in, message, maximum)) return false;
    if (!ReadReverseColor(doc, in, message)) return false;
    if (!ReadWriteTableNo(doc, in, checkWriteNo, message)) return false;
    if (!Expect(in, kEndOfDefine, message)) return false;
    if (maximum != 0 && !ReadBlocks(dots, in, message)) return false;
    return Expect(in, kEndOfFile, message);
}

}  // namespace tesslor
