#pragma once
// The editing area's magnifications: the list the magnification window offers,
// the steps of Ctrl+wheel, and where the view scrolls so that the dot under
// the pointer stays there.
#include <array>
#include <string>

#include "platform/Surface.h"

namespace tesslor {

/// The percentages offered, smallest first.
inline constexpr std::array<int, 10> kMagnifications{25, 50, 80, 100, 125, 150, 200, 400, 800, 1000};
/// The list index of 100 %, where the editor starts.
inline constexpr int kDefaultMagnificationIndex = 3;

/// The list's last entry, after the percentages: the largest magnification
/// at which the board's whole width fits the editing area.
inline constexpr const char* kFitMagnificationText = "全体表示";

/// The percentage a list entry's text gives; 100 when it holds no number above 0.
int MagnificationOf(const std::string& text);

/// 全体表示: the largest magnification whose layout (30 panel columns and the
/// 23 pixels of labels and frame) is no wider than areaWidth pixels; the
/// smallest layout (one pixel a dot) when none is.
int FitMagnification(int areaWidth);

/// How much larger than its layout (layoutWidth pixels) 全体表示 shows the
/// board so that it fills areaWidth: at least 1 (a layout wider than the
/// area, or none, is shown as it is).
double FitScale(int areaWidth, int layoutWidth);

/// The index of the largest listed percentage not above percent (0 when all are).
int MagnificationIndexBelow(int percent);

/// The list index steps entries away from index, kept within the list.
int SteppedMagnificationIndex(int index, int steps);

/// The scroll position after the editing area's pitch changed from oldPitch to
/// newPitch, such that the surface pixel pointer (taken before the change) is
/// again at the same place of the viewport. boxOffset is where the surface
/// lies inside the scrolled area, inViewport where the pointer is in the
/// viewport.
Point ScrollKeepingPointer(Point pointer, int oldPitch, int newPitch, Point boxOffset, Point inViewport);

}  // namespace tesslor
