#pragma once
// The kinds of settings file, by name and by content: what tesslor-cli's
// `make`, `show` and `check` and the windows agree on.
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/Files.h"
#include "platform/Prompter.h"
#include "settings/SettingsForm.h"

namespace tesslor {

/// "settings1", "settings2", "settings3", "co2", "schedule".
const std::vector<std::string>& SettingsKindNames();

/// A form of the kind in the state its window has at creation; nullptr for an unknown kind.
std::unique_ptr<SettingsForm> NewSettingsForm(const std::string& kind);

/// The kind of a settings file from its content: "co2" for the CO2 reduction
/// setting file, "schedule" for the display schedule; for a "$SETEI" file "settings3" when its "$TCHK1=" line
/// carries four values, "settings2" when it holds "$HEIKIN_SOUON_LAMP" or
/// "$SYUNKAN_SOUON_LAMP", else "settings1". Nothing when the third line names
/// neither type (not a settings file at all).
std::optional<std::string> SettingsKindOfContent(LineReader& in);

/// Checks a CO2 reduction setting file against its framing and its one
/// setting line ("CO2SAKUGENSETEI=" and at most seven digits). False with the
/// first fault's message.
bool CheckCo2File(LineReader& in, std::string& message);

/// Whether the form has the wind-only lamp mode (settings1, settings2).
bool HasWindOnlyMode(const SettingsForm& form);
/// Switches the wind-only lamp mode on or off as its button does (without the
/// notices); nothing changes when the mode already is so. False for a form
/// without the mode.
bool SetWindOnlyMode(SettingsForm& form, bool on);

}  // namespace tesslor
