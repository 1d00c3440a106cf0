#pragma once
// The settings 3 file of the newer display units: every alarm band of every
// measured quantity with its own lamp and message choice, four quantities
// whose first two bands can be switched off, the 8-segment number displays and
// the G mode. One set of tables drives standard values, clearing, the check,
// the writer and the reader, so the lines the unit reads and the lines read
// back always agree.
#include <cstddef>
#include <span>
#include <string>
#include <string_view>

#include "settings/SettingsForm.h"

namespace tesslor {

/// What 標準設定 (and clearing) does to a number field.
enum class Setei3Standard {
    Value,      ///< set to the standard value
    Empty,      ///< emptied
    Unchanged,  ///< left as it is (the CHK2 "to" fields of the switchable bands)
};

/// One number edit: its width in the window and in the file, its range and its
/// standard value, and the message when its text is refused.
struct Setei3NumberField {
    const char* Name;
    int Width;
    int Min;
    int Max;
    Setei3Standard Standard;
    int StandardValue;  ///< only for Setei3Standard::Value
    const char* Message;
};

/// A measured quantity, as the window groups its bands.
struct Setei3Quantity {
    const char* Caption;  ///< "温度"
    const char* Unit;     ///< "°C"
};

/// One alarm band. A band lacks either bound where the file writes a placeholder
/// ("xxx", or "xx" for the two-digit wind bands) instead.
struct Setei3Band {
    const char* Prefix;      ///< control prefix: prefix + "KaitenComboBox", prefix + "MongonComboBox"
    int Quantity;            ///< index in Setei3Quantities()
    const char* Caption;     ///< "CHK1" … "CHK ZERO"
    const char* FromField;   ///< lower bound edit; nullptr when the band has none
    const char* ToField;     ///< upper bound edit; nullptr when the band has none
    const char* LampError;   ///< the lamp choice is refused
    const char* MongonError; ///< the message choice is refused
    const char* CheckBox;    ///< the box that switches the band on; nullptr: always on
    const char* OrderError;  ///< "to" below "from"; nullptr for bands with one bound
};

/// One 8-segment display position choice.
struct Setei3SegChoice {
    const char* Name;       ///< "CO28SegComboBox"
    const char* Caption;    ///< what it shows, "CO2削減量"
    const char* Standard;   ///< "右", "左" or "no"
    const char* Message;    ///< the choice is refused by the check
    bool EmptyItem;         ///< the list carries a fifth, empty item
};

/// One average/instantaneous pair of radio buttons.
struct Setei3RadioPair {
    const char* Group;           ///< "SouonGroupBox"
    const char* GroupCaption;    ///< "騒音"
    const char* Average;         ///< "HeikinSouonRadioButton"
    const char* AverageCaption;  ///< "平均騒音"
    const char* Instant;         ///< "SyunkanSouonRadioButton"
    const char* InstantCaption;  ///< "瞬間騒音"
    bool StandardAverage;        ///< which of the two the standard values (and clearing) choose
};

enum class Setei3LineKind {
    Number,  ///< one number edit (item: index in Setei3NumberFields())
    Band,    ///< from, to, lamp, message of a band (item: index in Setei3Bands())
    Choice,  ///< average or instantaneous (item: index in Setei3RadioPairs())
    Segment, ///< an 8-segment position (item: index in Setei3SegChoices())
    GMode,   ///< "yes" or "no" of GModeCheckBox
};

/// One of the 35 setting lines between "#DEFINE" and "#END_OF_DEFINE".
struct Setei3Line {
    Setei3LineKind Kind;
    int Item;
    const char* Key;      ///< the line's start; for a choice line the keyword of the average button
    const char* AltKey;   ///< a choice line's keyword of the instantaneous button; nullptr otherwise
    const char* Message;  ///< shown when reading the line fails
};

std::span<const Setei3NumberField> Setei3NumberFields();
std::span<const Setei3Quantity> Setei3Quantities();
std::span<const Setei3Band> Setei3Bands();
std::span<const Setei3SegChoice> Setei3SegChoices();
std::span<const Setei3RadioPair> Setei3RadioPairs();

/// The items of the lists: lamps "no", "1" … "4"; messages "no", "8", "9", "10";
/// 8-segment positions "no", "右", "左", "下". The check takes exactly these texts.
std::span<const char* const> Setei3LampItems();
std::span<const char* const> Setei3MongonItems();
std::span<const char* const> Setei3SegItems();

inline constexpr const char* kSetei3GModeBox = "GModeCheckBox";
/// The characters the reader takes per line: longer lines arrive in pieces.
inline constexpr std::size_t kSetei3ReadLength = 49;
/// SeteiChkButton's report when every check passed.
inline constexpr const char* kSetei3CheckOk = "設定チェック　OK";

/// The settings 3 window's state without the window (設定３).
class Setei3Form : public SettingsForm {
public:
    using SettingsForm::Open;

    /// Every control in the window's order: number edits, the twenty lamp and
    /// twenty message choices, the nine 8-segment choices, the eight band boxes,
    /// the two radio pairs and GModeCheckBox. Starts cleared (see Clear()).
    explicit Setei3Form(FileSystem& files = RealFileSystem());

    std::string Kind() const override { return "settings3"; }
    /// 標準設定: numbers to their standard values or empty (the four CHK2 "to"
    /// fields kept), lamps and messages "no", 8-segment choices to theirs,
    /// band boxes and G mode off, instantaneous noise and average wind.
    void Standard() override;
    /// The state an open starts from: numbers empty (the four CHK2 "to" fields
    /// kept), lamps, messages and 8-segment choices "no", boxes off,
    /// instantaneous noise and average wind.
    void Clear();

    /// Whether the band's from, to, lamp and message controls are in use: bands
    /// without a box always, the others while their box is checked.
    bool BandEnabled(std::string_view prefix) const;
    /// Whether a control is enabled in the window (false only for the controls
    /// of a switched-off band).
    bool ControlEnabled(std::string_view name) const;

    /// 設定チェック: numbers, range orders, lamps, messages and 8-segment
    /// choices in the window's order; shows the first failure's message.
    bool CheckSettings3(Prompter& prompter) const { return ShowFailure(prompter, Settings3Fault().empty(), Settings3Fault()); }
    /// The check's first failure's message, "" when the settings pass.
    std::string Settings3Fault() const;
    bool Check(Prompter& prompter) override { return CheckSettings3(prompter); }

    /// The framing with "$SETEI", the 35 setting lines, "#END_OF_DEFINE" and
    /// the closing line; false at the first failed write.
    bool WriteLines(OutputFile& out, std::string& message) const override;
    /// The text of setting line index (0 to 34) before its padding.
    std::string LineText(std::size_t index) const;

    /// 開く after its dialog: clears, skips the five head lines and reads the 35
    /// setting lines, each value taken as it is read. A line that fails shows
    /// its message; a missing line "<path>リードエラー". After the last line the
    /// settings check runs: true with "<path>読み込み完了" when it passes, false
    /// (its message shown, the values read kept) when it does not, so that a
    /// file the unit would not take is never reported as opened.
    bool Open(LineReader& in, const std::string& path, std::vector<std::string>& said) override;

protected:
    /// The save dialog offers the name the unit looks for.
    std::string SavePreset() const override { return kSettingsFileName; }

private:
    // Reads one setting line into the form; false when the line fails.
    bool ReadSettingLine(const Setei3Line& layout, std::string_view line);
    bool ReadBand(const Setei3Band& band, std::string_view line, std::size_t pos);
    std::string BandText(const Setei3Band& band) const;
};

}  // namespace tesslor
