#include "app/MainWindowRules.h"

namespace tesslor {

std::vector<std::string> HiddenControlNames(const StartupConfig& config) {
    std::vector<std::string> names;
    if (config.NanSyoku == -1 || config.NanSyoku == 1) names.insert(names.end(), {"PenColor", "ReverseModeColorRadioGroup"});
    if (HidesRestrictedControls(config))
        names.insert(names.end(), {"DougaFaileSakusei", "AnimeDemonstration", "OldFileOpen", "OldFileWrite", "Label5",
                                   "Label6", "Label7", "SounyuuMojiComboBox", "SounyuuItiComboBox", "NiniItiMaskEdit"});
    return names;
}

std::vector<std::string> DisabledMenuItemNames(bool allMakers) {
    if (allMakers) return {};
    return {"SeteiMake", "SeteiMake2", "CO21"};
}

bool ReadAllMakers(const ProfileStrings& profile) { return profile.ReadInteger("Option", "AllMakers", 0) == 1; }

std::optional<int> DriveIndexForStoredValue(const std::string& value, const std::string& mapped) {
    if (value.empty()) {
        if (mapped.empty() || mapped.find('C') != std::string::npos) return 'C' - 'A';
        return mapped[0] - 'A';
    }
    if (value[0] >= 'A' && value[0] <= 'Z') return value[0] - 'A';
    return std::nullopt;
}

std::string MainCaption(const StartupConfig& config, bool withKiki) {
    std::string caption = std::string(kTitleText) + kVersionText + ColorCaptionSuffix(config.NanSyoku);
    if (withKiki) caption += kKikiCaptionSuffix;
    return caption;
}

bool EnablesSchedule(const std::string& kiki) { return kiki == kKankyouhyoujiki; }

std::string VersionBoxText() { return std::string("Ver ") + kVersionText + "  Date " + kDateText; }

std::string EnquiryText() { return std::string("Tesslorについてのお問合せは、") + kMakerContact + " まで"; }

}  // namespace tesslor
