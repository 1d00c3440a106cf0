#include "text/ShiftJis.h"

#include <iconv.h>

#include <cerrno>
#include <mutex>

namespace tesslor {

namespace {

// Converts all of in; false when any character cannot be converted.
bool Convert(const char* to, const char* from, std::string_view in, std::string& out, bool replaceInvalid) {
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1)) return false;
    out.clear();
    char* src = const_cast<char*>(in.data());
    std::size_t srcLeft = in.size();
    char buf[256];
    bool ok = true;
    while (srcLeft > 0) {
        char* dst = buf;
        std::size_t dstLeft = sizeof buf;
        std::size_t r = iconv(cd, &src, &srcLeft, &dst, &dstLeft);
        out.append(buf, static_cast<std::size_t>(dst - buf));
        if (r == static_cast<std::size_t>(-1)) {
            if (errno == E2BIG) continue;
            if (!replaceInvalid) {
                ok = false;
                break;
            }
            // Invalid or incomplete sequence: replace one byte and go on.
            out += "\xEF\xBF\xBD";
            ++src;
            --srcLeft;
            iconv(cd, nullptr, nullptr, nullptr, nullptr);
        }
    }
    if (ok) {
        char* dst = buf;
        std::size_t dstLeft = sizeof buf;
        iconv(cd, nullptr, nullptr, &dst, &dstLeft);
        out.append(buf, static_cast<std::size_t>(dst - buf));
    }
    iconv_close(cd);
    return ok;
}

bool IsAscii(std::string_view s) {
    for (unsigned char c : s)
        if (c >= 0x80) return false;
    return true;
}

}  // namespace

std::optional<std::string> ToShiftJis(std::string_view utf8) {
    if (IsAscii(utf8)) return std::string(utf8);
    std::string out;
    if (!Convert("CP932", "UTF-8", utf8, out, false)) return std::nullopt;
    return out;
}

std::string FromShiftJis(std::string_view sjis) {
    if (IsAscii(sjis)) return std::string(sjis);
    std::string out;
    Convert("UTF-8", "CP932", sjis, out, true);
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
