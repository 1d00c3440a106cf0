#pragma once
// The CO2 reduction setting file: the starting amount of the unit's CO2
// reduction figure, in grams with one decimal, entered as thousands, units
// and tenths. The file is only written, never read back.
#include "settings/SettingsForm.h"

namespace tesslor {

class Co2Form : public SettingsForm {
public:
    /// Edit0 (thousands), Edit1 (units), Edit2 (tenths), each "0" at creation.
    Co2Form();

    std::string Kind() const override { return "co2"; }
    /// Thousands, then units, then tenths: ASCII digits only
    /// ("半角数字で入力して下さい"), within 0.0 to 999,999.9
    /// ("0.0～999,999.9の範囲で入力下さい"); units need exactly three digits when
    /// thousands are given. A thousands text of "0" is emptied as the check reaches it.
    bool Check(Prompter& prompter) override;
    /// The framing with "$CO2SAKUGENSETEI" and the one line "CO2SAKUGENSETEI=" + the three texts.
    bool WriteLines(OutputFile& out, Prompter& prompter) const override;
    bool CanOpen() const override { return false; }
    /// The file is never read back: always false, nothing shown.
    bool Open(LineReader& in, const std::string& path, Prompter& prompter) override;
};

/// The messages of the amount check.
inline constexpr const char* kCo2DigitsMessage = "半角数字で入力して下さい";
inline constexpr const char* kCo2RangeMessage = "0.0～999,999.9の範囲で入力下さい";
/// The hint beside the three boxes.
inline constexpr const char* kCo2Hint = "半角数字で0.0～999,999.9の範囲で入力して下さい。";

}  // namespace tesslor
