#include "settings/SeteiForm.h"

#include <cstring>
#include <string_view>
#include <vector>

#include "files/Framing.h"
#include "settings/SettingsNumbers.h"

namespace tesslor {

namespace {

std::vector<FieldInfo> SeteiFieldInfos() {
    std::vector<FieldInfo> fields;
    for (const SeteiField& f : kSeteiFields) fields.push_back({f.Name, FieldKind::Edit, ""});
    fields.push_back({kHeikinSouon, FieldKind::RadioButton, kSyunkanSouon});
    fields.push_back({kSyunkanSouon, FieldKind::RadioButton, kHeikinSouon});
    fields.push_back({kHeikinFuusoku, FieldKind::RadioButton, kSyunkanFuusoku});
    fields.push_back({kSyunkanFuusoku, FieldKind::RadioButton, kHeikinFuusoku});
    return fields;
}

constexpr bool Same(const char* a, const char* b) { return std::string_view(a) == std::string_view(b); }

// The layout names every field of the table exactly once and nothing else.
constexpr bool LayoutCoversTheFields() {
    for (const SeteiField& f : kSeteiFields) {
        int uses = 0;
        for (const SeteiLine& l : kSeteiLines)
            for (const char* name : l.Fields)
                if (name && Same(name, f.Name)) ++uses;
        if (uses != 1) return false;
    }
    std::size_t named = 0;
    for (const SeteiLine& l : kSeteiLines)
        for (const char* name : l.Fields)
            if (name) ++named;
    return named == kSeteiFields.size();
}
static_assert(LayoutCoversTheFields(), "a field is missing from the line layout, or named twice or unknown");

// The fields of setting line i, in file order.
std::vector<const SeteiField*> LineFields(std::size_t i) {
    std::vector<const SeteiField*> fields;
    for (const char* name : kSeteiLines[i].Fields)
        if (name) fields.push_back(FindSeteiField(name));
    return fields;
}

// Vibration is checked before noise although noise comes first in the file.
constexpr std::array<std::size_t, 19> kCheckOrder{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 12, 11, 13, 14, 15, 16, 17, 18};

// The lamp fields that the wind-only lamp mode sets to "0": one per quantity.
constexpr std::array<const char*, 6> kQuantityLamps{"OndoChk3KaitenTouEdit",  "WbgtChk4KaitenTouEdit",
                                                    "SouonChkKaitenTouEdit",  "SindouChkKaitenTouEdit",
                                                    "UryouChkKaitenTouEdit",  kFuusokuLampField};

// The lamps named so far during one input check.
class LampPool {
public:
    bool Enter(int lamp, Prompter& prompter) {
        if (lamp == 0) return true;
        // The count comes first: a fifth lamp is refused as one too many even
        // when its number repeats an earlier one.
        if (++count_ > 4) {
            prompter.Inform(kTooManyLamps);
            return false;
        }
        for (int i = 0; i < count_ - 1; ++i) {
            if (named_[i] == lamp) {
                prompter.Inform(kDuplicateLamp);
                return false;
            }
        }
        named_[count_ - 1] = lamp;
        return true;
    }

private:
    int count_ = 0;
    std::array<int, 4> named_{};
};

// An open's next line, cut to what the unit reads of a line.
bool NextLine(LineReader& in, std::string& line) { return in.ReadLine(line, kSeteiReadLength); }

// "<path>リードエラー": a line of the file is missing. Always false.
bool ReadError(std::vector<std::string>& said, const std::string& path) {
    said.push_back(path + "リードエラー");
    return false;
}

// A malformed line's own message. Always false.
bool Refuse(std::vector<std::string>& said, const char* message) {
    said.push_back(message);
    return false;
}

}  // namespace

const SeteiField* FindSeteiField(std::string_view name) {
    for (const SeteiField& f : kSeteiFields)
        if (name == f.Name) return &f;
    return nullptr;
}

std::size_t SeteiLineOf(std::string_view field) {
    for (std::size_t i = 0; i < kSeteiLines.size(); ++i)
        for (const char* name : kSeteiLines[i].Fields)
            if (name && field == name) return i;
    return kSeteiLines.size();
}

SeteiForm::SeteiForm(bool settings2, FileSystem& files)
    : SettingsForm(SeteiFieldInfos(), files), settings2_(settings2) {
    SetChecked(kSyunkanSouon, true);
    SetChecked(kHeikinFuusoku, true);
    SetWindOnly(false);
}

std::string SeteiForm::Kind() const { return settings2_ ? "settings2" : "settings1"; }

void SeteiForm::SetWindOnly(bool on) {
    windOnly_ = on;
    // Switching off only enables the lamp fields again; their texts stay.
    if (on)
        for (const char* name : kQuantityLamps) SetText(name, "0");
}

void SeteiForm::WindOnlyButton(Prompter& prompter) {
    if (windOnly_) {
        SetWindOnly(false);
        return;
    }
    prompter.Inform(kWindOnlyNotice1);
    prompter.Inform(kWindOnlyNotice2);
    SetWindOnly(true);
}

void SeteiForm::Standard() {
    for (const SeteiField& f : kSeteiFields)
        if (f.Standard) SetText(f.Name, f.Standard);
    SetChecked(kSyunkanSouon, true);
    SetChecked(kHeikinFuusoku, true);
}

void SeteiForm::Clear() {
    for (const SeteiField& f : kSeteiFields) SetText(f.Name, "");
    SetChecked(kHeikinFuusoku, true);
    SetChecked(kSyunkanSouon, true);
}

bool SeteiForm::Check(Prompter& prompter) {
    LampPool pool;
    for (std::size_t lineIndex : kCheckOrder) {
        const SeteiLine& line = kSeteiLines[lineIndex];
        if (line.WindOnly && !windOnly_) continue;
        int values[3] = {0, 0, 0};
        int count = 0;
        for (const SeteiField* f : LineFields(lineIndex)) {
            int value = 0;
            if (!CheckNumberText(Text(f->Name), f->Width, f->Min, f->Max, f->Message, prompter, value)) return false;
            if (f->Lamp && !pool.Enter(value, prompter)) return false;
            values[count++] = value;
        }
        if (line.OrderMessage && values[1] < values[0]) {
            prompter.Inform(line.OrderMessage);
            return false;
        }
    }
    return true;
}

std::string SeteiForm::LineText(std::size_t i) const {
    std::string text = kSeteiLines[i].Key;
    bool first = true;
    for (const SeteiField* f : LineFields(i)) {
        if (!first) text += ',';
        first = false;
        text += PadValue(Text(f->Name), f->Width);
    }
    return text;
}

bool SeteiForm::WriteLines(OutputFile& out, std::string& message) const {
    if (!WriteFrameHead(out, "$SETEI")) return false;
    for (std::size_t i = 0; i < kSeteiFixedLines; ++i)
        if (!WriteLine(out, LineText(i))) return false;
    if (settings2_) {
        // The window's radio groups always hold a choice; a form filled by
        // other means may not, and the unit needs both lines.
        const bool heikinSouon = Checked(kHeikinSouon);
        const bool heikinFuusoku = Checked(kHeikinFuusoku);
        if (!heikinSouon && !Checked(kSyunkanSouon)) {
            message = kNoSouonChoice;
            return false;
        }
        if (!heikinFuusoku && !Checked(kSyunkanFuusoku)) {
            message = kNoFuusokuChoice;
            return false;
        }
        if (!WriteLine(out, heikinSouon ? "$HEIKIN_SOUON_LAMP" : "$SYUNKAN_SOUON_LAMP")) return false;
        if (!WriteLine(out, heikinFuusoku ? "$HEIKIN_FUUSOKU_LAMP" : "$SYUNKAN_FUUSOKU_LAMP")) return false;
    }
    if (windOnly_)
        for (std::size_t i = kSeteiFixedLines; i < kSeteiLines.size(); ++i)
            if (!WriteLine(out, LineText(i))) return false;
    return WriteLine(out, "#END_OF_DEFINE") && WriteFrameTail(out);
}

bool SeteiForm::ReadSettingLine(const std::string& line, std::size_t i) {
    const char* key = kSeteiLines[i].Key;
    if (!StartsWith(line, key)) return false;
    std::size_t column = std::strlen(key);
    bool first = true;
    for (const SeteiField* f : LineFields(i)) {
        if (!first) {
            if (CharAt(line, column) != ',') return false;
            ++column;
        }
        first = false;
        const int value = ReadFixedNumber(TextFrom(line, column), f->Width);
        if (value < f->Min || value > f->Max) return false;
        SetText(f->Name, std::to_string(value));
        column += static_cast<std::size_t>(f->Width);
    }
    return true;
}

bool SeteiForm::Open(LineReader& in, const std::string& path, std::vector<std::string>& said) {
    SetWindOnly(false);
    Clear();
    std::string line;
    // The framing head is taken as it stands.
    for (int i = 0; i < 5; ++i)
        if (!NextLine(in, line)) return ReadError(said, path);
    for (std::size_t i = 0; i < kSeteiFixedLines; ++i) {
        if (!NextLine(in, line)) return ReadError(said, path);
        if (!ReadSettingLine(line, i)) return Refuse(said, kSeteiLines[i].ReadMessage);
    }

    if (!NextLine(in, line)) return ReadError(said, path);
    if (settings2_ && !ReadLampChoices(in, line, path, said)) return false;

    if (StartsWith(line, "#END_OF_DEFINE")) return true;
    return ReadWindBands(in, line, path, said);
}

bool SeteiForm::ReadLampChoices(LineReader& in, std::string& line, const std::string& path, std::vector<std::string>& said) {
    if (StartsWith(line, "#END_OF_DEFINE") || StartsWith(line, kSeteiLines[kSeteiFixedLines].Key)) {
        // A settings 1 file: the choices keep their cleared state.
        said.push_back(kSettings1FileNotice);
        return true;
    }
    if (IsKeywordLine(line, "$HEIKIN_SOUON_LAMP")) SetChecked(kHeikinSouon, true);
    else if (IsKeywordLine(line, "$SYUNKAN_SOUON_LAMP")) SetChecked(kSyunkanSouon, true);
    else {
        // A missing choice counts as a read error.
        said.push_back(kNoSouonLampLine);
        return ReadError(said, path);
    }
    if (!NextLine(in, line)) return ReadError(said, path);
    if (IsKeywordLine(line, "$HEIKIN_FUUSOKU_LAMP")) SetChecked(kHeikinFuusoku, true);
    else if (IsKeywordLine(line, "$SYUNKAN_FUUSOKU_LAMP")) SetChecked(kSyunkanFuusoku, true);
    else {
        said.push_back(kNoFuusokuLampLine);
        return ReadError(said, path);
    }
    if (!NextLine(in, line)) return ReadError(said, path);
    return true;
}

bool SeteiForm::ReadWindBands(LineReader& in, const std::string& firstBand, const std::string& path,
                              std::vector<std::string>& said) {
    // Anything else, or a refused first band, ends the open with the mode still off.
    if (!ReadSettingLine(firstBand, kSeteiFixedLines))
        return Refuse(said, kSeteiLines[kSeteiFixedLines].ReadMessage);
    SetWindOnly(true);
    // A refused later band is reported and the remaining bands are still read;
    // the open then counts as failed.
    bool ok = true;
    std::string line;
    for (std::size_t i = kSeteiFixedLines + 1; i < kSeteiLines.size(); ++i) {
        if (!NextLine(in, line)) return ReadError(said, path);
        if (!ReadSettingLine(line, i)) ok = Refuse(said, kSeteiLines[i].ReadMessage);
    }
    // The line after the bands (the end of the settings) must be there but is not looked at.
    if (!NextLine(in, line)) return ReadError(said, path);
    return ok;
}

std::vector<std::pair<std::string, std::string>> SeteiForm::ModeValues() const {
    return {{"wind-only", windOnly_ ? "yes" : "no"}};
}

}  // namespace tesslor
