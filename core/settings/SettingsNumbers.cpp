#include "settings/SettingsNumbers.h"

#include <algorithm>
#include <cstddef>

namespace tesslor {

bool CheckNumberText(const std::string& text, int width, int min, int max, const std::string& message,
                     Prompter& prompter, int& value) {
    return ShowFailure(prompter, NumberTextValue(text, width, min, max, value), message);
}

bool NumberTextValue(const std::string& text, int width, int min, int max, int& value) {
    auto fail = [] { return false; };
    if (text.empty() || text.size() > static_cast<std::size_t>(width)) return fail();
    const std::size_t start = text[0] == '-' ? 1 : 0;
    if (start == text.size()) return fail();
    long long n = 0;
    for (std::size_t i = start; i < text.size(); ++i) {
        if (text[i] < '0' || text[i] > '9') return fail();
        n = n * 10 + (text[i] - '0');  // at most a few digits: width bounds it
    }
    if (start == 1) n = -n;
    if (n < min || n > max) return fail();
    value = static_cast<int>(n);
    return true;
}

std::string PadValue(const std::string& text, int width) {
    if (text.size() >= static_cast<std::size_t>(width)) return text;
    const char fill = !text.empty() && text[0] == '-' ? ' ' : '0';
    return std::string(static_cast<std::size_t>(width) - text.size(), fill) + text;
}

int ReadFixedNumber(std::string_view chars, int n) {
    long long value = 0;
    int sign = 1;
    const std::size_t count = n < 0 ? 0 : std::min(chars.size(), static_cast<std::size_t>(n));
    for (std::size_t i = 0; i < count; ++i) {
        const char c = chars[i];
        if (c >= '0' && c <= '9') {
            value = value * 10 + (c - '0');
            if (value > 1'000'000'000) break;  // far beyond any field; no overflow
        } else if (c == '-') {
            sign = -1;
        } else if (c == ' ' && value == 0) {
            continue;
        } else {
            break;
        }
    }
    return static_cast<int>(value * sign);
}

}  // namespace tesslor
