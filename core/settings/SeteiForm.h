#pragma once
// The settings 1 and 2 file ("$SETEI"): lamp timings, scroll speed, the alarm
// thresholds of every measured quantity and the rotating lamp each threshold
// switches. Settings 2 adds the choice between average and instantaneous noise
// and wind; the wind-only lamp mode adds four wind bands with a lamp each.
// One form serves both variants; the window, tesslor-cli and the tests drive it.
#include <array>
#include <cstddef>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "settings/SettingsForm.h"

namespace tesslor {

/// One edit of the form: its name, how wide it is in the window and in the
/// file, the values it accepts, its standard value and its input message.
struct SeteiField {
    const char* Name;
    int Width;
    int Min;
    int Max;
    const char* Standard;  ///< nullptr: 標準設定 leaves the field as it is
    const char* Message;   ///< shown when the input check refuses the field
    bool Lamp;             ///< a rotating lamp number (0 = none, 1 to 4), checked against the lamp pool
};

/// One setting line of the file: its key, the fields whose values it carries
/// ("," between them), and the messages when reading or ordering them fails.
/// The writer and the reader both walk this layout.
struct SeteiLine {
    const char* Key;
    const char* ReadMessage;
    /// Shown when the line's second value is less than its first (nullptr: no such check).
    const char* OrderMessage;
    bool WindOnly;  ///< written and read only in wind-only lamp mode
    /// The names of the line's fields in kSeteiFields, in file order; unused places are nullptr.
    std::array<const char*, 3> Fields;
};

/// Every edit of the form, in the window's table order. The standard values,
/// clearing, the input check, the writer and the reader all go through here.
inline constexpr std::array<SeteiField, 37> kSeteiFields{{
    {"TentouJikanEdit", 5, 10, 60000, "100", "点灯時間エラー", false},
    {"SyoutouJikanEdit", 5, 10, 60000, "100", "消灯時間エラー", false},
    {"ScrollJikanEdit", 2, 1, 50, "5", "スクロール時間エラー", false},
    {"OndoChk1MinEdit", 3, -99, 99, "1", "温度 CHK1 MIN エラー", false},
    {"OndoChk1MaxEdit", 3, -99, 99, "27", "温度 CHK1 MAX エラー", false},
    {"OndoChk2MinEdit", 3, -99, 99, "28", "温度 CHK2 MIN エラー", false},
    {"OndoChk2MaxEdit", 3, -99, 99, "30", "温度 CHK2 MAX エラー", false},
    {"OndoChk3Edit", 3, -99, 99, "31", "温度 CHK3 エラー", false},
    {"OndoChk3KaitenTouEdit", 2, 0, 4, "0", "温度 回転灯 エラー", true},
    {"OndoChkZeroEdit", 3, -99, 99, "0", "温度 ZERO エラー", false},
    {"WbgtChk1MinEdit", 3, -99, 99, "22", "WBGT CHK1 MIN エラー", false},
    {"WbgtChk1MaxEdit", 3, -99, 99, "23", "WBGT CHK1 MAX エラー", false},
    {"WbgtChk2MinEdit", 3, -99, 99, "24", "WBGT CHK2 MIN エラー", false},
    {"WbgtChk2MaxEdit", 3, -99, 99, "25", "WBGT CHK2 MAX エラー", false},
    {"WbgtChk3MinEdit", 3, -99, 99, "26", "WBGT CHK3 MIN エラー", false},
    {"WbgtChk3MaxEdit", 3, -99, 99, "27", "WBGT CHK3 MAX エラー", false},
    {"WbgtChk4Edit", 3, -99, 99, "24", "WBGT CHK4 エラー", false},
    {"WbgtChk4KaitenTouEdit", 2, 0, 4, "0", "WBGT 回転灯 エラー", true},
    {"SouonChkEdit", 3, 1, 200, "100", "騒音 エラー", false},
    {"SouonChkKaitenTouEdit", 2, 0, 4, "0", "騒音 回転灯 エラー", true},
    {"SindouChkEdit", 3, 1, 200, "100", "振動 エラー", false},
    {"SindouChkKaitenTouEdit", 2, 0, 4, "0", "振動 回転灯 エラー", true},
    {"UryouChkEdit", 3, 1, 300, "10", "雨量 エラー", false},
    {"UryouChkKaitenTouEdit", 2, 0, 4, "0", "雨量 回転灯 エラー", true},
    {"FuusokuChkEdit", 2, 1, 99, "10", "風速 エラー", false},
    {"FuusokuChkKaitenTouEdit", 2, 0, 4, "0", "風速 回転灯 エラー", true},
    {"FuusokuChk1MinEdit", 2, 1, 99, nullptr, "風速 Chk1 Min エラー", false},
    {"FuusokuChk1MaxEdit", 2, 1, 99, nullptr, "風速 Chk1 Max エラー", false},
    {"FuusokuChk1KaitentouEdit", 2, 0, 4, nullptr, "風速 Chk1 回転灯 エラー", true},
    {"FuusokuChk2MinEdit", 2, 1, 99, nullptr, "風速 Chk2 Min エラー", false},
    {"FuusokuChk2MaxEdit", 2, 1, 99, nullptr, "風速 Chk2 Max エラー", false},
    {"FuusokuChk2KaitentouEdit", 2, 0, 4, nullptr, "風速 Chk2 回転灯 エラー", true},
    {"FuusokuChk3MinEdit", 2, 1, 99, nullptr, "風速 Chk3 Min エラー", false},
    {"FuusokuChk3MaxEdit", 2, 1, 99, nullptr, "風速 Chk3 Max エラー", false},
    {"FuusokuChk3KaitentouEdit", 2, 0, 4, nullptr, "風速 Chk3 回転灯 エラー", true},
    {"FuusokuChk4MinEdit", 2, 1, 99, nullptr, "風速 Chk4 Min エラー", false},
    {"FuusokuChk4KaitentouEdit", 2, 0, 4, nullptr, "風速 Chk4 回転灯 エラー", true},
}};

/// Lines 0 to 14 are always written; the wind-only lines follow.
inline constexpr std::size_t kSeteiFixedLines = 15;

/// The file's setting lines in the order they are written. The first 15 are
/// always there; the last four belong to the wind-only lamp mode.
inline constexpr std::array<SeteiLine, 19> kSeteiLines{{
    {"$TENTOU_JIKAN=", "点灯時間エラー", nullptr, false, {"TentouJikanEdit"}},
    {"$SYOUTOU_JIKAN=", "消灯時間エラー", nullptr, false, {"SyoutouJikanEdit"}},
    {"$SCROLL_JIKAN=", "スクロール時間エラー", nullptr, false, {"ScrollJikanEdit"}},
    {"$TCHK1=", "温度 Chk1 エラー", "温度CHK1  エラー", false, {"OndoChk1MinEdit", "OndoChk1MaxEdit"}},
    {"$TCHK2=", "温度 Chk2 エラー", "温度CHK2  エラー", false, {"OndoChk2MinEdit", "OndoChk2MaxEdit"}},
    {"$TCHK3=", "温度 Chk3 エラー", nullptr, false, {"OndoChk3Edit", "OndoChk3KaitenTouEdit"}},
    {"$TCHK0=", "温度 Chk Zero エラー", nullptr, false, {"OndoChkZeroEdit"}},
    {"$WCHK1=", "WBGT Chk1 エラー", "WBGT CHK1  エラー", false, {"WbgtChk1MinEdit", "WbgtChk1MaxEdit"}},
    {"$WCHK2=", "WBGT Chk2 エラー", "WBGT CHK2  エラー", false, {"WbgtChk2MinEdit", "WbgtChk2MaxEdit"}},
    {"$WCHK3=", "WBGT Chk3 エラー", "WBGT CHK3  エラー", false, {"WbgtChk3MinEdit", "WbgtChk3MaxEdit"}},
    {"$WCHK4=", "WBGT Chk4 エラー", nullptr, false, {"WbgtChk4Edit", "WbgtChk4KaitenTouEdit"}},
    {"$SOUON=", "騒音 Chk エラー", nullptr, false, {"SouonChkEdit", "SouonChkKaitenTouEdit"}},
    {"$SINDOU=", "振動 Chk エラー", nullptr, false, {"SindouChkEdit", "SindouChkKaitenTouEdit"}},
    {"$URYOU=", "雨量 Chk エラー", nullptr, false, {"UryouChkEdit", "UryouChkKaitenTouEdit"}},
    {"$FUUSOKU=", "風速 Chk エラー", nullptr, false, {"FuusokuChkEdit", "FuusokuChkKaitenTouEdit"}},
    // The wind bands have no minimum-versus-maximum check; the fourth has a minimum only.
    {"$FUUSOKU_SEN_CHK1=", "風速 Chk エラー", nullptr, true,
     {"FuusokuChk1MinEdit", "FuusokuChk1MaxEdit", "FuusokuChk1KaitentouEdit"}},
    {"$FUUSOKU_SEN_CHK2=", "風速 Chk エラー", nullptr, true,
     {"FuusokuChk2MinEdit", "FuusokuChk2MaxEdit", "FuusokuChk2KaitentouEdit"}},
    {"$FUUSOKU_SEN_CHK3=", "風速 Chk エラー", nullptr, true,
     {"FuusokuChk3MinEdit", "FuusokuChk3MaxEdit", "FuusokuChk3KaitentouEdit"}},
    {"$FUUSOKU_SEN_CHK4=", "風速 Chk エラー", nullptr, true, {"FuusokuChk4MinEdit", "FuusokuChk4KaitentouEdit"}},
}};

/// The field of that name in kSeteiFields; nullptr for other names.
const SeteiField* FindSeteiField(std::string_view name);
/// The index in kSeteiLines of the line that carries the field of that name
/// (kSeteiLines.size() for other names).
std::size_t SeteiLineOf(std::string_view field);


/// The radio buttons of settings 2, each pair one group.
inline constexpr const char* kHeikinSouon = "HeikinSouonRadioButton";
inline constexpr const char* kSyunkanSouon = "SyunkanSouonRadioButton";
inline constexpr const char* kHeikinFuusoku = "HeikinFuusokuRadioButton";
inline constexpr const char* kSyunkanFuusoku = "SyunkanFuusokuRadioButton";

/// The lamp field the wind-only lamp mode disables (its lamps take over from it).
inline constexpr const char* kFuusokuLampField = "FuusokuChkKaitenTouEdit";

/// The notices shown, in order, before the wind-only lamp mode is switched on by its button.
inline constexpr const char* kWindOnlyNotice1 = "装置によって風速回転灯が使えない装置もありますのでご注意願います。";
inline constexpr const char* kWindOnlyNotice2 =
    "回転灯の設定が追加された物になり一般の装置で読み込めなくなりますのでご注意願います。";
/// The wind-only button's caption while the mode is off ("switch on") and on ("switch off").
inline constexpr const char* kWindOnlyOnCaption = "風速回転灯専用設定有効";
inline constexpr const char* kWindOnlyOffCaption = "風速回転灯専用設定無効";

/// The lamp pool's messages.
inline constexpr const char* kTooManyLamps = "回転灯の設定台数が多過ぎます";
inline constexpr const char* kDuplicateLamp = "回転灯の設定Noが重複しています";
/// A settings 2 write without a noise or a wind choice.
inline constexpr const char* kNoSouonChoice = "平均・瞬間　騒音を選択して下さい。";
inline constexpr const char* kNoFuusokuChoice = "平均・瞬間　風速を選択して下さい。";
/// A settings 1 file opened as settings 2 (information only: the open goes on).
inline constexpr const char* kSettings1FileNotice =
    "設定１で作成したファイルかもしれません。騒音と風速の平均・瞬間の切り替えがありません。";
inline constexpr const char* kNoSouonLampLine = "ランプ点灯の平均騒音・瞬間騒音の設定がない";
inline constexpr const char* kNoFuusokuLampLine = "ランプ点灯の平均風速・瞬間風速の設定がない";

/// The reader takes a line in pieces of at most this many characters.
inline constexpr std::size_t kSeteiReadLength = 49;

/// The settings 1 and 2 form. Edits hold text exactly as entered; the window
/// copies its widgets to and from it around every operation.
class SeteiForm : public SettingsForm {
public:
    using SettingsForm::Open;

