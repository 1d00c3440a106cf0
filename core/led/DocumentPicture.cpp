#include "led/DocumentPicture.h"

#include <algorithm>

namespace tesslor {

std::optional<Point> DotAtPixel(const LedHyoujikiClass& doc, int x, int y) {
    const int pitch = doc.Pitch();
    if (pitch <= 0) return std::nullopt;
    // The same integer steps as the pen's own stroke, truncating towards zero,
    // so that a pixel just left of the first panel still counts as its dot.
    int gc = (x - 20) / pitch;
    int gr = (y - 12) / pitch;
    if (gc < 0 || gr < 0) return std::nullopt;
    gc = std::min(gc, LedHyoujikiClass::kPanelColumns - 1);
    gr = std::min(gr, LedHyoujikiClass::kPanelRows - 1);
    const LedBoardClass& board = doc.Board(gc, gr);
    if (board.DotSize <= 0) return std::nullopt;
    int c = (x - board.X) / board.DotSize;
    int r = (y - board.Y) / board.DotSize;
    if (c < 0 || r < 0) return std::nullopt;
    c = std::min(c, LedBoardClass::kDots - 1);
    r = std::min(r, LedBoardClass::kDots - 1);
    return Point{gc * LedBoardClass::kDots + c, gr * LedBoardClass::kDots + r};
}

void PaintDot(LedHyoujikiClass& doc, Point dot, Rgb rgb) {
    if (!PictureDots::Inside(dot.x, dot.y)) return;
    doc.Board(dot.x / 16, dot.y / 16).Led(dot.x % 16, dot.y % 16).SetColorValue(rgb);
}

int ShowPicture(LedHyoujikiClass& doc, const PictureDots& dots) { return ApplyPicture(doc, dots, true); }

PictureSettings CaptureSettings(const LedHyoujikiClass& doc) {
    return {doc.DisplayModeCode(), doc.SounyuuMojiCode(), doc.SounyuuItiCode(),
            doc.NiniItiText(),     doc.WriteNoText(),     doc.ReverseColorIndex()};
}

std::string DotPositionText(std::optional<Point> dot) {
    if (!dot) return {};
    return "X " + std::to_string(dot->x) + "  Y " + std::to_string(dot->y) + "  パネル " +
           std::to_string(dot->x / 16) + "," + std::to_string(dot->y / 16);
}

std::string PenColorText(const LedHyoujikiClass& doc, Rgb pen) {
    for (int i = 0; i < doc.ReverseColorCount(); ++i)
        if (doc.ReverseColorValue(i) == pen) return "ペン " + doc.ReverseColorName(i);
    return "ペン";
}

std::string MagnificationText(int percent) { return "倍率 " + std::to_string(percent) + "%"; }

std::string UsedWidthText(int dots) { return "使用幅 " + std::to_string(dots) + "ドット"; }

std::string DocumentStatusText(const std::string& fileName, bool modified) {
    // A path may use either separator.
    const std::size_t slash = fileName.find_last_of("/\\");
    std::string text = fileName.empty() ? "新規" : fileName.substr(slash == std::string::npos ? 0 : slash + 1);
    if (modified) text += " (未保存)";
    return text;
}

}  // namespace tesslor
