#pragma once
// The fixed-width framing of every file the display unit reads: keyword and
// setting lines of 30 characters plus CR LF, a head naming the file kind and a
// closing line. Each file kind's reader and writer builds on these helpers.
#include <cstddef>
#include <string>
#include <string_view>

#include "platform/Files.h"

namespace tesslor {

/// Width of a framed line before its line end.
inline constexpr std::size_t kFramedLineWidth = 30;
/// Characters a reader takes per framed line: the 30 characters and the line feed.
inline constexpr std::size_t kFramedReadLength = 31;

/// The line as it stands in a file before its line end: text padded with blanks
/// to 30 characters. Longer text is kept whole (the unit's lines are never longer).
std::string PadFramed(std::string_view text);

/// Writes text padded with blanks to 30 characters, then CR LF, in one write.
/// Returns false when the write fails.
bool WriteLine(OutputFile& out, std::string_view text);

/// Writes the five head lines: "#LED_DATA_FILE", "#DATA_TYPE", the type keyword
/// (e.g. "$NORMAL"), "#END_OF_DATA_TYPE", "#DEFINE". Returns false at the first
/// failed line (the lines after it are not written).
bool WriteFrameHead(OutputFile& out, std::string_view typeKeyword);

/// Writes the closing "#END_OF_LED_DATA_FILE" line. Returns false when the write fails.
bool WriteFrameTail(OutputFile& out);

/// Reads one line of at most maxLength characters, its line feed included; a
/// longer line arrives in pieces. Returns false at the end of the file (line is then empty).
bool ReadLine(LineReader& in, std::string& line, std::size_t maxLength);

/// Whether line is the keyword line of keyword: the keyword padded to 30
/// characters plus the line feed, all 31 characters equal.
bool IsKeywordLine(std::string_view line, std::string_view keyword);
/// The same for a line given as its text and whether it ended in LF (LineReader::ReadLineText).
bool IsKeywordLine(std::string_view text, bool lf, std::string_view keyword);

/// Reads one line of at most 31 characters and compares it with the keyword line.
/// False with message = readMessage when no line can be read, or
/// mismatchMessage when it differs.
bool ExpectKeyword(LineReader& in, std::string_view keyword, const std::string& readMessage,
                   const std::string& mismatchMessage, std::string& message);

/// Whether the line starts with prefix (a line shorter than prefix does not).
inline bool StartsWith(std::string_view line, std::string_view prefix) {
    return line.size() >= prefix.size() && line.compare(0, prefix.size(), prefix) == 0;
}

/// The rest of the line from column on; empty when the line is shorter.
inline std::string_view TextFrom(std::string_view line, std::size_t column) {
    return column < line.size() ? line.substr(column) : std::string_view();
}

/// The character at column, or '\0' when the line is shorter (a reader never
/// looks past a line's end).
inline char CharAt(std::string_view line, std::size_t column) {
    return column < line.size() ? line[column] : '\0';
}

}  // namespace tesslor
