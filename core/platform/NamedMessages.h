#pragma once
// Messages about a file opened by its name rather than picked in a dialog a
// moment before (a file double-clicked in the card window, a drop, a recent
// file): the operator may not know which file a box is about, so each says.
#include <string>

#include "platform/Paths.h"
#include "platform/Prompter.h"

namespace tesslor {

/// Shows each information box as "name: text", name being the file's name
/// without its folder, unless the text names the file already; questions
/// pass unchanged.
class NamedMessages : public Prompter {
public:
    NamedMessages(Prompter& shown, const std::string& path) : shown_(&shown), name_(FileNamePart(path)) {}

    void Inform(const std::string& text) override {
        shown_->Inform(name_.empty() || text.find(name_) != std::string::npos ? text : name_ + ": " + text);
    }
    bool Confirm(const std::string& text) override { return shown_->Confirm(text); }
    bool Ask(const std::string& text) override { return shown_->Ask(text); }
    SaveChoice AskSave(const std::string& text) override { return shown_->AskSave(text); }

private:
    Prompter* shown_;
    std::string name_;
};

}  // namespace tesslor
