#include "app/StartupConfig.h"

#include <algorithm>

#include "text/Numbers.h"

namespace tesslor {

namespace {
// The display has at most five panel rows and five panel columns; nothing
// stops a smaller (or even nonsensical) count, the unit simply shows less.
constexpr int kMaxPanels = 5;
}  // namespace

StartupConfig ReadStartupConfig(const ProfileStrings& profile) {
    StartupConfig c;
    int nanSyoku = profile.ReadInteger("Led", "NanSyoku", 2);
    c.NanSyoku = (nanSyoku == -1 || nanSyoku == 1) ? nanSyoku : 2;
    c.TateMaisuu = std::min(profile.ReadInteger("Led", "TateMaisuu", kMaxPanels), kMaxPanels);
    c.YokoMaisuu = std::min(profile.ReadInteger("Led", "YokoMaisuu", kMaxPanels), kMaxPanels);
    // Only the exact spellings unlock the wider modes; anything else is an
    // ordinary customer.
    std::string user = profile.ReadString("User", "User", "customer");
    c.CustomerMode = (user == "root" || user == "customer51_60") ? user : "customer";
    return c;
}

std::string ReadKiki(const ProfileStrings& profile) { return profile.ReadString("Kiki", "Kiki", ""); }

std::string ColorCaptionSuffix(int nanSyoku) {
    if (nanSyoku == -1) return "  (ＸＫシリーズ）";
    if (nanSyoku == 1) return "  (１色用）";
    return "  (２色用）";
}

int InitialColorIndex(int nanSyoku) { return nanSyoku == -1 ? 2 : 0; }

std::vector<std::string> WriteNoListItems(const StartupConfig& c) {
    std::vector<std::string> items;
    for (int i = 1; i <= 10; ++i) items.push_back(std::to_string(i));
    if (c.CustomerMode == "customer51_60")
        for (int i = 51; i <= 60; ++i) items.push_back(std::to_string(i));
    return items;
}

std::string WriteNoRangeMessage(const std::string& customerMode) {
    if (customerMode == "root") return "書込みNoは、1～99の数字を入力して下さい";
    if (customerMode == "customer51_60") return "書込みNoは、1～10 51～60の数字を入力して下さい";
    return "書込みNoは、1～10の数字を入力して下さい";
}

bool WriteNoErrorClearsText(const std::string& customerMode) { return customerMode != "root"; }

std::string NiniItiRangeMessage(int maxColumns) {
    return std::to_string(maxColumns) + "より小さい値を入力して下さい";
}

DisplayShape DisplayShapeOf(const StartupConfig& c) { return {c.TateMaisuu, c.YokoMaisuu, c.NanSyoku}; }

bool CheckWriteNo(const std::string& text, const std::string& customerMode, int& n) {
    n = LeadingInt(text);
    if (customerMode == "root") return n >= 1 && n <= 99;
    if (customerMode == "customer51_60") return (n >= 1 && n <= 10) || (n >= 51 && n <= 60);
    return n >= 1 && n <= 10;
}

}  // namespace tesslor