    /// All edits empty, instantaneous noise and average wind chosen, the
    /// wind-only lamp mode off.
    explicit SeteiForm(bool settings2 = false, FileSystem& files = RealFileSystem());

    /// "settings1" or "settings2" after the mode.
    std::string Kind() const override;

    /// Settings 2 mode: the noise and wind choices are written and read.
    void SetSettings2(bool on) { settings2_ = on; }

    /// Wind-only lamp mode: the four wind bands are checked, written and read.
    bool WindOnly() const { return windOnly_; }
    /// Switches the mode as its button, a file open or the window's creation
    /// does, without notices. On: the six lamp fields become "0" and the wind
    /// lamp field is disabled. Off: every lamp field is enabled; texts are kept.
    void SetWindOnly(bool on);
    /// The wind-only button: while the mode is off shows the two notices in
    /// order, then switches it on; while it is on, switches it off.
    void WindOnlyButton(Prompter& prompter);
    /// Whether FuusokuChkKaitenTouEdit takes input (not in wind-only lamp mode).
    bool FuusokuChkKaitenTouEnabled() const { return !windOnly_; }

    /// 標準設定: every field with a standard value gets it; instantaneous noise
    /// and average wind are chosen. The wind bands and the mode stay as they are.
    void Standard() override;
    /// What opening does first: every edit (wind bands included) emptied,
    /// instantaneous noise and average wind chosen. The mode is not touched.
    void Clear();

