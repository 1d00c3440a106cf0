#include "files/OldLedFile.h"

#include <cstdint>
#include <string>

#include "files/Framing.h"
#include "files/UnitFile.h"
#include "text/Numbers.h"
#include "text/ShiftJis.h"

namespace tesslor {

namespace {

constexpr int kRows = LedHyoujikiClass::kDotRows;          // 80
constexpr int kPanels = LedHyoujikiClass::kPanelColumns;  // 30 panels across a row
constexpr int kCellWidth = 6;                              // "HH,LL,"

// One dot row: for each panel across, its red row word as two bytes, high byte
// (the panel's left eight columns) first. Formatted by hand: 80 rows of 60 bytes.
std::string RowLine(const LedHyoujikiClass& doc, int y) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string line(kPanels * kCellWidth, ',');
    for (int i = 0; i < kPanels; ++i) {
        const std::uint16_t word = doc.Board(i, y / 16).RedRow(y % 16);
        char* cell = line.data() + kCellWidth * i;
        cell[0] = kHex[word >> 12 & 0xF];
        cell[1] = kHex[word >> 8 & 0xF];
        cell[3] = kHex[word >> 4 & 0xF];
        cell[4] = kHex[word & 0xF];
    }
    return line;
}

bool PutLine(OutputFile& out, std::string line) {
    line += "\r\n";
    return out.Write(line);
}

bool Fail(std::string& message, const char* text) {
    message = text;
    return false;
}

constexpr const char* kReadError = "ファイルリードエラー";
constexpr const char* kDataError = "ファイルデータエラー";

// Reads one row line into dot row y. The bytes stand at fixed columns, each
// followed by a comma; a row that ends early is malformed.
bool ReadRow(LedHyoujikiClass& doc, const std::string& line, int y, std::string& message) {
    LedBoardClass* boards[kPanels];
    for (int i = 0; i < kPanels; ++i) boards[i] = &doc.Board(i, y / 16);
    const int r = y % 16;
    for (int i = 0; i < kPanels; ++i) {
        const std::size_t at = static_cast<std::size_t>(kCellWidth * i);
        // Each byte goes into the picture before the comma after it is checked.
        boards[i]->OrRowHalf(r, static_cast<std::uint8_t>(LeadingHex(TextFrom(line, at), 2)), 0);
        if (CharAt(line, at + 2) != ',') return Fail(message, kDataError);
        boards[i]->OrRowHalf(r, static_cast<std::uint8_t>(LeadingHex(TextFrom(line, at + 3), 2)), 1);
        if (CharAt(line, at + 5) != ',') return Fail(message, kDataError);
    }
    return true;
}

}  // namespace

bool WriteOldLed(const LedHyoujikiClass& doc, OutputFile& out) {
    for (int y = 0; y < kRows; ++y)
        if (!PutLine(out, RowLine(doc, y))) return false;
    if (!PutLine(out, "END")) return false;
    // The file is Shift-JIS, whatever the operator typed.
    if (!PutLine(out, ShiftJisOrLeadingAscii(doc.WriteNoText()))) return false;
    if (!PutLine(out, std::string(1, doc.DisplayModeCode()))) return false;
    if (!PutLine(out, std::string(1, doc.SounyuuMojiCode()))) return false;
    if (!PutLine(out, std::string(1, doc.SounyuuItiCode()))) return false;
    // The position takes three characters, blanks standing in for missing ones.
    std::string nini = doc.NiniItiText().substr(0, 3);
    nini.append(3 - nini.size(), ' ');
    return PutLine(out, nini);
}

bool ReadOldLed(LedHyoujikiClass& doc, LineReader& in, const WriteNoCheck& checkWriteNo, std::string& message) {
    std::string line;
    for (int y = 0; y < kRows; ++y) {
        if (!ReadLine(in, line, kOldLedReadLength)) return Fail(message, kReadError);
        if (!ReadRow(doc, line, y, message)) return false;
    }
    if (!ReadLine(in, line, kOldLedReadLength)) return Fail(message, kReadError);
    if (!StartsWith(line, "END")) return Fail(message, kDataError);
    doc.SetReverseColorByIndex(0);

    if (!ReadLine(in, line, kOldLedReadLength)) return Fail(message, kReadError);
    int n = 0;
    if (!checkWriteNo(line, n)) return Fail(message, kDataError);
    doc.SetWriteNo(n);

    if (!ReadLine(in, line, kOldLedReadLength)) return Fail(message, kReadError);
    if (!doc.SetDisplayMode(CharAt(line, 0))) return Fail(message, kDataError);
    if (!ReadLine(in, line, kOldLedReadLength)) return Fail(message, kReadError);
    if (!doc.SetSounyuuMoji(CharAt(line, 0))) return Fail(message, kDataError);
    if (!ReadLine(in, line, kOldLedReadLength)) return Fail(message, kReadError);
    if (!doc.SetSounyuuIti(CharAt(line, 0))) return Fail(message, kDataError);

    if (!ReadLine(in, line, kOldLedReadLength)) return Fail(message, kReadError);
    int nini = 0;
    if (!LedHyoujikiClass::ParseNiniIti(line, nini) || !doc.SetNiniIti(nini)) return Fail(message, kDataError);
    return true;
}

}  // namespace tesslor
