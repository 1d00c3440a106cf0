#include "settings/SettingsKinds.h"

#include <algorithm>

#include "files/Framing.h"
#include "settings/ScheduleForm.h"
#include "settings/Co2Form.h"
#include "settings/Setei3Form.h"
#include "settings/SeteiForm.h"

namespace tesslor {

const std::vector<std::string>& SettingsKindNames() {
    static const std::vector<std::string> names{"settings1", "settings2", "settings3", "co2", "schedule"};
    return names;
}

std::unique_ptr<SettingsForm> NewSettingsForm(const std::string& kind) {
    if (kind == "settings1") return std::make_unique<SeteiForm>(false);
    if (kind == "settings2") return std::make_unique<SeteiForm>(true);
    if (kind == "settings3") return std::make_unique<Setei3Form>();
    if (kind == "co2") return std::make_unique<Co2Form>();
    if (kind == "schedule") return std::make_unique<ScheduleForm>();
    return nullptr;
}

std::optional<std::string> SettingsKindOfContent(LineReader& in) {
    // Pieces of 49 characters, as the settings readers take them.
    constexpr std::size_t kPiece = 49;
    std::string line;
    for (int i = 0; i < 3; ++i)
        if (!ReadLine(in, line, kPiece)) return std::nullopt;
    // The type line tells the kind even when its padding is wrong: the kind's
    // own reader then says what is wrong with the file.
    std::string type = line;
    while (!type.empty() && (type.back() == '\n' || type.back() == '\r' || type.back() == ' ')) type.pop_back();
    if (type == "$CO2SAKUGENSETEI") return "co2";
    if (type == "$SCHEDULE") return "schedule";
    if (type != "$SETEI") return std::nullopt;
    bool settings2 = false;
    while (ReadLine(in, line, kPiece)) {
        if (StartsWith(line, "$TCHK1=")) {
            // Settings 3 gives every band from, to, lamp and message.
            if (std::count(line.begin(), line.end(), ',') >= 3) return "settings3";
        } else if (IsKeywordLine(line, "$HEIKIN_SOUON_LAMP") || IsKeywordLine(line, "$SYUNKAN_SOUON_LAMP")) {
            settings2 = true;
        }
    }
    return settings2 ? "settings2" : "settings1";
}

bool CheckCo2File(LineReader& in, std::string& message) {
    Co2Form form;
    std::vector<std::string> said;
    if (form.Open(in, "", said)) return true;
    message = said.empty() ? std::string() : said.front();
    return false;
}

bool HasWindOnlyMode(const SettingsForm& form) { return dynamic_cast<const SeteiForm*>(&form) != nullptr; }

bool SetWindOnlyMode(SettingsForm& form, bool on) {
    auto* setei = dynamic_cast<SeteiForm*>(&form);
    if (!setei) return false;
    // Switching on is what the button does when the mode is off; pressed again
    // it would switch the mode off, so an "on" for a form already on changes nothing.
    if (setei->WindOnly() != on) setei->SetWindOnly(on);
    return true;
}

}  // namespace tesslor
