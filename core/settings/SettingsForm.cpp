#include "settings/SettingsForm.h"

#include "files/UnitFile.h"

namespace tesslor {

bool SettingsForm::WriteFile(const std::string& path, Prompter& prompter) {
    return WriteSettingsFile(*this, Files(), prompter, path);
}

bool SettingsForm::ReadFile(const std::string& path, Prompter& prompter) {
    return OpenSettingsFile(*this, Files(), prompter, path);
}

bool WriteSettingsFile(const SettingsForm& form, FileSystem& files, Prompter& prompter, const std::string& path) {
    if (!WriteWholeFile(files, prompter, path, [&](OutputFile& out) { return form.WriteLines(out, prompter); },
                        kSettingsCreateError, kSettingsWriteError))
        return false;
    prompter.Inform(kSettingsWritten);
    return true;
}

bool OpenSettingsFile(SettingsForm& form, FileSystem& files, Prompter& prompter, const std::string& path) {
    std::unique_ptr<LineReader> in = files.OpenText(path);
    if (!in) {
        prompter.Inform(path + "オープンエラー");
        return false;
    }
    return form.Open(*in, path, prompter);
}

}  // namespace tesslor
