#pragma once
// tesslor-cli's animations: `animate` builds or re-saves an animation list and
// its data file as the animation maker does, `render --view animation` writes
// the frames the animation demo shows, and `check` reads list and data files.
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "app/StartupConfig.h"

namespace tesslor::cli {

struct AnimateOptions {
    std::string list;                    ///< the list file to save (and to load when no picture is given)
    std::vector<std::string> pictures;   ///< pictures to add in order, as 追加 does
    std::optional<int> type;             ///< kAnimationSuper or kAnimationNormal
    std::optional<std::string> writeNo;  ///< as typed into the write number box
    std::optional<std::string> time;     ///< as typed into the display time box
};

/// Without pictures, loads the list; with pictures, starts from the maker's
/// state at opening and adds each. Then applies the options given and saves
/// the list and data files with the maker's checks and messages (to err).
/// Returns 0, 1 (a load, add, check or write failed) or 2 (a value that could
/// not be typed into its box).
int RunAnimate(const AnimateOptions& options, std::ostream& err);

/// Loads the list as the demo does and writes the frames it would show:
/// output with "%d" in its name gets one image per frame ("%d" = 0, 1, …),
/// any other .bmp or .png output gets the frames side by side. Returns 0, 1
/// (the list failed, or an entry could not be read: its message is on err and
/// the frames are still written) or 2 (an output that is no .bmp or .png).
int RunRenderAnimation(const StartupConfig& config, const std::string& list, const std::string& output,
                       std::ostream& err);

/// `show` of an animation data file: checks it as `check` does and prints
/// "kind=animation-data" and its define lines as type= (super or normal),
/// writeno=, pictures= and time= (in 10 ms). Returns 0, or 1 after the
/// check's message on err.
int RunShowAnimationData(const std::string& path, std::ostream& out, std::ostream& err);

/// For `check`: when path is a list (.alt) or a data file (.ana), reads it,
/// sets ok and message (its first message, "" when it passed) and returns
/// true; false for any other file.
bool CheckAnimationFile(const std::string& path, bool& ok, std::string& message);

}  // namespace tesslor::cli
