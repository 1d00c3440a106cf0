#include "settings/Setei3Form.h"

#include <algorithm>
#include <array>
#include <initializer_list>
#include <vector>

#include "files/Framing.h"
#include "settings/SettingsNumbers.h"

namespace tesslor {

namespace {

// ---- the window's tables, in its order ----

constexpr Setei3NumberField kNumbers[] = {
    {"TentouJikanEdit", 5, 10, 60000, Setei3Standard::Value, 100, "点灯時間エラー"},
    {"SyoutouJikanEdit", 5, 10, 60000, Setei3Standard::Value, 100, "消灯時間エラー"},
    {"ScrollJikanEdit", 2, 1, 50, Setei3Standard::Value, 5, "スクロール時間エラー"},
    {"OndoChk1MinEdit", 3, -99, 99, Setei3Standard::Value, 1, "温度 CHK1 MIN エラー"},
    {"OndoChk1MaxEdit", 3, -99, 99, Setei3Standard::Value, 27, "温度 CHK1 MAX エラー"},
    {"OndoChk2MinEdit", 3, -99, 99, Setei3Standard::Value, 28, "温度 CHK2 MIN エラー"},
    {"OndoChk2MaxEdit", 3, -99, 99, Setei3Standard::Value, 30, "温度 CHK2 MAX エラー"},
    {"OndoChk3MinEdit", 3, -99, 99, Setei3Standard::Value, 31, "温度 CHK3 エラー"},
    {"OndoChkZeroMaxEdit", 3, -99, 99, Setei3Standard::Value, 0, "温度 ZERO エラー"},
    {"WbgtChk1MinEdit", 3, -99, 99, Setei3Standard::Value, 22, "WBGT CHK1 MIN エラー"},
    {"WbgtChk1MaxEdit", 3, -99, 99, Setei3Standard::Value, 23, "WBGT CHK1 MAX エラー"},
    {"WbgtChk2MinEdit", 3, -99, 99, Setei3Standard::Value, 24, "WBGT CHK2 MIN エラー"},
    {"WbgtChk2MaxEdit", 3, -99, 99, Setei3Standard::Value, 25, "WBGT CHK2 MAX エラー"},
    {"WbgtChk3MinEdit", 3, -99, 99, Setei3Standard::Value, 26, "WBGT CHK3 MIN エラー"},
    {"WbgtChk3MaxEdit", 3, -99, 99, Setei3Standard::Value, 27, "WBGT CHK3 MAX エラー"},
    {"WbgtChk4MinEdit", 3, -99, 99, Setei3Standard::Value, 28, "WBGT CHK4 エラー"},
    {"SouonChk1MinEdit", 3, 1, 200, Setei3Standard::Empty, 0, "騒音 CHK1 MIN エラー"},
    {"SouonChk1MaxEdit", 3, 1, 200, Setei3Standard::Empty, 0, "騒音 CHK1 MAX エラー"},
    {"SouonChk2MinEdit", 3, 1, 200, Setei3Standard::Empty, 0, "騒音 CHK2 MIN エラー"},
    {"SouonChk2MaxEdit", 3, 1, 200, Setei3Standard::Unchanged, 0, "騒音 CHK2 MAX エラー"},
    {"SouonChk3MinEdit", 3, 1, 200, Setei3Standard::Value, 100, "騒音 Chk3 エラー"},
    {"SindouChk1MinEdit", 3, 1, 200, Setei3Standard::Empty, 0, "振動 CHK1 MIN エラー"},
    {"SindouChk1MaxEdit", 3, 1, 200, Setei3Standard::Empty, 0, "振動 CHK1 MAX エラー"},
    {"SindouChk2MinEdit", 3, 1, 200, Setei3Standard::Empty, 0, "振動 CHK2 MIN エラー"},
    {"SindouChk2MaxEdit", 3, 1, 200, Setei3Standard::Unchanged, 0, "振動 CHK2 MAX エラー"},
    {"SindouChk3MinEdit", 3, 1, 200, Setei3Standard::Value, 100, "振動 Chk3 エラー"},
    {"UryouChk1MinEdit", 3, 1, 300, Setei3Standard::Empty, 0, "雨量 CHK1 MIN エラー"},
    {"UryouChk1MaxEdit", 3, 1, 300, Setei3Standard::Empty, 0, "雨量 CHK1 MAX エラー"},
    {"UryouChk2MinEdit", 3, 1, 300, Setei3Standard::Empty, 0, "雨量 CHK2 MIN エラー"},
    {"UryouChk2MaxEdit", 3, 1, 300, Setei3Standard::Unchanged, 0, "雨量 CHK2 MAX エラー"},
    {"UryouChk3MinEdit", 3, 1, 300, Setei3Standard::Value, 10, "雨量 CHK3 エラー"},
    {"FuusokuChk1MinEdit", 2, 1, 99, Setei3Standard::Empty, 0, "風速 CHK1 MIN エラー"},
    {"FuusokuChk1MaxEdit", 2, 1, 99, Setei3Standard::Empty, 0, "風速 CHK1 MAX エラー"},
    {"FuusokuChk2MinEdit", 2, 1, 99, Setei3Standard::Empty, 0, "風速 CHK2 MIN エラー"},
    {"FuusokuChk2MaxEdit", 2, 1, 99, Setei3Standard::Unchanged, 0, "風速 CHK2 MAX エラー"},
    {"FuusokuChk3MinEdit", 2, 1, 99, Setei3Standard::Value, 10, "風速 CHK3 エラー"},
};
constexpr Setei3Band kBands[] = {
    {"OndoChk1", 0, "CHK1", "OndoChk1MinEdit", "OndoChk1MaxEdit",
     "温度 CHK1 回転灯設定エラー", "温度 CHK1 文言設定エラー", nullptr, "温度CHK1  エラー"},
    {"OndoChk2", 0, "CHK2", "OndoChk2MinEdit", "OndoChk2MaxEdit",
     "温度 CHK2 回転灯設定エラー", "温度 CHK2 文言設定エラー", nullptr, "温度CHK2  エラー"},
    {"OndoChk3", 0, "CHK3", "OndoChk3MinEdit", nullptr,
     "温度 CHK3 回転灯設定エラー", "温度 CHK3 文言設定エラー", nullptr, nullptr},
    {"OndoChkZero", 0, "CHK ZERO", nullptr, "OndoChkZeroMaxEdit",
     "温度 CHK ZERO 回転灯設定エラー", "温度 CHK ZERO 文言設定エラー", nullptr, nullptr},
    {"WbgtChk1", 1, "CHK1", "WbgtChk1MinEdit", "WbgtChk1MaxEdit",
     "WBGT CHK1  回転灯設定エラー", "WBGT CHK1  文言設定エラー", nullptr, "WBGT CHK1  エラー"},
    {"WbgtChk2", 1, "CHK2", "WbgtChk2MinEdit", "WbgtChk2MaxEdit",
     "WBGT CHK2 回転灯設定エラー", "WBGT CHK2 文言設定エラー", nullptr, "WBGT CHK2  エラー"},
    {"WbgtChk3", 1, "CHK3", "WbgtChk3MinEdit", "WbgtChk3MaxEdit",
     "WBGT CHK3 回転灯設定エラー", "WBGT CHK3 文言設定エラー", nullptr, "WBGT CHK3  エラー"},
    {"WbgtChk4", 1, "CHK4", "WbgtChk4MinEdit", nullptr,
     "WBGT CHK4 回転灯設定エラー", "WBGT CHK4 文言設定エラー", nullptr, nullptr},
    {"SouonChk1", 2, "CHK1", "SouonChk1MinEdit", "SouonChk1MaxEdit",
     "騒音 CHK1 回転灯設定エラー", "騒音 CHK1 文言設定エラー", "SouonChk1CheckBox", "騒音 CHK1 エラー"},
    {"SouonChk2", 2, "CHK2", "SouonChk2MinEdit", "SouonChk2MaxEdit",
     "騒音 CHK2 回転灯設定エラー", "騒音 CHK2 文言設定エラー", "SouonChk2CheckBox", "騒音 CHK2 エラー"},
    {"SouonChk3", 2, "CHK3", "SouonChk3MinEdit", nullptr,
     "騒音 CHK3 回転灯設定エラー", "騒音 CHK3 文言設定エラー", nullptr, nullptr},
    {"SindouChk1", 3, "CHK1", "SindouChk1MinEdit", "SindouChk1MaxEdit",
     "振動 CHK1 回転灯設定エラー", "振動 CHK1 文言設定エラー", "SindouChk1CheckBox", "振動 CHK1 エラー"},
    {"SindouChk2", 3, "CHK2", "SindouChk2MinEdit", "SindouChk2MaxEdit",
     "振動 CHK2 回転灯設定エラー", "振動 CHK2 文言設定エラー", "SindouChk2CheckBox", "振動 CHK2 エラー"},
    {"SindouChk3", 3, "CHK3", "SindouChk3MinEdit", nullptr,
     "振動 CHK3 回転灯設定エラー", "振動 CHK3 文言設定エラー", nullptr, nullptr},
    {"UryouChk1", 4, "CHK1", "UryouChk1MinEdit", "UryouChk1MaxEdit",
     "雨量 CHK1 回転灯設定エラー", "雨量 CHK1 文言設定エラー", "UryouChk1CheckBox", "雨量 CHK1 エラー"},
    {"UryouChk2", 4, "CHK2", "UryouChk2MinEdit", "UryouChk2MaxEdit",
     "雨量 CHK2 回転灯設定エラー", "雨量 CHK2 文言設定エラー", "UryouChk2CheckBox", "雨量 CHK2 エラー"},
    {"UryouChk3", 4, "CHK3", "UryouChk3MinEdit", nullptr,
     "雨量 CHK3 回転灯設定エラー", "雨量 CHK3 文言設定エラー", nullptr, nullptr},
    {"FuusokuChk1", 5, "CHK1", "FuusokuChk1MinEdit", "FuusokuChk1MaxEdit",
     "風速 CHK1 回転灯設定エラー", "風速 CHK1 文言設定エラー", "FuusokuChk1CheckBox", "風速 CHK1 エラー"},
    {"FuusokuChk2", 5, "CHK2", "FuusokuChk2MinEdit", "FuusokuChk2MaxEdit",
     "風速 CHK2 回転灯設定エラー", "風速 CHK2 文言設定エラー", "FuusokuChk2CheckBox", "風速 CHK2 エラー"},
    {"FuusokuChk3", 5, "CHK3", "FuusokuChk3MinEdit", nullptr,
     "風速 CHK3 回転灯設定エラー", "風速 CHK3 文言設定エラー", nullptr, nullptr},
};
constexpr Setei3SegChoice kSegs[] = {
    {"CO28SegComboBox", "CO2削減量", "右", "8セグ表示　CO2削減量　エラー", false},
    {"Hatuden8SegComboBox", "発電量", "左", "8セグ表示　発電量　エラー", false},
    {"Siyouryou8SegComboBox", "使用量", "no", "8セグ表示　使用量　エラー", false},
    {"Ondo8SegComboBox", "温度", "下", "8セグ表示 温度　エラー", false},
    {"Wbgt8SegComboBox", "WBGT", "no", "8セグ表示 WBGT　エラー", true},
    {"Souon8SegComboBox", "騒音", "no", "8セグ表示 騒音　エラー", false},
    {"Sindou8SegComboBox", "振動", "no", "8セグ表示 振動　エラー", true},
    {"Uryou8SegComboBox", "雨量", "no", "8セグ表示 雨量　エラー", false},
    {"Fuusoku8SegComboBox", "風速", "no", "8セグ表示 風速　エラー", false},
};
constexpr Setei3Line kLines[] = {
    {Setei3LineKind::Number, 0, "$TENTOU_JIKAN=", nullptr, "点灯時間エラー"},
    {Setei3LineKind::Number, 1, "$SYOUTOU_JIKAN=", nullptr, "消灯時間エラー"},
    {Setei3LineKind::Number, 2, "$SCROLL_JIKAN=", nullptr, "スクロール時間エラー"},
    {Setei3LineKind::Band, 0, "$TCHK1=", nullptr, "温度 Chk1 エラー"},
    {Setei3LineKind::Band, 1, "$TCHK2=", nullptr, "温度 Chk2 エラー"},
    {Setei3LineKind::Band, 2, "$TCHK3=", nullptr, "温度 Chk3 エラー"},
    {Setei3LineKind::Band, 3, "$TCHK0=", nullptr, "温度 Chk Zero エラー"},
    {Setei3LineKind::Band, 4, "$WCHK1=", nullptr, "WBGT Chk1 エラー"},
    {Setei3LineKind::Band, 5, "$WCHK2=", nullptr, "WBGT Chk2 エラー"},
    {Setei3LineKind::Band, 6, "$WCHK3=", nullptr, "WBGT Chk3 エラー"},
    {Setei3LineKind::Band, 7, "$WCHK4=", nullptr, "WBGT Chk4 エラー"},
    {Setei3LineKind::Choice, 0, "$SOUON_HEIKIN", "$SOUON_SYUNKAN", "平均・瞬間　騒音 エラー"},
    {Setei3LineKind::Band, 8, "$SOUONCHK1=", nullptr, "騒音 Chk1 エラー"},
    {Setei3LineKind::Band, 9, "$SOUONCHK2=", nullptr, "騒音 Chk2 エラー"},
    {Setei3LineKind::Band, 10, "$SOUONCHK3=", nullptr, "騒音 Chk3 エラー"},
    {Setei3LineKind::Band, 11, "$SINDOUCHK1=", nullptr, "振動 Chk1 エラー"},
    {Setei3LineKind::Band, 12, "$SINDOUCHK2=", nullptr, "振動 Chk2 エラー"},
    {Setei3LineKind::Band, 13, "$SINDOUCHK3=", nullptr, "振動 Chk3 エラー"},
    {Setei3LineKind::Band, 14, "$URYOUCHK1=", nullptr, "雨量 Chk1 エラー"},
    {Setei3LineKind::Band, 15, "$URYOUCHK2=", nullptr, "雨量 Chk2 エラー"},
    {Setei3LineKind::Band, 16, "$URYOUCHK3=", nullptr, "雨量 Chk3 エラー"},
    {Setei3LineKind::Choice, 1, "$FUUSOKU_HEIKIN", "$FUUSOKU_SYUNKAN", "平均・瞬間　風速 エラー"},
    {Setei3LineKind::Band, 17, "$FUUSOKU1=", nullptr, "風速 Chk1 エラー"},
    {Setei3LineKind::Band, 18, "$FUUSOKU2=", nullptr, "風速 Chk2 エラー"},
    {Setei3LineKind::Band, 19, "$FUUSOKU3=", nullptr, "風速 Chk3 エラー"},
    {Setei3LineKind::Segment, 0, "$CO2SAKUGEN_8SEG=", nullptr, "8セグ表示 CO2削減 エラー"},
    {Setei3LineKind::Segment, 1, "$HATUDENRYOU_8SEG=", nullptr, "8セグ表示 発電量 エラー"},
    {Setei3LineKind::Segment, 2, "$SIYOURYOURYOU_8SEG=", nullptr, "8セグ表示 使用量 エラー"},
    {Setei3LineKind::Segment, 3, "$ONDO_8SEG=", nullptr, "8セグ表示 温度 エラー"},
    {Setei3LineKind::Segment, 4, "$WBGT_8SEG=", nullptr, "8セグ表示 WBGT エラー"},
    {Setei3LineKind::Segment, 5, "$SOUON_8SEG=", nullptr, "8セグ表示 騒音 エラー"},
    {Setei3LineKind::Segment, 6, "$SINDOU_8SEG=", nullptr, "8セグ表示 振動 エラー"},
    {Setei3LineKind::Segment, 7, "$URYOU_8SEG=", nullptr, "8セグ表示 雨量 エラー"},
    {Setei3LineKind::Segment, 8, "$FUUSOKU_8SEG=", nullptr, "8セグ表示 風速 エラー"},
    {Setei3LineKind::GMode, 0, "$G_MODE=", nullptr, "Gモードエラー"},
};
constexpr Setei3Quantity kQuantities[] = {
    {"温度", "°C"}, {"WBGT", "°C"}, {"騒音", "dB"}, {"振動", "dB"}, {"雨量", "mm"}, {"風速", "m/s"},
};

constexpr Setei3RadioPair kRadioPairs[] = {
    {"SouonGroupBox", "騒音", "HeikinSouonRadioButton", "平均騒音", "SyunkanSouonRadioButton", "瞬間騒音", false},
    {"FuusokuGroupBox", "風速", "HeikinFuusokuRadioButton", "平均風速(10分)", "SyunkanFuusokuRadioButton", "瞬間風速",
     true},
};

constexpr const char* kLampItems[] = {"no", "1", "2", "3", "4"};
constexpr const char* kMongonItems[] = {"no", "8", "9", "10"};

// The 8-segment positions as the window offers them and as the file names them.
struct SegPosition {
    const char* choice;
    const char* word;
};
constexpr SegPosition kSegPositions[] = {{"no", "no"}, {"右", "right"}, {"左", "left"}, {"下", "lower"}};
constexpr const char* kSegItems[] = {"no", "右", "左", "下"};

constexpr const char* kNo = "no";
constexpr const char* kYes = "yes";

// The index in kNumbers of the number edit called name; the table's size when there is none.
constexpr std::size_t NumberIndex(std::string_view name) {
    std::size_t i = 0;
    while (i < std::size(kNumbers) && name != kNumbers[i].Name) ++i;
    return i;
}

// Every bound a band names is a number edit of kNumbers.
constexpr bool BandsNameNumberEdits() {
    for (const Setei3Band& b : kBands)
        for (const char* field : {b.FromField, b.ToField})
            if (field && NumberIndex(field) == std::size(kNumbers)) return false;
    return true;
}
static_assert(BandsNameNumberEdits(), "a band names an edit that is not in kNumbers");

// The number edit called name: a band's bound or an edit of kNumbers itself.
const Setei3NumberField& Number(const char* name) { return kNumbers[NumberIndex(name)]; }

std::string LampName(const Setei3Band& b) { return std::string(b.Prefix) + "KaitenComboBox"; }
std::string MongonName(const Setei3Band& b) { return std::string(b.Prefix) + "MongonComboBox"; }

// The width of a band's numbers (3, or 2 for wind): the width of whichever bound it has.
int BandWidth(const Setei3Band& b) { return Number(b.FromField ? b.FromField : b.ToField).Width; }

bool IsOneOf(const std::string& text, std::span<const char* const> items) {
    return std::any_of(items.begin(), items.end(), [&](const char* item) { return text == item; });
}

std::vector<FieldInfo> AllFields() {
    std::vector<FieldInfo> fields;
    for (const Setei3NumberField& f : kNumbers) fields.push_back({f.Name, FieldKind::Edit, ""});
    for (const Setei3Band& b : kBands) fields.push_back({LampName(b), FieldKind::List, ""});
    for (const Setei3Band& b : kBands) fields.push_back({MongonName(b), FieldKind::List, ""});
    for (const Setei3SegChoice& s : kSegs) fields.push_back({s.Name, FieldKind::List, ""});
    for (const Setei3Band& b : kBands)
        if (b.CheckBox) fields.push_back({b.CheckBox, FieldKind::CheckBox, ""});
    for (const Setei3RadioPair& r : kRadioPairs) {
        fields.push_back({r.Average, FieldKind::RadioButton, r.Instant});
        fields.push_back({r.Instant, FieldKind::RadioButton, r.Average});
    }
    fields.push_back({kSetei3GModeBox, FieldKind::CheckBox, ""});
    return fields;
}

}  // namespace

std::span<const Setei3NumberField> Setei3NumberFields() { return kNumbers; }
std::span<const Setei3Quantity> Setei3Quantities() { return kQuantities; }
std::span<const Setei3Band> Setei3Bands() { return kBands; }
std::span<const Setei3SegChoice> Setei3SegChoices() { return kSegs; }
std::span<const Setei3RadioPair> Setei3RadioPairs() { return kRadioPairs; }
std::span<const char* const> Setei3LampItems() { return kLampItems; }
std::span<const char* const> Setei3MongonItems() { return kMongonItems; }
std::span<const char* const> Setei3SegItems() { return kSegItems; }

Setei3Form::Setei3Form(FileSystem& files) : SettingsForm(AllFields(), files) { Clear(); }

void Setei3Form::Clear() {
    for (const Setei3NumberField& f : kNumbers)
        if (f.Standard != Setei3Standard::Unchanged) SetText(f.Name, "");
    for (const Setei3Band& b : kBands) {
        SetText(LampName(b), kNo);
        SetText(MongonName(b), kNo);
        if (b.CheckBox) SetChecked(b.CheckBox, false);
    }
    for (const Setei3SegChoice& s : kSegs) SetText(s.Name, kNo);
    for (const Setei3RadioPair& r : kRadioPairs) SetChecked(r.StandardAverage ? r.Average : r.Instant, true);
    SetChecked(kSetei3GModeBox, false);
}

void Setei3Form::Standard() {
    Clear();
    for (const Setei3NumberField& f : kNumbers)
        if (f.Standard == Setei3Standard::Value) SetText(f.Name, std::to_string(f.StandardValue));
    for (const Setei3SegChoice& s : kSegs) SetText(s.Name, s.Standard);
}

bool Setei3Form::BandEnabled(std::string_view prefix) const {
    for (const Setei3Band& b : kBands)
        if (prefix == b.Prefix) return !b.CheckBox || Checked(b.CheckBox);
    return true;
}

bool Setei3Form::ControlEnabled(std::string_view name) const {
    for (const Setei3Band& b : kBands) {
        if (!b.CheckBox) continue;
        if ((b.FromField && name == b.FromField) || (b.ToField && name == b.ToField) || name == LampName(b) ||
            name == MongonName(b))
            return Checked(b.CheckBox);
    }
    return true;
}

std::string Setei3Form::Settings3Fault() const {
    std::string fault;
    auto number = [&](const char* name, int& value) {
        const Setei3NumberField& f = Number(name);
        if (NumberTextValue(Text(name), f.Width, f.Min, f.Max, value)) return true;
        fault = f.Message;
        return false;
    };
    // 1. The times.
    int value = 0;
    for (std::size_t i = 0; i < 3; ++i)
        if (!number(kNumbers[i].Name, value)) return fault;
    // 2.-4. The bands' bounds: from, to, then their order; a switched-off band is not looked at.
    for (const Setei3Band& b : kBands) {
        if (b.CheckBox && !Checked(b.CheckBox)) continue;
        int from = 0, to = 0;
        if (b.FromField && !number(b.FromField, from)) return fault;
        if (b.ToField && !number(b.ToField, to)) return fault;
        if (b.OrderError && to < from) return b.OrderError;
    }
    // 5., 6. Lamps, then messages: each named once at most; a switched-off band has none.
    auto choices = [&](std::span<const char* const> items, std::string (*name)(const Setei3Band&),
                       const char* Setei3Band::*error) {
        std::vector<std::string> used;
        for (const Setei3Band& b : kBands) {
            if (!BandEnabled(b.Prefix)) continue;
            const std::string& text = Text(name(b));
            if (text == kNo) continue;
            if (!IsOneOf(text, items) || std::find(used.begin(), used.end(), text) != used.end()) {
                fault = b.*error;
                return false;
            }
            used.push_back(text);
        }
        return true;
    };
    if (!choices(kLampItems, LampName, &Setei3Band::LampError)) return fault;
    if (!choices(kMongonItems, MongonName, &Setei3Band::MongonError)) return fault;
    // 7. The 8-segment positions: each display position at most once.
    std::vector<std::string> positions;
    for (const Setei3SegChoice& s : kSegs) {
        const std::string& text = Text(s.Name);
        if (text == kNo) continue;
        if (!IsOneOf(text, kSegItems) || std::find(positions.begin(), positions.end(), text) != positions.end())
            return s.Message;
        positions.push_back(text);
    }
    return {};
}

// ---- writing ----

namespace {

// A lamp or message choice in the file: "no", or its number in two digits ("01", "10").
std::string ChoiceValue(const std::string& text) { return text == kNo ? std::string(kNo) : PadValue(text, 2); }

// An 8-segment position in the file; anything but a position the unit knows is "no".
const char* SegWord(const std::string& text) {
    for (const SegPosition& p : kSegPositions)
        if (text == p.choice) return p.word;
    return kNo;
}

}  // namespace

std::string Setei3Form::BandText(const Setei3Band& b) const {
    if (b.CheckBox && !Checked(b.CheckBox)) return "no,,,,";
    const int width = BandWidth(b);
    const std::string placeholder(static_cast<std::size_t>(width), 'x');
    std::string text = b.CheckBox ? "yes," : "";
    text += b.FromField ? PadValue(Text(b.FromField), width) : placeholder;
    text += ',';
    text += b.ToField ? PadValue(Text(b.ToField), width) : placeholder;
    text += ',';
    text += ChoiceValue(Text(LampName(b)));
    text += ',';
    text += ChoiceValue(Text(MongonName(b)));
    return text;
}

std::string Setei3Form::LineText(std::size_t index) const {
    const Setei3Line& l = kLines[index];
    switch (l.Kind) {
        case Setei3LineKind::Number: {
            const Setei3NumberField& f = kNumbers[l.Item];
            return l.Key + PadValue(Text(f.Name), f.Width);
        }
        case Setei3LineKind::Band:
            return l.Key + BandText(kBands[l.Item]);
        case Setei3LineKind::Choice:
            return Checked(kRadioPairs[l.Item].Average) ? l.Key : l.AltKey;
        case Setei3LineKind::Segment:
            return std::string(l.Key) + SegWord(Text(kSegs[l.Item].Name));
        case Setei3LineKind::GMode:
            return std::string(l.Key) + (Checked(kSetei3GModeBox) ? kYes : kNo);
    }
    return {};
}

bool Setei3Form::WriteLines(OutputFile& out, std::string&) const {
    if (!WriteFrameHead(out, "$SETEI")) return false;
    for (std::size_t i = 0; i < std::size(kLines); ++i)
        if (!WriteLine(out, LineText(i))) return false;
    return WriteLine(out, "#END_OF_DEFINE") && WriteFrameTail(out);
}

// ---- reading ----

namespace {

// Reads a number of width characters at pos into value; false when it lies outside min..max.
bool ReadNumberAt(std::string_view line, std::size_t& pos, const Setei3NumberField& f, int& value) {
    value = ReadFixedNumber(TextFrom(line, pos), f.Width);
    pos += static_cast<std::size_t>(f.Width);
    return value >= f.Min && value <= f.Max;
}

// Reads a lamp or message value (two characters): "no", or a number first..last as decimal text.
bool ReadChoiceAt(std::string_view line, std::size_t& pos, int first, int last, std::string& text) {
    const std::string_view two = TextFrom(line, pos).substr(0, 2);
    pos += 2;
    if (two == kNo) {
        text = kNo;
        return true;
    }
    const int n = ReadFixedNumber(two, 2);
    if (n < first || n > last) return false;
    text = std::to_string(n);
    return true;
}

bool CommaAt(std::string_view line, std::size_t& pos) { return CharAt(line, pos++) == ','; }

}  // namespace

bool Setei3Form::ReadBand(const Setei3Band& b, std::string_view line, std::size_t pos) {
    if (b.CheckBox) {
        if (StartsWith(TextFrom(line, pos), "no,")) {
            SetChecked(b.CheckBox, false);
            SetText(b.FromField, "");
            SetText(b.ToField, "");
            SetText(LampName(b), kNo);
            SetText(MongonName(b), kNo);
            return true;
        }
        if (!StartsWith(TextFrom(line, pos), "yes,")) return false;
        SetChecked(b.CheckBox, true);
        pos += 4;
    }
    const int width = BandWidth(b);
    const std::string lower(static_cast<std::size_t>(width), 'x');
    const std::string upper(static_cast<std::size_t>(width), 'X');
    // A bound or, where the band has none, its placeholder.
    auto bound = [&](const char* field) {
        if (!field) {
            const std::string_view mark = TextFrom(line, pos).substr(0, static_cast<std::size_t>(width));
            pos += static_cast<std::size_t>(width);
            return mark == lower || mark == upper;
        }
        int value = 0;
        if (!ReadNumberAt(line, pos, Number(field), value)) return false;
        SetText(field, std::to_string(value));
        return true;
    };
    auto choice = [&](const std::string& name, int first, int last) {
        std::string text;
        if (!ReadChoiceAt(line, pos, first, last, text)) return false;
        SetText(name, text);
        return true;
    };
    return bound(b.FromField) && CommaAt(line, pos) && bound(b.ToField) && CommaAt(line, pos) &&
           choice(LampName(b), 1, 4) && CommaAt(line, pos) && choice(MongonName(b), 8, 10);
}

bool Setei3Form::ReadSettingLine(const Setei3Line& l, std::string_view line) {
    if (l.Kind == Setei3LineKind::Choice) {
        const Setei3RadioPair& r = kRadioPairs[l.Item];
        if (StartsWith(line, l.Key)) SetChecked(r.Average, true);
        else if (StartsWith(line, l.AltKey)) SetChecked(r.Instant, true);
        else return false;
        return true;
    }
    if (!StartsWith(line, l.Key)) return false;
    std::size_t pos = std::string_view(l.Key).size();
    switch (l.Kind) {
        case Setei3LineKind::Number: {
            const Setei3NumberField& f = kNumbers[l.Item];
            int value = 0;
            if (!ReadNumberAt(line, pos, f, value)) return false;
            SetText(f.Name, std::to_string(value));
            return true;
        }
        case Setei3LineKind::Band:
            return ReadBand(kBands[l.Item], line, pos);
        case Setei3LineKind::Segment:
            for (const SegPosition& p : kSegPositions)
                if (StartsWith(TextFrom(line, pos), p.word)) {
                    SetText(kSegs[l.Item].Name, p.choice);
                    return true;
                }
            return false;
        case Setei3LineKind::GMode:
            if (StartsWith(TextFrom(line, pos), kNo)) SetChecked(kSetei3GModeBox, false);
            else if (StartsWith(TextFrom(line, pos), kYes)) SetChecked(kSetei3GModeBox, true);
            else return false;
            return true;
        case Setei3LineKind::Choice:
            break;
    }
    return false;
}

bool Setei3Form::Open(LineReader& in, const std::string& path, std::vector<std::string>& said) {
    Clear();
    std::string line;
    auto next = [&] {
        if (ReadLine(in, line, kSetei3ReadLength)) return true;
        said.push_back(path + "リードエラー");
        return false;
    };
    // The framing head is taken as it stands.
    for (int i = 0; i < 5; ++i)
        if (!next()) return false;
    for (const Setei3Line& l : kLines) {
        if (!next()) return false;
        if (!ReadSettingLine(l, line)) {
            said.push_back(l.Message);
            return false;
        }
    }
    // A file every line of which reads may still hold settings the unit cannot
    // use (a lamp named twice): then the open has failed, with the check's message.
    if (const std::string fault = Settings3Fault(); !fault.empty()) {
        said.push_back(fault);
        return false;
    }
    said.push_back(path + "読み込み完了");
    return true;
}

}  // namespace tesslor
