#pragma once
// Message boxes as the model sees them: every text shown to the operator
// goes through here, so tests can answer and record them.
#include <string>
#include <vector>

namespace tesslor {

/// The answer to "保存しますか？" before unsaved work would be dropped.
enum class SaveChoice { Save, Discard, Cancel };

class Prompter {
public:
    virtual ~Prompter() = default;
    /// Information box with an OK button.
    virtual void Inform(const std::string& text) = 0;
    /// Confirmation box with Yes and No; true for Yes.
    virtual bool Confirm(const std::string& text) = 0;
    /// Plain question with Yes and No; true for Yes.
    virtual bool Ask(const std::string& text) = 0;
    /// はい / いいえ / キャンセル before unsaved work would be dropped;
    /// Escape and closing the box are キャンセル: the work stays. Where no
    /// one can cancel (the command line), Yes saves and No drops.
    virtual SaveChoice AskSave(const std::string& text) { return Ask(text) ? SaveChoice::Save : SaveChoice::Discard; }
};

// Readers and writers never show anything: they give their outcome and their
// message (or, where a read has notices to give as well, the messages in the
// order said). The flows above them show them with these.

/// Shows message when ok is false (nothing for an empty message); returns ok.
inline bool ShowFailure(Prompter& prompter, bool ok, const std::string& message) {
    if (!ok && !message.empty()) prompter.Inform(message);
    return ok;
}
/// Shows each message in turn; returns ok.
inline bool ShowAll(Prompter& prompter, bool ok, const std::vector<std::string>& said) {
    for (const std::string& text : said) prompter.Inform(text);
    return ok;
}

}  // namespace tesslor
