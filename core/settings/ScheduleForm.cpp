#include "settings/ScheduleForm.h"

#include <algorithm>
#include <vector>

#include "files/Framing.h"

namespace tesslor {

namespace {

std::vector<FieldInfo> ScheduleFields() {
    std::vector<FieldInfo> fields;
    for (int n = 1; n <= kScheduleEntries; ++n) fields.push_back({ScheduleForm::EntryName(n), FieldKind::Edit, ""});
    return fields;
}

const char* const kGroupKeys[3] = {"$S1=", "$S2=", "$S3="};
constexpr std::size_t kGroupKeyLength = 4;

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

ScheduleForm::ScheduleForm(FileSystem& files) : SettingsForm(ScheduleFields(), files) {}

std::string ScheduleForm::EntryName(int n) { return "No" + std::to_string(n) + "Edit"; }

void ScheduleForm::Clear() {
    for (int n = 1; n <= kScheduleEntries; ++n) SetEntry(n, "");
}

bool ScheduleForm::IsValidEntry(const std::string& text) {
    if (text.size() > kScheduleEntryLength) return false;
    for (char c : text)
        if (!IsDigit(c)) return false;
    return true;
}

bool ScheduleForm::Check(Prompter& prompter) {
    for (int n = 1; n <= kScheduleEntries; ++n) {
        if (!IsValidEntry(Entry(n))) {
            prompter.Inform("No" + std::to_string(n) + "の数字に誤りがあります");
            return false;
        }
    }
    return true;
}

std::string ScheduleForm::GroupLine(int group) const {
    std::string line = kGroupKeys[group];
    bool first = true;
    for (int n = group * kScheduleEntriesPerLine + 1; n <= (group + 1) * kScheduleEntriesPerLine; ++n) {
        const std::string& entry = Entry(n);
        // An empty entry leaves no trace: no empty field, no double ",".
        if (entry.empty()) continue;
        if (!first) line += ',';
        line += entry;
        first = false;
    }
    return line;
}

bool ScheduleForm::WriteLines(OutputFile& out, std::string&) const {
    for (int n = 1; n <= kScheduleEntries; ++n)
        if (!IsValidEntry(Entry(n))) return false;
    if (!WriteFrameHead(out, "$SCHEDULE")) return false;
    for (int group = 0; group < 3; ++group)
        if (!WriteLine(out, GroupLine(group))) return false;
    return WriteLine(out, "#END_OF_DEFINE") && WriteFrameTail(out);
}

bool ScheduleForm::ReadGroupLine(const std::string& line, int& next) {
    // The values end at the line feed (or the end of a piece of a long line).
    const std::size_t end = std::min(line.find('\n'), line.size());
    std::size_t i = kGroupKeyLength;
    int count = 0;
    for (;;) {
        const char c = i < end ? line[i] : '\0';
        if (c == ' ') {
            // The rest up to the line end must be padding.
            for (std::size_t j = i; j < end; ++j)
                if (line[j] != ' ') return false;
            return true;
        }
        if (count == kScheduleEntriesPerLine) return false;
        if (c == ',') {
            ++i;
            continue;
        }
        if (!IsDigit(c)) return false;
        const char after = i + 1 < end ? line[i + 1] : '\0';
        std::string value(1, c);
        if (after == ',' || after == ' ') {
            // One digit: the separator after it goes with it.
            i += 2;
        } else if (IsDigit(after)) {
            // Two digits: what follows is looked at afresh.
            value += after;
            i += 2;
        } else {
            return false;
        }
        SetEntry(next++, value);
        ++count;
    }
}

bool ScheduleForm::OpenWithDialog(const FormDialogs& dialogs, Prompter& prompter) {
    openFolder_ = dialogs.DriveRoot;
    return Open(dialogs, prompter);
}

bool ScheduleForm::WriteWithDialog(const FormDialogs& dialogs, Prompter& prompter) {
    FormDialogs write = dialogs;
    write.DriveRoot = openFolder_;
    return SaveAs(write, prompter);
}

void ScheduleForm::Opened(const std::string&) { Modified = false; }

bool ScheduleForm::Close(const FormDialogs& dialogs, Prompter& prompter) {
    if (!AskToSave(dialogs, prompter)) return false;
    Closed();
    return true;
}

void ScheduleForm::Closed() {
    Clear();
    // Empty entries are what every opening of the window starts with.
    MarkUnchanged();
}

bool ScheduleForm::Open(LineReader& in, const std::string&, std::vector<std::string>& said) {
    Clear();
    const auto fail = [&] {
        said.push_back(kScheduleReadError);
        return false;
    };
    std::string line;
    const auto keyword = [&](const char* k) { return ReadLine(in, line, kScheduleReadLength) && IsKeywordLine(line, k); };
    for (const char* k : {"#LED_DATA_FILE", "#DATA_TYPE", "$SCHEDULE", "#END_OF_DATA_TYPE", "#DEFINE"})
        if (!keyword(k)) return fail();
    int next = 1;
    for (const char* key : kGroupKeys) {
        if (!ReadLine(in, line, kScheduleReadLength) || !StartsWith(line, key) || !ReadGroupLine(line, next))
            return fail();
    }
    if (!keyword("#END_OF_DEFINE") || !keyword("#END_OF_LED_DATA_FILE")) return fail();
    said.push_back(kScheduleReadDone);
    return true;
}

}  // namespace tesslor
