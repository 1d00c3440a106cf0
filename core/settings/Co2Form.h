#pragma once
// The CO2 reduction setting file: the starting amount of the unit's CO2
// reduction figure, in grams with one decimal, entered as thousands, units
// and tenths. The window only writes the file; tesslor-cli reads it back
// into the three texts that would write it.
#include <array>
#include <cstddef>
#include <span>
#include <string>
#include <string_view>

#include "settings/SettingsForm.h"

namespace tesslor {

/// One part of the amount: the box's name, how many ASCII digits it takes and
/// its text at creation. The check, the writer and the reader walk this table.
struct Co2Field {
    const char* Name;
    std::size_t MaxDigits;
    const char* Initial;
    /// A text of exactly "0" counts as no part at all: the check empties it.
    bool ZeroMeansNone;
    /// Takes exactly MaxDigits digits when an earlier part is given.
    bool FullAfterEarlier;
};

/// Thousands, units, tenths: the amount 0.0 to 999,999.9 g.
inline constexpr std::array<Co2Field, 3> kCo2Fields{{
    {"Edit0", 3, "0", true, false},
    {"Edit1", 3, "0", false, true},
    {"Edit2", 1, "0", false, false},
}};
/// The one setting line: this key, then the parts joined without separators.
inline constexpr const char* kCo2Key = "CO2SAKUGENSETEI=";

/// The window's save dialog: the file's own filter. The default extension is
/// the filter's, so a name typed without one is found again by this filter
/// and by the perform list's.
inline const FileDialogSetup kCo2SaveDialog{FileDialogKind::Save, {{"CO2設定(*.co2)", "*.co2"}}, "co2", ""};

class Co2Form : public SettingsForm {
public:
    /// Edit0 (thousands), Edit1 (units), Edit2 (tenths), each "0" at creation.
    explicit Co2Form(FileSystem& files = RealFileSystem());

    using SettingsForm::Open;

    std::string Kind() const override { return "co2"; }
    /// Thousands, then units, then tenths: ASCII digits only
    /// ("半角数字で入力して下さい"), within 0.0 to 999,999.9
    /// ("0.0～999,999.9の範囲で入力下さい"); units need exactly three digits when
    /// thousands are given. A thousands text of "0" is emptied as the check reaches it.
    bool Check(Prompter& prompter) override;
    /// The framing with "$CO2SAKUGENSETEI" and the one line "CO2SAKUGENSETEI=" + the three texts.
    bool WriteLines(OutputFile& out, std::string& message) const override;
    /// The window never opens a file of its own.
    bool CanOpen() const override { return false; }
    /// Reads a written file: its framing and its setting line ("CO2SAKUGENSETEI="
    /// and at most seven digits, padded as the writer pads it). The digits are
    /// split into the three texts that write the same line again. Shows the
    /// first fault's message and returns false; nothing is shown when it reads.
    bool Open(LineReader& in, const std::string& path, std::vector<std::string>& said) override;

    /// The three texts that write "CO2SAKUGENSETEI=" + digits and pass the
    /// check: tenths the last digit, units the three before it, thousands the
    /// rest. A thousands part of "0" (which the check would empty) takes the
    /// next three digits with it, leaving the tenths empty. False (nothing
    /// changed) for more than seven digits or anything but ASCII digits.
    bool SetAmount(std::string_view digits);

protected:
    /// The save dialog comes up without a name.
    std::string SavePreset() const override { return ""; }
};

/// The messages of the amount check.
inline constexpr const char* kCo2DigitsMessage = "半角数字で入力して下さい";
inline constexpr const char* kCo2RangeMessage = "0.0～999,999.9の範囲で入力下さい";
/// The hint beside the three boxes.
inline constexpr const char* kCo2Hint = "半角数字で0.0～999,999.9の範囲で入力して下さい。";

}  // namespace tesslor
