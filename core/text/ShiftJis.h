#pragma once
// Shift-JIS (code page 932), the character set of every file the unit reads.
// Text inside the program is UTF-8; convert at the edge.
#include <optional>
#include <string>
#include <string_view>

namespace tesslor {

/// UTF-8 to Shift-JIS. Nothing when the text has no Shift-JIS form (or is not
/// valid UTF-8): such text is refused, never written half-converted.
std::optional<std::string> ToShiftJis(std::string_view utf8);

/// Shift-JIS to UTF-8. Bytes that are not valid Shift-JIS become U+FFFD.
std::string FromShiftJis(std::string_view sjis);

/// Length in bytes of the text's Shift-JIS form ("あ" counts two); nothing
/// when the text has no Shift-JIS form.
std::optional<std::size_t> ShiftJisLength(std::string_view utf8);

}  // namespace tesslor

namespace tesslor {

/// The Shift-JIS form of a text typed by the operator, for a unit file: the
/// whole text when it has one, otherwise its leading ASCII part (the unit reads
/// only the leading number of such fields anyway). Never half-converted bytes.
std::string ShiftJisOrLeadingAscii(std::string_view utf8);

/// Shift-JIS bytes cut to at most maxBytes without splitting a double-byte character.
std::string CutShiftJis(std::string_view sjis, std::size_t maxBytes);

}  // namespace tesslor
