#include "makers/PerformList.h"

#include <algorithm>
#include <array>
#include <filesystem>
#include <optional>
#include <system_error>

#include "files/UnitFile.h"
#include "platform/Paths.h"
#include "text/ShiftJis.h"

namespace tesslor {

namespace {

// A folder in a form two spellings of the same folder share: both separators
// read as "/", made absolute, links and "." and ".." resolved as far as the
// folder exists.
std::string CanonicalFolder(const std::string& folder) {
    std::string s = folder.empty() ? "." : folder;
    std::replace(s.begin(), s.end(), '\\', '/');
    namespace fs = std::filesystem;
    std::error_code ec;
    fs::path p = fs::absolute(fs::path(s), ec);
    if (ec) p = fs::path(s);
    fs::path c = fs::weakly_canonical(p, ec);
    if (ec) c = p.lexically_normal();
    std::string r = c.lexically_normal().string();
    while (r.size() > 1 && r.back() == '/') r.pop_back();
    return r;
}

bool HasControlCharacter(const std::string& text) {
    return std::any_of(text.begin(), text.end(), [](char c) {
        const auto u = static_cast<unsigned char>(c);
        return u < 0x20 || u == 0x7F;
    });
}

}  // namespace

std::string PerformFolderOf(const std::string& path) {
    const std::size_t p = path.find_last_of("\\/");
    if (p == std::string::npos) {
        // "E:name" lies in the drive's folder.
        const std::size_t colon = path.find(':');
        return colon == std::string::npos ? "." : path.substr(0, colon + 1);
    }
    // A file in a root keeps the root's separator: "/x" lies in "/", "E:\x" in "E:\".
    if (p == 0 || (p == 2 && path[1] == ':')) return path.substr(0, p + 1);
    return path.substr(0, p);
}

bool SamePerformFolder(const std::string& a, const std::string& b) { return CanonicalFolder(a) == CanonicalFolder(b); }

bool PerformLine(const std::string& entry, std::string& line) {
    // A line break inside a name would split it into two entries of the list.
    if (entry.find_first_of("\r\n") != std::string::npos) return false;
    std::optional<std::string> sjis = ToShiftJis(entry);
    if (!sjis) return false;
    // The unit reads 30 bytes of a line; half a double-byte character there
    // would be a name no file has.
    line = CutShiftJis(*sjis, kPerformLineBytes);
    line.append(kPerformLineBytes - line.size(), ' ');
    line += "\r\n";
    return true;
}

std::vector<std::string> PerformLinesOf(const std::string& bytes) {
    std::vector<std::string> lines;
    std::string line;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const char c = bytes[i];
        if (c == '\r' || c == '\n') {
            lines.push_back(FromShiftJis(line));
            line.clear();
            if (c == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') ++i;
        } else {
            line += c;
        }
    }
    if (!line.empty()) lines.push_back(FromShiftJis(line));
    return lines;
}

PerformList::PerformList(FileSystem& files) : files_(&files) {}

void PerformList::OpenWindow() {
    Entries.clear();
    PerformFolder.clear();
}

bool PerformList::Add(const std::string& path, Prompter& prompter) {
    const std::string folder = PerformFolderOf(path);
    if (!PerformFolder.empty() && !SamePerformFolder(folder, PerformFolder)) {
        prompter.Inform(kPerformOtherFolderMessage);
        return false;
    }
    if (PerformFolder.empty()) PerformFolder = folder;
    const std::string name = FileNamePart(path);
    // A name the list cannot carry as one line of the unit's bytes is refused
    // like an overlong one; "." and ".." name folders, not files.
    if (name.empty() || name == "." || name == ".." || HasControlCharacter(name) || !FileNameFitsUnit(name)) {
        prompter.Inform(kPerformNameTooLongMessage);
        return false;
    }
    Entries.push_back(name);
    return true;
}

void PerformList::Delete(int index) {
    if (index < 0 || static_cast<std::size_t>(index) >= Entries.size()) return;
    Entries.erase(Entries.begin() + index);
}

bool PerformList::Open(const std::string& path, Prompter& prompter) {
    std::string bytes;
    // A file that cannot be read must not leave an empty list behind as if it
    // had been one.
    if (!files_->ReadAll(path, bytes)) {
        prompter.Inform(path + "オープンエラー");
        return false;
    }
    Entries = PerformLinesOf(bytes);
    PerformFolder = PerformFolderOf(path);
    return true;
}

std::string PerformList::PerformPath() const {
    if (PerformFolder.empty()) return kPerformFileName;
    const char last = PerformFolder.back();
    if (last == '/' || last == '\\') return PerformFolder + kPerformFileName;
    const bool backslashes =
        PerformFolder.find('\\') != std::string::npos && PerformFolder.find('/') == std::string::npos;
    return PerformFolder + (backslashes ? "\\" : "/") + kPerformFileName;
}

bool PerformList::Save(Prompter& prompter) {
    if (Entries.empty()) {
        prompter.Inform(kPerformEmptyMessage);
        return false;
    }
    if (PerformFolder.empty()) {
        prompter.Inform(kPerformOpenErrorMessage);
        return false;
    }
    const bool written = WriteWholeFile(
        *files_, prompter, PerformPath(),
        [this](OutputFile& out) {
            std::string line;
            for (const std::string& entry : Entries)
                if (!PerformLine(entry, line) || !out.Write(line)) return false;
            return true;
        },
        kPerformOpenErrorMessage, kPerformWriteErrorMessage);
    if (!written) return false;
    prompter.Inform(kPerformSavedMessage);
    return true;
}

std::string CheckPerformBytes(const std::string& bytes) {
    if (bytes.empty()) return "エラー　ファイル名が1行もありません";
    static const std::array<const char*, 4> kKinds{"lee", "ana", "txt", "co2"};
    std::size_t start = 0;
    long long number = 0;
    while (start < bytes.size()) {
        ++number;
        const std::string where = "エラー　" + std::to_string(number) + "行目　";
        const std::size_t end = bytes.find("\r\n", start);
        if (end == std::string::npos) return where + "行末が CR LF ではありません";
        const std::string line = bytes.substr(start, end - start);
        start = end + 2;
        if (line.find_first_of("\r\n") != std::string::npos) return where + "行末が CR LF ではありません";
        if (line.size() != kPerformLineBytes)
            return where + "30バイトではありません（" + std::to_string(line.size()) + "バイト）";
        std::string name = line;
        while (!name.empty() && name.back() == ' ') name.pop_back();
        if (name.empty()) return where + "ファイル名がありません";
        // Judged in UTF-8: the second byte of a Shift-JIS character may be a backslash.
        const std::string text = FromShiftJis(name);
        if (text.find_first_of("\\/:") != std::string::npos) return where + "フォルダー付きの名前です: " + text;
        const std::string ext = LowerExtension(text);
        if (std::find(kKinds.begin(), kKinds.end(), ext) == kKinds.end())
            return where + "表示器のファイル（.lee .ana .txt .co2）ではありません: " + text;
    }
    return "";
}

}  // namespace tesslor
