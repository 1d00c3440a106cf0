#pragma once
// What the configuration decides about the main window, as plain rules: the
// window applies them to its controls by name.
#include <optional>
#include <string>
#include <vector>

#include "app/StartupConfig.h"

namespace tesslor {

/// Object names of the controls and menu items the configuration hides: the
/// pen colour item and the reverse colour choice for one-colour displays and
/// the XK series; the animation items, the old-file items and the insertion
/// controls with their labels in every customer mode but "root".
std::vector<std::string> HiddenControlNames(const StartupConfig& config);

/// The menu items created disabled that stay disabled for the run: the
/// settings 1 and 2 and CO2 makers, unless the configuration's
/// [Option] AllMakers=1 offers every maker.
std::vector<std::string> DisabledMenuItemNames(bool allMakers);

/// [Option] AllMakers of the configuration file: 1 enables the settings 1 and
/// 2 and CO2 makers, which are otherwise never offered.
bool ReadAllMakers(const ProfileStrings& profile);

/// The notice before the display schedule editor opens.
inline constexpr const char* kScheduleNotice = "表示スケジュールファイルの作成はサポートしていない機種もありますのでご注意願います";
/// The notices shown, in order, before the settings 1/2 editor and the CO2 maker open.
inline constexpr const char* kSeteiVersionNotice = "設定には表示器のバージョンにより設定１と設定２がありますので注意願います。";
inline constexpr const char* kSeteiNotice = "設定ファイルの作成はサポートしていない機種もありますのでご注意願います";
inline constexpr const char* kCo2Notice = "CO2削減量設定ファイルの作成はサポートしていない機種もありますのでご注意願います";
/// The settings 1/2 editor's caption for each form.
inline constexpr const char* kSetei1Caption = "設定１";
inline constexpr const char* kSetei2Caption = "設定２";

/// The drive list's index (0 = "A") for the drive file's stored value: "C"
/// when the value is empty, the first character's letter when it is "A" to
/// "Z", and nothing (the selection stays as it is) for anything else, a
/// lower-case letter included. mapped holds the letters the configuration
/// gives a folder (outside Windows): with an empty value and C not among
/// them, the first of them is chosen, so that a first run starts on the card
/// rather than on the home folder C stands for.
std::optional<int> DriveIndexForStoredValue(const std::string& value, const std::string& mapped = "");

/// The main window's caption: title and version at construction, then the
/// colour suffix; withKiki adds the device kind's suffix of the first showing.
std::string MainCaption(const StartupConfig& config, bool withKiki);

/// Whether the device kind read at the first showing enables the display
/// schedule maker (and adds "　環境表示器用" to the caption): exactly "Kankyouhyoujiki".
bool EnablesSchedule(const std::string& kiki);

/// Title, version and date texts of the main window.
inline constexpr const char* kTitleText = "Tesslor 特殊な環境表示器２専用";
inline constexpr const char* kVersionText = "  2.0.0";
inline constexpr const char* kDateText = "2014.09.24";
inline constexpr const char* kKikiCaptionSuffix = "　環境表示器用";
/// The maker's name and telephone number in the enquiry line.
inline constexpr const char* kMakerContact = "Tesslorサポート窓口（電話 0120-000-000）";

/// The text of the version box: "Ver" + version + "  Date " + date.
std::string VersionBoxText();
/// The enquiry line of the about box.
std::string EnquiryText();

}  // namespace tesslor
