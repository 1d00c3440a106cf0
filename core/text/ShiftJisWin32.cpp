#include "text/Cp932.h"

#include "platform/WideNames.h"

namespace tesslor {

namespace {

constexpr UINT kCp932 = 932;

bool IsLeadByte(unsigned char c) { return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC); }

// The characters of bytes, or false when they are not all valid code page 932.
bool DecodeExactly(std::string_view bytes, std::wstring& wide) {
    const int n = MultiByteToWideChar(kCp932, MB_ERR_INVALID_CHARS, bytes.data(), static_cast<int>(bytes.size()),
                                      nullptr, 0);
    if (n <= 0) return false;
    wide.assign(static_cast<std::size_t>(n), L'\0');
    return MultiByteToWideChar(kCp932, MB_ERR_INVALID_CHARS, bytes.data(), static_cast<int>(bytes.size()),
                               wide.data(), n) == n;
}

}  // namespace

bool EncodeCp932(std::string_view utf8, std::string& out) {
    out.clear();
    if (utf8.empty()) return true;
    // Invalid UTF-8 is refused, as a character with no Shift-JIS form is.
    const int wn =
        MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
    if (wn <= 0) return false;
    std::wstring wide(static_cast<std::size_t>(wn), L'\0');
    MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(), static_cast<int>(utf8.size()), wide.data(), wn);
    // No "best fit": a character without its own form is refused, never
    // written as a look-alike or "?".
    BOOL usedDefault = FALSE;
    const int n = WideCharToMultiByte(kCp932, WC_NO_BEST_FIT_CHARS, wide.data(), wn, nullptr, 0, nullptr, &usedDefault);
    if (n <= 0 || usedDefault) return false;
    out.assign(static_cast<std::size_t>(n), '\0');
    usedDefault = FALSE;
    if (WideCharToMultiByte(kCp932, WC_NO_BEST_FIT_CHARS, wide.data(), wn, out.data(), n, nullptr, &usedDefault) != n ||
        usedDefault) {
        out.clear();
        return false;
    }
    return true;
}

void DecodeCp932(std::string_view sjis, std::string& out) {
    out.clear();
    std::wstring wide;
    if (DecodeExactly(sjis, wide)) {
        out = Utf8Of(wide);
        return;
    }
    // Character by character: a byte that starts none becomes U+FFFD and the
    // reading goes on with the next byte.
    std::wstring all;
    for (std::size_t i = 0; i < sjis.size();) {
        const unsigned char c = static_cast<unsigned char>(sjis[i]);
        const std::size_t len = IsLeadByte(c) && i + 1 < sjis.size() ? 2 : 1;
        if (DecodeExactly(sjis.substr(i, len), wide)) {
            all += wide;
            i += len;
        } else {
            all += L'\xFFFD';
            ++i;
        }
    }
    out = Utf8Of(all);
}

}  // namespace tesslor
