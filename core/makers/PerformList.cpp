#include "makers/PerformList.h"

#include <algorithm>
#include <array>
#include <optional>

#include "files/UnitFile.h"
#include "makers/ListEntries.h"
#include "platform/Paths.h"
#include "text/ShiftJis.h"

namespace tesslor {

namespace {

bool HasControlCharacter(const std::string& text) {
    return std::any_of(text.begin(), text.end(), [](char c) {
        const auto u = static_cast<unsigned char>(c);
        return u < 0x20 || u == 0x7F;
    });
}

}  // namespace

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

PerformList::PerformList(FileSystem& files) : Form(files) {}

void PerformList::OpenWindow() {
    Entries.clear();
    PerformFolder.clear();
    CurrentFile.clear();
    Modified = false;
    Status.clear();
    knownListBytes_.reset();
}

void PerformList::FixFolder(const std::string& folder) {
    PerformFolder = folder;
    CurrentFile = PerformPath();
}

std::vector<std::string> PerformList::FieldNames() const {
    std::vector<std::string> names;
    for (std::size_t i = 0; i < Entries.size(); ++i) names.push_back(EntryFieldName(i));
    return names;
}

std::optional<std::string> PerformList::Value(const std::string& name) const {
    const std::optional<std::size_t> entry = EntryFieldIndex(name);
    if (entry && *entry < Entries.size()) return Entries[*entry];
    return std::nullopt;
}

bool PerformList::SetValue(const std::string& name, const std::string& value, std::string& problem) {
    std::string line;
    if (!PerformLine(value, line) || HasControlCharacter(value)) {
        problem = name + " takes a file name the unit can read, not \"" + value + "\"";
        return false;
    }
    return SetEntryField(Entries, name, value, problem, "the perform window has no control named \"" + name + "\"");
}

bool PerformList::Add(const std::string& path, Prompter& prompter) {
    const std::string folder = FolderOfFile(path);
    if (!PerformFolder.empty() && !SameFolder(folder, PerformFolder)) {
        prompter.Inform(kPerformOtherFolderMessage);
        return false;
    }
    if (PerformFolder.empty()) FixFolder(folder);
    const std::string name = FileNamePart(path);
    // A name the list cannot carry as one line of the unit's bytes is refused
    // like an overlong one; "." and ".." name folders, not files.
    if (name.empty() || name == "." || name == ".." || HasControlCharacter(name) || !FileNameFitsUnit(name)) {
        prompter.Inform(kPerformNameTooLongMessage);
        return false;
    }
    Entries.push_back(name);
    Modified = true;
    return true;
}

bool PerformList::AddWithDialog(FileDialog& dialog, const FormDialogs& dialogs, Prompter& prompter) {
    Status.clear();
    dialog.InitialDir = DialogFolder(dialogs);
    dialog.FileName.clear();
    if (!dialog.Execute()) return false;
    return Add(dialog.FileName, prompter);
}

void PerformList::Delete(int index) {
    Status.clear();
    if (index < 0 || static_cast<std::size_t>(index) >= Entries.size()) return;
    Entries.erase(Entries.begin() + index);
    Modified = true;
}

int PerformList::Move(int index, int steps) {
    const int count = static_cast<int>(Entries.size());
    if (index < 0 || index >= count) return index;
    const int to = static_cast<int>(std::clamp<long long>(static_cast<long long>(index) + steps, 0, count - 1));
    if (to == index) return index;
    std::string entry = std::move(Entries[static_cast<std::size_t>(index)]);
    Entries.erase(Entries.begin() + index);
    Entries.insert(Entries.begin() + to, std::move(entry));
    Status.clear();
    Modified = true;
    return to;
}

bool PerformList::ReadFile(const std::string& path, Prompter& prompter) {
    std::string bytes;
    // A file that cannot be read must not leave an empty list behind as if it
    // had been one.
    if (!Files().ReadAll(path, bytes)) {
        prompter.Inform(path + "オープンエラー");
        return false;
    }
    Entries = PerformLinesOf(bytes);
    PerformFolder = FolderOfFile(path);
    if (path == PerformPath()) knownListBytes_ = std::move(bytes);
    else knownListBytes_.reset();
    return true;
}

void PerformList::Opened(const std::string&) {
    // 保存 writes "Perform.txt" in the folder read from, whatever the file read was called.
    CurrentFile = PerformPath();
    Modified = false;
}

bool PerformList::Open(const std::string& path, Prompter& prompter) {
    Status.clear();
    if (!ReadFile(path, prompter)) return false;
    Opened(path);
    return true;
}

bool PerformList::OpenWithDialog(FileDialog& dialog, const FormDialogs& dialogs, Prompter& prompter) {
    Status.clear();
    dialog.InitialDir = dialogs.DriveRoot;
    dialog.FileName = kPerformFileName;
    if (!dialog.Execute()) return false;
    return Open(dialog.FileName, prompter);
}

std::string PerformList::PerformPath() const { return PathInFolder(PerformFolder, kPerformFileName); }

std::string PerformList::DialogFolder(const FormDialogs& dialogs) const {
    return PerformFolder.empty() ? dialogs.DriveRoot : PerformFolder;
}

bool PerformList::Check(Prompter& prompter) {
    if (!Entries.empty()) return true;
    prompter.Inform(kPerformEmptyMessage);
    return false;
}

bool PerformList::WriteFile(const std::string& path, Prompter& prompter) {
    std::string message;
    const bool written = WriteWholeFile(
        Files(), path,
        [this](OutputFile& out) {
            std::string line;
            for (const std::string& entry : Entries)
                if (!PerformLine(entry, line) || !out.Write(line)) return false;
            return true;
        },
        message, kPerformOpenErrorMessage, kPerformWriteErrorMessage);
    return ShowFailure(prompter, written, message);
}

bool PerformList::Save(Prompter& prompter) {
    Status.clear();
    if (!Check(prompter)) return false;
    if (PerformFolder.empty()) {
        prompter.Inform(kPerformOpenErrorMessage);
        return false;
    }
    const std::string path = PerformPath();
    if (!WriteFile(path, prompter)) return false;
    Saved(path, true, prompter);
    return true;
}

bool PerformList::WouldReplaceOtherList() const {
    std::string onDisk, written;
    if (PerformFolder.empty() || !Files().ReadAll(PerformPath(), onDisk)) return false;
    if (knownListBytes_ == onDisk) return false;
    // A list that cannot be written is refused by the write itself.
    return PerformListBytes(Entries, written) && written != onDisk;
}

bool PerformList::SaveAskingToReplace(Prompter& prompter) {
    if (!Entries.empty() && WouldReplaceOtherList() && !prompter.Confirm(kPerformReplaceQuestion)) {
        Status.clear();
        return false;
    }
    return Save(prompter);
}

void PerformList::Saved(const std::string& path, bool, Prompter&) {
    std::string written;
    if (PerformListBytes(Entries, written)) knownListBytes_ = std::move(written);
    CurrentFile = path;
    Modified = false;
    Status = std::string(kPerformSavedMessage) + "　" + path;
}

bool PerformListBytes(const std::vector<std::string>& entries, std::string& bytes) {
    bytes.clear();
    std::string line;
    for (const std::string& entry : entries) {
        if (!PerformLine(entry, line)) return false;
        bytes += line;
    }
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
