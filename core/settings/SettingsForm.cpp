#include "settings/SettingsForm.h"

#include "files/UnitFile.h"

namespace tesslor {

FormFields::FormFields(std::vector<FieldInfo> fields) : fields_(std::move(fields)) {
    for (const FieldInfo& f : fields_) {
        if (f.Kind == FieldKind::Edit || f.Kind == FieldKind::List) texts_[f.Name];
        else checks_[f.Name] = false;
    }
}

const FieldInfo* FormFields::Find(const std::string& name) const {
    for (const FieldInfo& f : fields_)
        if (f.Name == name) return &f;
    return nullptr;
}

const std::string& FormFields::Text(const std::string& name) const {
    static const std::string kNone;
    auto it = texts_.find(name);
    return it == texts_.end() ? kNone : it->second;
}

void FormFields::SetText(const std::string& name, std::string text) {
    auto it = texts_.find(name);
    if (it != texts_.end()) it->second = std::move(text);
}

bool FormFields::Checked(const std::string& name) const {
    auto it = checks_.find(name);
    return it != checks_.end() && it->second;
}

void FormFields::SetChecked(const std::string& name, bool checked) {
    auto it = checks_.find(name);
    if (it == checks_.end()) return;
    it->second = checked;
    const FieldInfo* f = Find(name);
    if (checked && f && f->Kind == FieldKind::RadioButton && !f->Partner.empty()) checks_[f->Partner] = false;
}

std::string FormFields::Value(const std::string& name) const {
    if (texts_.count(name)) return Text(name);
    return Checked(name) ? "yes" : "no";
}

bool FormFields::SetValue(const std::string& name, const std::string& value) {
    if (texts_.count(name)) {
        SetText(name, value);
        return true;
    }
    if (!checks_.count(name) || (value != "yes" && value != "no")) return false;
    SetChecked(name, value == "yes");
    return true;
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
