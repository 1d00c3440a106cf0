#include "forms/Form.h"

#include <utility>

#include "platform/NamedMessages.h"

namespace tesslor {

// ---- flows ----

bool Form::Save(const FormDialogs& dialogs, Prompter& prompter) {
    if (CurrentFile.empty()) return SaveAs(dialogs, prompter);
    if (!Check(prompter)) return false;
    // Our own copy: a write may fail and leave CurrentFile to a hook.
    const std::string path = CurrentFile;
    if (!WriteFile(path, prompter)) return false;
    MarkUnchanged();
    Saved(path, true, prompter);
    return true;
}

bool Form::SaveAs(const FormDialogs& dialogs, Prompter& prompter) {
    if (!dialogs.Save || !Check(prompter)) return false;
    FileDialog& dialog = *dialogs.Save;
    dialog.InitialDir = DialogFolder(dialogs);
    dialog.FileName = SavePreset();
    if (!dialog.Execute()) return false;
    const std::string path = dialog.FileName;
    if (!WriteFile(path, prompter)) return false;
    MarkUnchanged();
    Saved(path, false, prompter);
    return true;
}

bool Form::AskToSave(const FormDialogs& dialogs, Prompter& prompter) {
    if (!HasUnsavedWork()) return true;
    switch (prompter.AskSave(kFormSaveQuestion)) {
        case SaveChoice::Save: return SaveBeforeOpen(dialogs, prompter);
        case SaveChoice::Discard: return true;
        case SaveChoice::Cancel: break;
    }
    return false;
}

bool Form::ReadKeepingState(const std::string& path, Prompter& prompter) {
    // A file that did not read leaves a form that had no work of the
    // operator's in it as unchanged: nothing of theirs is in it to lose.
    const bool hadWork = HasUnsavedWork();
    if (ReadFile(path, prompter)) {
        MarkUnchanged();
        Opened(path);
        return true;
    }
    if (!hadWork) MarkUnchanged();
    return false;
}

bool Form::Open(const FormDialogs& dialogs, Prompter& prompter) {
    // Work the operator chose to keep is never dropped: when its save did not
    // happen, nothing is read over it.
    if (!dialogs.Open || !AskToSave(dialogs, prompter)) return false;
    FileDialog& dialog = *dialogs.Open;
    dialog.InitialDir = DialogFolder(dialogs);
    dialog.FileName.clear();
    if (!dialog.Execute()) return false;
    return ReadKeepingState(dialog.FileName, prompter);
}

bool Form::OpenPath(const FormDialogs& dialogs, const std::string& path, Prompter& prompter) {
    if (!AskToSave(dialogs, prompter)) return false;
    // Picked outside the window: the read's messages say which file they are about.
    NamedMessages named(prompter, path);
    return ReadKeepingState(path, named);
}

bool Form::ConfirmClose(Prompter& prompter) const { return !Modified || prompter.Confirm(kFormDiscardQuestion); }

void Form::Saved(const std::string& path, bool, Prompter&) {
    CurrentFile = path;
    Modified = false;
}

void Form::Opened(const std::string& path) {
    CurrentFile = path;
    Modified = false;
}

// ---- fields ----

FormFields::FormFields(std::vector<FieldInfo> fields, FileSystem& files) : Form(files), fields_(std::move(fields)) {
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

std::vector<std::string> FormFields::FieldNames() const {
    std::vector<std::string> names;
    for (const FieldInfo& f : fields_) names.push_back(f.Name);
    return names;
}

std::optional<std::string> FormFields::Value(const std::string& name) const {
    if (texts_.count(name)) return Text(name);
    if (checks_.count(name)) return Checked(name) ? "yes" : "no";
    return std::nullopt;
}

bool FormFields::SetValue(const std::string& name, const std::string& value, std::string& problem) {
    if (texts_.count(name)) {
        SetText(name, value);
        return true;
    }
    if (!checks_.count(name)) {
        problem = "the " + Kind() + " window has no control named \"" + name + "\"";
        return false;
    }
    if (value != "yes" && value != "no") {
        problem = name + " takes yes or no, not \"" + value + "\"";
        return false;
    }
    SetChecked(name, value == "yes");
    return true;
}

bool FormFields::HasUnsavedWork() const {
    return Modified || (unchanged_ && (unchanged_->first != texts_ || unchanged_->second != checks_));
}

void FormFields::MarkUnchanged() {
    Modified = false;
    unchanged_.emplace(texts_, checks_);
}

// ---- held messages ----

void HeldMessages::Release() {
    std::vector<std::string> held = std::move(held_);
    held_.clear();
    for (const std::string& text : held) shown_->Inform(text);
}

}  // namespace tesslor
