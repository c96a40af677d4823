// A canvas in memory that sets exactly the pixels GDI sets: a 1-pixel solid
// pen with the end pixel left out, Rectangle and FillRect without their right
// column and bottom row, everything clipped to the area.
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

#include "canvas.h"

namespace vireska {

class SoftCanvas : public Canvas {
public:
    SoftCanvas(int32_t width, int32_t height);  // starts black

    void SetPen(ColorRef color) override { Pen = color; }
    void MoveTo(int32_t x, int32_t y) override { CurX = x, CurY = y; }
    void LineTo(int32_t x, int32_t y) override;
    void Rectangle(int32_t left, int32_t top, int32_t right, int32_t bottom) override;
    void FillBlack(const Rect& r) override;

    int32_t Width() const { return W; }
    int32_t Height() const { return H; }
    ColorRef Pixel(int32_t x, int32_t y) const { return Pixels[static_cast<size_t>(y) * W + x]; }
    const std::vector<ColorRef>& Data() const { return Pixels; }

private:
    void Fill(int64_t left, int64_t top, int64_t right, int64_t bottom, ColorRef color);
    void Plot(int64_t x, int64_t y) {
        if (x >= 0 && x < W && y >= 0 && y < H) Pixels[static_cast<size_t>(y) * W + static_cast<size_t>(x)] = Pen;
    }

    int32_t W, H;
    std::vector<ColorRef> Pixels;
    ColorRef Pen = 0;
    int32_t CurX = 0, CurY = 0;
};

// A canvas that draws nothing: for measuring the step alone.
class NullCanvas : public Canvas {
public:
    void SetPen(ColorRef) override {}
    void MoveTo(int32_t, int32_t) override {}
    void LineTo(int32_t, int32_t) override {}
    void Rectangle(int32_t, int32_t, int32_t, int32_t) override {}
    void FillBlack(const Rect&) override {}
};

}  // namespace vireska
