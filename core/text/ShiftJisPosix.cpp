#include "text/Cp932.h"

#include <iconv.h>

#include <cerrno>

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

}  // namespace

bool EncodeCp932(std::string_view utf8, std::string& out) { return Convert("CP932", "UTF-8", utf8, out, false); }

void DecodeCp932(std::string_view sjis, std::string& out) { Convert("UTF-8", "CP932", sjis, out, true); }

}  // namespace tesslor
