#pragma once
// An animated image (a GIF's frames, already turned into the board's dots)
// written as an animation: one picture per frame beside the list, then the
// list and its animation data, as the animation maker saves them.
#include <string>
#include <vector>

#include "app/StartupConfig.h"
#include "led/PictureDots.h"
#include "platform/Files.h"

namespace tesslor {

/// The most frames an imported animation keeps: a スーパー animation's.
inline constexpr int kImportAnimationFrames = 30;

/// The display time for frames' GIF delays (hundredths of a second, the
/// unit's 10 ms steps): their median (the lower middle of an even count),
/// at most the list's 9999; a median of 0 or 1, which browsers show as 10, gives 10.
int AnimationTimeOf(std::vector<int> delaysCs);

/// "NAME_01.lee" … for frame k (from 0) of the animation whose list is alt.
std::string FrameNameOf(const std::string& alt, int k);

/// "注意: N 枚のうち初めの K 枚を取り込みました（スーパーアニメーションは 30 枚まで）".
std::string FramesLeftOutNotice(int total, int kept);

/// Writes frames as FrameNameOf(listPath, k), each a picture as the editor
/// starts one, then the list (スーパー, writeNo, AnimationTimeOf(delaysCs))
/// and its animation data beside it, every file whole or not at all. The
/// names (the unit reads 30 bytes) and the list's checks come first: when
/// they refuse, nothing is written. False with message on any failure.
bool WriteImportedAnimation(FileSystem& files, const StartupConfig& config, const std::string& listPath,
                            const std::vector<PictureDots>& frames, const std::vector<int>& delaysCs,
                            const std::string& writeNo, std::string& message);

}  // namespace tesslor
