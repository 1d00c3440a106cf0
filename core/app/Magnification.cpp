#include "app/Magnification.h"

#include <algorithm>

#include "text/Numbers.h"

namespace tesslor {

int MagnificationOf(const std::string& text) {
    const int value = LeadingInt(text);
    return value > 0 ? value : 100;
}

int FitMagnification(int areaWidth) {
    // A layout is 30 pitches of 16 dots and 3 pixels, plus 23 pixels.
    const int pitch = (areaWidth - 23) / 30;
    const int dot = std::max(1, (pitch - 3) / 16);
    // The smallest percentage whose dots are that size (percent * 8 / 100 == dot).
    return (dot * 100 + 7) / 8;
}

double FitScale(int areaWidth, int layoutWidth) {
    if (layoutWidth <= 0 || areaWidth <= layoutWidth) return 1.0;
    return static_cast<double>(areaWidth) / layoutWidth;
}

int MagnificationIndexBelow(int percent) {
    int index = 0;
    for (std::size_t i = 0; i < kMagnifications.size(); ++i)
        if (kMagnifications[i] <= percent) index = static_cast<int>(i);
    return index;
}

int SteppedMagnificationIndex(int index, int steps) {
    const long long stepped = static_cast<long long>(index) + steps;
    return static_cast<int>(std::clamp<long long>(stepped, 0, static_cast<long long>(kMagnifications.size()) - 1));
}

Point ScrollKeepingPointer(Point pointer, int oldPitch, int newPitch, Point boxOffset, Point inViewport) {
    const double scale = oldPitch > 0 ? static_cast<double>(newPitch) / oldPitch : 1.0;
    const Point scaled{static_cast<int>(pointer.x * scale), static_cast<int>(pointer.y * scale)};
    return {scaled.x + boxOffset.x - inViewport.x, scaled.y + boxOffset.y - inViewport.y};
}

}  // namespace tesslor
