#include "text/Cp932.h"

#include "text/WideNames.h"

namespace tesslor {

namespace {

constexpr UINT kCp932 = 932;

bool IsLeadByte(unsigned char c) { return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC); }

// Where the system's code page 932 and Linux's CP932 differ, files are made
// as on Linux, so that both write the same bytes for the same text: these
// characters have a form there (the look-alikes of the unit's own)...
struct Extra {
    wchar_t character;
    const char* bytes;
};
constexpr Extra kExtras[] = {
    {L'\u00A2', "\x81\x91"}, {L'\u00A3', "\x81\x92"}, {L'\u00A5', "\x5C"},     {L'\u00AC', "\x81\xCA"},
    {L'\u2014', "\x81\x5C"}, {L'\u2016', "\x81\x61"}, {L'\u203E', "\x7E"},     {L'\u2212', "\x81\x7C"},
    {L'\u301C', "\x81\x60"},
};
// ...and these have none there (Windows keeps them for single bytes no
// character of the unit uses).
bool RefusedOnLinux(wchar_t c) { return c == L'\u0080' || (c >= L'\uF8F0' && c <= L'\uF8F3'); }

// A run of characters in code page 932 without "best fit": a character
// without its own form is refused, never written as a look-alike or "?".
bool EncodeRun(std::wstring_view wide, std::string& out) {
    if (wide.empty()) return true;
    BOOL usedDefault = FALSE;
    const int n = WideCharToMultiByte(kCp932, WC_NO_BEST_FIT_CHARS, wide.data(), static_cast<int>(wide.size()),
                                      nullptr, 0, nullptr, &usedDefault);
    if (n <= 0 || usedDefault) return false;
    std::string bytes(static_cast<std::size_t>(n), '\0');
    usedDefault = FALSE;
    if (WideCharToMultiByte(kCp932, WC_NO_BEST_FIT_CHARS, wide.data(), static_cast<int>(wide.size()), bytes.data(), n,
                            nullptr, &usedDefault) != n ||
        usedDefault)
        return false;
    out += bytes;
    return true;
}

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
    std::size_t runStart = 0;
    for (std::size_t i = 0; i <= wide.size(); ++i) {
        const Extra* extra = nullptr;
        if (i < wide.size()) {
            if (RefusedOnLinux(wide[i])) return false;
            for (const Extra& e : kExtras)
                if (e.character == wide[i]) extra = &e;
            if (!extra) continue;
        }
        if (!EncodeRun(std::wstring_view(wide).substr(runStart, i - runStart), out)) return false;
        if (extra) out += extra->bytes;
        runStart = i + 1;
    }
    return true;
}

void DecodeCp932(std::string_view sjis, std::string& out) {
    out.clear();
    std::wstring wide;
    // A lone 0x80 starts no character on Linux: such text goes byte by byte.
    if (sjis.find('\x80') == std::string_view::npos && DecodeExactly(sjis, wide)) {
        out = Utf8Of(wide);
        return;
    }
    // Character by character: a byte that starts none becomes U+FFFD and the
    // reading goes on with the next byte.
    std::wstring all;
    for (std::size_t i = 0; i < sjis.size();) {
        const unsigned char c = static_cast<unsigned char>(sjis[i]);
        const std::size_t len = IsLeadByte(c) && i + 1 < sjis.size() ? 2 : 1;
        if (c != 0x80 && DecodeExactly(sjis.substr(i, len), wide)) {
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
