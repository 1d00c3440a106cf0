#pragma once
// Message boxes as the model sees them: every text shown to the operator
// goes through here, so tests can answer and record them.
#include <string>

namespace tesslor {

class Prompter {
public:
    virtual ~Prompter() = default;
    /// Information box with an OK button.
    virtual void Inform(const std::string& text) = 0;
    /// Confirmation box with Yes and No; true for Yes.
    virtual bool Confirm(const std::string& text) = 0;
    /// Plain question with Yes and No; true for Yes.
    virtual bool Ask(const std::string& text) = 0;
};

}  // namespace tesslor
