#pragma once
// The system's own conversion between UTF-8 and code page 932 (Shift-JIS as
// Windows has it): iconv on Linux, the Win32 code page calls on Windows.
// ShiftJis.h is the interface the program uses.
#include <string>
#include <string_view>

namespace tesslor {

/// All of utf8 in code page 932; false, out unspecified, when any character
/// has no form there.
bool EncodeCp932(std::string_view utf8, std::string& out);

/// sjis in UTF-8; each byte that starts no character of code page 932 becomes
/// U+FFFD and the reading goes on after it.
void DecodeCp932(std::string_view sjis, std::string& out);

}  // namespace tesslor
