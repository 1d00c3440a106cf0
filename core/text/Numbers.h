#pragma once
// Reading numbers the way the unit's files and the editor's fields are read.
#include <cstdint>
#include <string>
#include <string_view>

namespace tesslor {

/// The leading decimal integer of a text: optional blanks (space, tab, line
/// ends), an optional sign, then digits up to the first other character; 0 when
/// there are no digits. Values beyond the int range saturate instead of wrapping.
int LeadingInt(std::string_view text);

/// Up to maxDigits hexadecimal digits (either case) from the start of text,
/// stopping at the first other character or the end; 0 when there are none.
unsigned LeadingHex(std::string_view text, int maxDigits);

/// printf-style "%0*d" with width digits (at least; longer numbers are not cut).
std::string ZeroPad(int value, int width);

}  // namespace tesslor
