#include "files/Framing.h"

namespace tesslor {

std::string PadFramed(std::string_view text) {
    std::string line(text);
    if (line.size() < kFramedLineWidth) line.append(kFramedLineWidth - line.size(), ' ');
    return line;
}

bool WriteLine(OutputFile& out, std::string_view text) {
    std::string line = PadFramed(text);
    line += "\r\n";
    return out.Write(line);
}

bool WriteFrameHead(OutputFile& out, std::string_view typeKeyword) {
    return WriteLine(out, "#LED_DATA_FILE") && WriteLine(out, "#DATA_TYPE") && WriteLine(out, typeKeyword) &&
           WriteLine(out, "#END_OF_DATA_TYPE") && WriteLine(out, "#DEFINE");
}

bool WriteFrameTail(OutputFile& out) { return WriteLine(out, "#END_OF_LED_DATA_FILE"); }

bool ReadLine(LineReader& in, std::string& line, std::size_t maxLength) { return in.ReadLine(line, maxLength); }

bool IsKeywordLine(std::string_view line, std::string_view keyword) {
    if (line.empty() || line.back() != '\n') return false;
    return IsKeywordLine(line.substr(0, line.size() - 1), true, keyword);
}

bool IsKeywordLine(std::string_view text, bool lf, std::string_view keyword) {
    // The padding and the line feed count: "#DEFINE" with a blank too few, or a
    // keyword line cut off by the end of the file, is not the keyword.
    if (!lf || text.size() + 1 != kFramedReadLength) return false;
    if (!keyword.empty() && text[0] != keyword[0]) return false;  // a data line, nearly always
    if (keyword.size() > kFramedLineWidth || text.substr(0, keyword.size()) != keyword) return false;
    // Checked in place: every data line of a copied picture is asked whether it ends the block.
    for (std::size_t i = keyword.size(); i < kFramedLineWidth; ++i)
        if (text[i] != ' ') return false;
    return true;
}

bool ExpectKeyword(LineReader& in, std::string_view keyword, const std::string& readMessage,
                   const std::string& mismatchMessage, std::string& message) {
    std::string line;
    if (!ReadLine(in, line, kFramedReadLength)) {
        message = readMessage;
        return false;
    }
    if (!IsKeywordLine(line, keyword)) {
        message = mismatchMessage;
        return false;
    }
    return true;
}

}  // namespace tesslor