    /// The input check: each field against its width and range, each
    /// minimum/maximum pair in order, every named lamp against the pool (at
    /// most four named, none twice); the wind bands only in wind-only lamp mode.
    /// Shows the first failure's message and returns false.
    bool Check(Prompter& prompter) override;
    /// The "$SETEI" file: the fifteen setting lines, the noise and wind choices
    /// in settings 2 mode, the wind bands in wind-only lamp mode. Each value is
    /// the field's text as entered, padded to the field's width. False at the
    /// first failed line, and (after its message) when a settings 2 choice is missing.
    bool WriteLines(OutputFile& out, std::string& message) const override;
    /// Clears the form, switches the wind-only lamp mode off and reads the
    /// file. Values read before a failure stay. Shows "<path>リードエラー" when a
    /// line is missing, the line's own message when it is malformed. False when
    /// the open failed, also when a later wind band line was refused (its
    /// message is shown and the remaining bands are still read).
    bool Open(LineReader& in, const std::string& path, std::vector<std::string>& said) override;
    /// {"wind-only", "yes" or "no"}.
    std::vector<std::pair<std::string, std::string>> ModeValues() const override;

    /// The text of setting line i (index in kSeteiLines) as written, before its padding.
    std::string LineText(std::size_t i) const;

protected:
    /// The save dialog offers the name the unit looks for.
    std::string SavePreset() const override { return kSettingsFileName; }

private:
    // Puts the values of setting line i into their fields; false when the
    // key, a value's range or a separator is wrong (values before it stay).
    bool ReadSettingLine(const std::string& line, std::size_t i);
    // Open's settings 2 part, from line (the line after the fixed lines): the
    // noise and wind choices, or the notice that the file is a settings 1 file.
    // Leaves line at the line after the choices; false (after the messages)
    // when a choice or a line is missing.
    bool ReadLampChoices(LineReader& in, std::string& line, const std::string& path, std::vector<std::string>& said);
    // Open's wind bands, the first of them already read: the first refused
    // leaves the mode off; a later one refused is reported and the rest read.
    bool ReadWindBands(LineReader& in, const std::string& firstBand, const std::string& path, std::vector<std::string>& said);

    bool settings2_ = false;
    bool windOnly_ = false;
};

}  // namespace tesslor
