#include "makers/ListEntries.h"

namespace tesslor {

namespace {
constexpr const char* kEntryPrefix = "Entry";
constexpr std::size_t kEntryPrefixLength = 5;
}  // namespace

std::string EntryFieldName(std::size_t index) { return kEntryPrefix + std::to_string(index + 1); }

std::optional<std::size_t> EntryFieldIndex(const std::string& name) {
    if (name.compare(0, kEntryPrefixLength, kEntryPrefix) != 0 || name.size() == kEntryPrefixLength) return std::nullopt;
    // More digits than any list holds entries would only overflow.
    if (name.size() > kEntryPrefixLength + 6 || name[kEntryPrefixLength] == '0') return std::nullopt;
    std::size_t n = 0;
    for (std::size_t i = kEntryPrefixLength; i < name.size(); ++i) {
        if (name[i] < '0' || name[i] > '9') return std::nullopt;
        n = n * 10 + static_cast<std::size_t>(name[i] - '0');
    }
    return n - 1;
}

bool IsBareName(const std::string& name) {
    return !name.empty() && name.find_first_of("\\/:") == std::string::npos && name.find("..") == std::string::npos;
}

bool FitsDigitsBox(const std::string& text, std::size_t digits) {
    if (text.size() > digits) return false;
    for (char c : text)
        if (c != ' ' && (c < '0' || c > '9')) return false;
    return true;
}

bool SetEntryField(std::vector<std::string>& entries, const std::string& name, const std::string& value,
                   std::string& problem, const std::string& unknownName) {
    const std::optional<std::size_t> index = EntryFieldIndex(name);
    if (!index || *index > entries.size()) {
        problem = index ? name + ": the list holds " + std::to_string(entries.size()) + " entries; the next is " +
                              EntryFieldName(entries.size())
                        : unknownName;
        return false;
    }
    const std::size_t b = value.find_first_not_of(' ');
    const std::size_t e = value.find_last_not_of(' ');
    if (b == std::string::npos || !IsBareName(value.substr(b, e - b + 1))) {
        problem = name + " takes a file name of the list's folder, not \"" + value + "\"";
        return false;
    }
    if (*index == entries.size()) entries.push_back(value);
    else entries[*index] = value;
    return true;
}

}  // namespace tesslor
