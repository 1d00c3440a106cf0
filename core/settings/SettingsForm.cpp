#include "settings/SettingsForm.h"

#include "files/UnitFile.h"

namespace tesslor {

bool SettingsForm::WriteFile(const std::string& path, Prompter& prompter) {
    std::vector<std::string> said;
    if (!ShowAll(prompter, WriteSettingsFile(*this, Files(), path, said), said)) return false;
    prompter.Inform(kSettingsWritten);
    return true;
}

bool SettingsForm::ReadFile(const std::string& path, Prompter& prompter) {
    std::vector<std::string> said;
    const bool read = OpenSettingsFile(*this, Files(), path, said);
    return ShowAll(prompter, read, said);
}

bool WriteSettingsFile(const SettingsForm& form, FileSystem& files, const std::string& path,
                       std::vector<std::string>& said) {
    std::string refusal, message;
    if (WriteWholeFile(files, path, [&](OutputFile& out) { return form.WriteLines(out, refusal); }, message,
                       kSettingsCreateError, kSettingsWriteError))
        return true;
    if (!refusal.empty()) said.push_back(refusal);
    said.push_back(message);
    return false;
}

bool OpenSettingsFile(SettingsForm& form, FileSystem& files, const std::string& path, std::vector<std::string>& said) {
    std::unique_ptr<LineReader> in = files.OpenText(path);
    if (!in) {
        said.push_back(path + "オープンエラー");
        return false;
    }
    return form.Open(*in, path, said);
}

}  // namespace tesslor
