#pragma once
// The windows' outer sizes, and the frames (border and caption) that come
// around their client areas. Every window derives its client area from here,
// so a frame is written down once.
namespace tesslor {

struct WindowSize {
    int width = 0, height = 0;
    constexpr bool operator==(const WindowSize&) const = default;
};

/// Frame and caption around the client area of a resizable window.
inline constexpr WindowSize kSizeableFrame{16, 38};
/// Frame and caption around the client area of a dialog with a fixed border.
inline constexpr WindowSize kFixedDialogFrame{11, 35};

inline constexpr WindowSize kMainFormSize{906, 664};
inline constexpr WindowSize kPenColorFormSize{189, 100};
inline constexpr WindowSize kMagnificationFormSize{196, 111};

/// The client area of a window of the given outer size and frame.
constexpr WindowSize ClientSizeOf(WindowSize outer, WindowSize frame) {
    return {outer.width - frame.width, outer.height - frame.height};
}
/// The outer size of a window whose client area has the given size.
constexpr WindowSize OuterSizeOf(WindowSize client, WindowSize frame) {
    return {client.width + frame.width, client.height + frame.height};
}

}  // namespace tesslor
