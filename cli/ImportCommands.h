#pragma once
// tesslor-cli import: any image onto the board, as a picture (.lee) or, from
// an animated GIF, as an animation (.alt, its .ana and one picture per frame).
#include <optional>
#include <ostream>
#include <string>

#include "app/StartupConfig.h"
#include "led/ImageImport.h"

namespace tesslor::cli {

struct ImportArgs {
    ImportOptions options;
    std::optional<std::string> writeNo;  ///< the picture's, or the animation's
    std::string input;
    std::string output;
};

/// Reads input (PNG, JPEG, GIF, BMP, …) and writes output: a .lee takes the
/// image (a GIF's first frame); a .alt takes every frame as NAME_01.lee, … in
/// its folder, with the list and its animation data (スーパー, the frames'
/// median delay as the display time; frames past the type's 30 left out with
/// a 注意 on err). Returns kExitOk; kExitFailed with the message on err and
/// nothing written when the input cannot be read or a file cannot be
/// written; kExitUsage for another extension.
int RunImport(const StartupConfig& config, const ImportArgs& args, std::ostream& err);

}  // namespace tesslor::cli
