#pragma once
// Reading numbers the way the unit's files and the editor's fields are read.
#include <algorithm>
#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace tesslor {

/// The leading decimal integer of a text: optional blanks (space, tab, line
/// ends), an optional sign, then digits up to the first other character; 0 when
/// there are no digits. Values beyond the int range saturate instead of wrapping.
int LeadingInt(std::string_view text);

/// The value of each hexadecimal digit (either case); 16 for every other byte.
inline constexpr std::array<unsigned char, 256> kHexDigitValue = [] {
    std::array<unsigned char, 256> t{};
    t.fill(16);
    for (int c = 0; c < 10; ++c) t['0' + c] = static_cast<unsigned char>(c);
    for (int c = 0; c < 6; ++c) {
        t['A' + c] = static_cast<unsigned char>(10 + c);
        t['a' + c] = static_cast<unsigned char>(10 + c);
    }
    return t;
}();

/// Up to maxDigits hexadecimal digits (either case) from the start of text,
/// stopping at the first other character or the end; 0 when there are none.
/// Inline: a picture has five of these words on each of its 960 data lines.
inline unsigned LeadingHex(std::string_view text, int maxDigits) {
    if (maxDigits == 4 && text.size() >= 4) {
        // A data word: four digits, nearly always, looked up without a branch each.
        const unsigned a = kHexDigitValue[static_cast<unsigned char>(text[0])];
        const unsigned b = kHexDigitValue[static_cast<unsigned char>(text[1])];
        const unsigned c = kHexDigitValue[static_cast<unsigned char>(text[2])];
        const unsigned d = kHexDigitValue[static_cast<unsigned char>(text[3])];
        if ((a | b | c | d) < 16) return a << 12 | b << 8 | c << 4 | d;
    }
    unsigned value = 0;
    const std::size_t n = maxDigits < 0 ? 0 : std::min(text.size(), static_cast<std::size_t>(maxDigits));
    for (std::size_t i = 0; i < n; ++i) {
        const unsigned d = kHexDigitValue[static_cast<unsigned char>(text[i])];
        if (d == 16) break;
        value = value * 16 + d;
    }
    return value;
}

/// printf-style "%0*d" with width digits (at least; longer numbers are not cut).
std::string ZeroPad(int value, int width);

}  // namespace tesslor
