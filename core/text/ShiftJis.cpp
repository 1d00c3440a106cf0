#include "text/ShiftJis.h"

#include "text/Cp932.h"

namespace tesslor {

namespace {

bool IsAscii(std::string_view s) {
    for (unsigned char c : s)
        if (c >= 0x80) return false;
    return true;
}

}  // namespace

std::optional<std::string> ToShiftJis(std::string_view utf8) {
    if (IsAscii(utf8)) return std::string(utf8);
    std::string out;
    if (!EncodeCp932(utf8, out)) return std::nullopt;
    return out;
}

std::string FromShiftJis(std::string_view sjis) {
    if (IsAscii(sjis)) return std::string(sjis);
    std::string out;
    DecodeCp932(sjis, out);
    return out;
}

std::optional<std::size_t> ShiftJisLength(std::string_view utf8) {
    auto s = ToShiftJis(utf8);
    if (!s) return std::nullopt;
    return s->size();
}

}  // namespace tesslor

namespace tesslor {

std::string ShiftJisOrLeadingAscii(std::string_view utf8) {
    if (auto s = ToShiftJis(utf8)) return *s;
    std::size_t n = 0;
    while (n < utf8.size() && static_cast<unsigned char>(utf8[n]) < 0x80) ++n;
    return std::string(utf8.substr(0, n));
}

std::string CutShiftJis(std::string_view sjis, std::size_t maxBytes) {
    std::size_t i = 0;
    while (i < sjis.size()) {
        const unsigned char c = static_cast<unsigned char>(sjis[i]);
        // Lead bytes of a double-byte character: 0x81-0x9F and 0xE0-0xFC.
        const std::size_t len = ((c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC)) ? 2 : 1;
        if (i + len > maxBytes || i + len > sjis.size()) break;
        i += len;
    }
    return std::string(sjis.substr(0, i));
}

}  // namespace tesslor
