#include "led/DocumentStep.h"

namespace tesslor {

DocumentStep::DocumentStep(LedHyoujikiClass& doc, std::string typing) : doc_(doc), typing_(std::move(typing)) {
    doc_.RecordStep();
}

DocumentStep::~DocumentStep() { doc_.RecordStep(typing_); }

}  // namespace tesslor
