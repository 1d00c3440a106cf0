#include "platform/IniProfile.h"

#include <filesystem>
#include <system_error>

// Plain bytes in and out: no wide-character conversion (which would need
// the separate conversion library) and nothing validated behind our back.
// Debian's header keeps the template bodies behind SI_IMPLEMENTATION (its
// shared library is built for another converter); take them from the header.
#define SI_NO_CONVERSION
#define SI_IMPLEMENTATION
#include <SimpleIni.h>

#include "platform/Paths.h"
#include "text/Numbers.h"

namespace tesslor {

namespace {

// CSimpleIniA compares section and key names without regard to case.
using Ini = CSimpleIniA;

void Configure(Ini& ini) {
    ini.SetUnicode(false);
    // Keep every duplicated key so that the first one can be taken, and so a
    // rewrite does not silently drop lines the operator wrote.
    ini.SetMultiKey(true);
    ini.SetMultiLine(false);
    ini.SetSpaces(false);  // "key=value", as the profile functions write it
}

enum class LoadResult { Loaded, Missing, Failed };

LoadResult Load(FileSystem& files, const std::string& path, Ini& ini) {
    Configure(ini);
    std::string bytes;
    if (!files.ReadAll(path, bytes)) {
        std::error_code ec;
        bool exists = std::filesystem::exists(PathOfUtf8(path), ec);
        // A file that exists but cannot be read must not be taken for an empty
        // one: writing would then throw away everything in it.
        return (!exists && !ec) ? LoadResult::Missing : LoadResult::Failed;
    }
    return ini.LoadData(bytes) < 0 ? LoadResult::Failed : LoadResult::Loaded;
}

// Names compare as the profile functions compare them: ASCII letters without
// regard to case, every other byte as it is.
bool EqualsIgnoringCase(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        char x = a[i], y = b[i];
        if (x >= 'A' && x <= 'Z') x = static_cast<char>(x - 'A' + 'a');
        if (y >= 'A' && y <= 'Z') y = static_cast<char>(y - 'A' + 'a');
        if (x != y) return false;
    }
    return true;
}

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

std::string Trim(const std::string& s) {
    std::size_t b = 0, e = s.size();
    while (b < e && IsBlank(s[b])) ++b;
    while (e > b && IsBlank(s[e - 1])) --e;
    return s.substr(b, e - b);
}

// The value of the first of possibly several equal keys, nullptr when none.
const char* FirstValue(const Ini& ini, const std::string& section, const std::string& key) {
    Ini::TNamesDepend values;
    if (!ini.GetAllValues(section.c_str(), key.c_str(), values) || values.empty()) return nullptr;
    const Ini::Entry* first = &values.front();
    for (const Ini::Entry& e : values)
        if (e.nOrder < first->nOrder) first = &e;
    return first->pItem;
}

}  // namespace

bool StartsWithNumber(const std::string& text) {
    std::size_t i = 0;
    while (i < text.size() && IsBlank(text[i])) ++i;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
    return i < text.size() && text[i] >= '0' && text[i] <= '9';
}

IniProfile::IniProfile(std::string path, FileSystem& files) : path_(std::move(path)), files_(&files) {}

std::string IniProfile::ReadString(const std::string& section, const std::string& key,
                                   const std::string& defaultValue) const {
    Ini ini;
    if (Load(*files_, path_, ini) != LoadResult::Loaded) return defaultValue;
    const char* raw = FirstValue(ini, section, key);
    if (!raw) return defaultValue;
    std::string value = Trim(raw);
    // One pair of matching quotes around the whole value is not part of it.
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front())
        value = value.substr(1, value.size() - 2);
    return value;
}

int IniProfile::ReadInteger(const std::string& section, const std::string& key, int defaultValue) const {
    std::string value = ReadString(section, key, "");
    if (!StartsWithNumber(value)) return defaultValue;
    return LeadingInt(value);
}

bool IniProfile::WriteString(const std::string& section, const std::string& key, const std::string& value) {
    // A line break would smuggle further lines into the file, and a name holding
    // the INI syntax could not be read back as the same name.
    auto has = [](const std::string& s, const char* chars) { return s.find_first_of(chars) != std::string::npos; };
    if (section.empty() || key.empty() || has(section, "\r\n]") || has(key, "\r\n=") ||
        key.find_first_of(";#[") == 0 || has(value, "\r\n"))
        return false;
    Ini ini;
    if (Load(*files_, path_, ini) == LoadResult::Failed) return false;
    // Replace every value of the key, keeping the place of the first and the
    // spelling the file already has for its name.
    std::string name = key;
    Ini::TNamesDepend keys;
    if (ini.GetAllKeys(section.c_str(), keys)) {
        const Ini::Entry* first = nullptr;
        for (const Ini::Entry& e : keys)
            if (EqualsIgnoringCase(e.pItem, key) && (!first || e.nOrder < first->nOrder)) first = &e;
        if (first) name = first->pItem;
    }
    if (ini.SetValue(section.c_str(), name.c_str(), value.c_str(), nullptr, true) < 0) return false;
    std::string bytes;
    if (ini.Save(bytes, ini.IsUnicode()) < 0) return false;
    std::unique_ptr<OutputFile> out = files_->Create(path_);
    if (!out) return false;
    return out->Write(bytes) && out->Commit();
}

}  // namespace tesslor
