#pragma once
// One undo step of the document, taken by scope: whatever changed before the
// step began and was not yet recorded (a stroke not yet ended) becomes a
// step of its own first; when the step ends, the document as it then is
// becomes one step, or none when nothing changed. A command can therefore
// never forget either half:
//
//     DocumentStep step(doc);
//     ... read, draw, convert ...
//     doc.HeldIn(path);  // when a file now holds the picture
//
// Steps may nest: each records when it begins and when it ends.
#include <string>

#include "led/Ledhyoujiki.h"

namespace tesslor {

class DocumentStep {
public:
    /// typing names a box typed into key by key: its changes of settings,
    /// step after step, are one undo step.
    explicit DocumentStep(LedHyoujikiClass& doc, std::string typing = {});
    ~DocumentStep();
    DocumentStep(const DocumentStep&) = delete;
    DocumentStep& operator=(const DocumentStep&) = delete;

private:
    LedHyoujikiClass& doc_;
    std::string typing_;
};

}  // namespace tesslor
