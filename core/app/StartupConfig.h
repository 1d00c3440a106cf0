#pragma once
// The configuration that fixes the target display for the whole run.
#include <string>
#include <vector>

#include "led/Ledhyoujiki.h"
#include "platform/ProfileStrings.h"

namespace tesslor {

/// Read once at start-up, never changed afterwards.
struct StartupConfig {
    int NanSyoku = 2;    ///< colour setting: -1 (XK series), 1 (one colour) or 2 (two colours)
    int TateMaisuu = 5;  ///< panel rows of the display, at most 5 (no lower limit)
    int YokoMaisuu = 5;  ///< panel columns of the display, at most 5 (no lower limit)
    std::string CustomerMode = "customer";  ///< "root", "customer51_60" or "customer"

    bool operator==(const StartupConfig&) const = default;
};

/// Reads [Led] NanSyoku, TateMaisuu, YokoMaisuu and [User] User with their
/// defaults and rules: NanSyoku other than -1 and 1 counts as 2; panel counts
/// above 5 become 5; a user other than exactly "root" or "customer51_60" is "customer".
StartupConfig ReadStartupConfig(const ProfileStrings& profile);

/// [Kiki] Kiki, "" when missing.
std::string ReadKiki(const ProfileStrings& profile);

/// The exact device kind that enables the display-schedule maker.
inline constexpr const char* kKankyouhyoujiki = "Kankyouhyoujiki";

/// Caption suffix of the colour setting: "  (２色用）", "  (１色用）" or "  (ＸＫシリーズ）".
std::string ColorCaptionSuffix(int nanSyoku);

/// Index in the colour table (赤, 緑, 黄) of the initial pen and reverse colour:
/// 2 (黄) for NanSyoku -1, else 0 (赤).
int InitialColorIndex(int nanSyoku);

/// Whether the restricted controls and menu items are hidden (every mode but "root").
inline bool HidesRestrictedControls(const StartupConfig& c) { return c.CustomerMode != "root"; }

/// The write numbers offered in the list: "1" to "10", then "51" to "60" for "customer51_60".
std::vector<std::string> WriteNoListItems(const StartupConfig& c);

/// The display the picture document is laid out for.
DisplayShape DisplayShapeOf(const StartupConfig& c);

/// n = the leading integer of text; true when it is a write number the
/// customer mode offers ("root" 1-99, "customer51_60" 1-10 and 51-60,
/// otherwise 1-10).
bool CheckWriteNo(const std::string& text, const std::string& customerMode, int& n);

/// The message shown when a write number is outside the customer mode's range,
/// and whether the editor then empties the field.
std::string WriteNoRangeMessage(const std::string& customerMode);
bool WriteNoErrorClearsText(const std::string& customerMode);

/// The message for an arbitrary position at or beyond maxColumns:
/// "%dより小さい値を入力して下さい" with the number in place of %d.
std::string NiniItiRangeMessage(int maxColumns);

}  // namespace tesslor
