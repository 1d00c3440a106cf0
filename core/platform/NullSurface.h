#pragma once
// A surface that keeps its size and draws nothing: the document's surface when
// no one looks at it (the command-line tool, batch conversions).
#include "platform/Surface.h"

namespace tesslor {

class NullSurface : public DrawingSurface {
public:
    void SetBrushColor(Rgb) override {}
    void SetPen(Rgb, int) override {}
    void Rectangle(int, int, int, int) override {}
    void Ellipse(int, int, int, int) override {}
    void MoveTo(int, int) override {}
    void LineTo(int, int) override {}
    void TextOut(int, int, const std::string&, const FontSpec&, Rgb, Rgb) override {}
    void SetPixel(int, int, Rgb) override {}
    Rgb GetPixel(int, int) const override { return kBlack; }
    void SetSize(int w, int h) override { w_ = w; h_ = h; }
    int Width() const override { return w_; }
    int Height() const override { return h_; }
    bool NeedsDrawing(int, int, int, int) const override { return false; }

private:
    int w_ = 0, h_ = 0;
};

}  // namespace tesslor
