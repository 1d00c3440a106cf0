#pragma once
// Windows only: names and texts are UTF-8 inside the program and UTF-16 at
// the Win32 edge. Included by the *Win32.cpp files alone.
#include <windows.h>

#include <string>
#include <string_view>

namespace tesslor {

/// utf8 as UTF-16; invalid bytes become U+FFFD.
inline std::wstring WideOf(std::string_view utf8) {
    if (utf8.empty()) return std::wstring();
    const int n = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
    std::wstring w(static_cast<std::size_t>(n > 0 ? n : 0), L'\0');
    if (n > 0) MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), w.data(), n);
    return w;
}

/// wide as UTF-8.
inline std::string Utf8Of(std::wstring_view wide) {
    if (wide.empty()) return std::string();
    const int n =
        WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0, nullptr, nullptr);
    std::string s(static_cast<std::size_t>(n > 0 ? n : 0), '\0');
    if (n > 0) WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), s.data(), n, nullptr, nullptr);
    return s;
}

}  // namespace tesslor
