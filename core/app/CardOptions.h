#pragma once
// How the configuration reads a card: its display and its write-number rule.
#include "app/StartupConfig.h"
#include "card/Card.h"

namespace tesslor {

/// The scan options of a configuration (bitmaps read as BMP only; the editor
/// and tesslor-cli add PNG).
inline CardScanOptions CardScanOptionsOf(const StartupConfig& config) {
    CardScanOptions options;
    options.shape = DisplayShapeOf(config);
    options.checkWriteNo = [mode = config.CustomerMode](const std::string& text, int& n) {
        return CheckWriteNo(text, mode, n);
    };
    return options;
}

}  // namespace tesslor
