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

/// The files an animation of count frames whose list is listPath writes, in
/// the order written: its pictures, the list, its animation data.
std::vector<std::string> ImportedAnimationFiles(const std::string& listPath, int count);

/// The names of those files that are already there, which a write replaces.
std::vector<std::string> ExistingImportedAnimationFiles(FileSystem& files, const std::string& listPath, int count);

/// "a_01.lee、a_02.lee、a.ana は、もうあります。置き換えますか？" (four names at
/// most, then "ほか N ファイル"), asked before a write replaces them.
std::string ImportReplaceQuestion(const std::vector<std::string>& names);

/// The first of frames (from 0) that lights no dot, -1 when each lights one: a
/// picture without a lit dot has no place in animation data.
int FirstDarkFrame(const std::vector<PictureDots>& frames);

/// "3 枚目（walk_03.lee）には点灯する点がありません。…" for frame k (from 0)
/// of FirstDarkFrame; without the parentheses when name is "". Its hint is
/// the options to try; for frames that are one picture and darkness taking
/// turns (blinks), the display mode 点滅１ that blinks a picture; on a board
/// of no panel rows, that nothing will light.
std::string DarkFrameMessage(const std::string& name, int k, const StartupConfig& config, bool blinks = false);

/// Why WriteImportedAnimation would refuse before writing anything (a name
/// too long, the write number, a frame without a lit dot); "" when it would
/// not. With listPath "" (no name chosen yet) all but the names are checked.
std::string ImportedAnimationRefusal(FileSystem& files, const StartupConfig& config, const std::string& listPath,
                                     const std::vector<PictureDots>& frames, const std::string& writeNo);

/// Writes frames as FrameNameOf(listPath, k), each a picture as the editor
/// starts one, then the list (スーパー, writeNo, AnimationTimeOf(delaysCs))
/// and its animation data beside it: all of them, or, when any fails, every
/// file as it was before (a file the write made is removed again). The
/// names (the unit reads 30 bytes), the list's checks and a frame without a
/// lit dot (DarkFrameMessage) come first: when they refuse, nothing is
/// written. False with message on any failure.
bool WriteImportedAnimation(FileSystem& files, const StartupConfig& config, const std::string& listPath,
                            const std::vector<PictureDots>& frames, const std::vector<int>& delaysCs,
                            const std::string& writeNo, std::string& message);

}  // namespace tesslor
