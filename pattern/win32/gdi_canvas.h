// The rosette's canvas on a Windows device context: a 1-pixel solid pen,
// MoveToEx/LineTo, Rectangle and FillRect with the black stock brush.
#pragma once
#include <windows.h>

#include "canvas.h"

namespace vireska {

class GdiCanvas : public Canvas {
public:
    explicit GdiCanvas(HDC dc);
    ~GdiCanvas() override;
    GdiCanvas(const GdiCanvas&) = delete;
    GdiCanvas& operator=(const GdiCanvas&) = delete;

    void SetPen(ColorRef color) override;
    void MoveTo(int32_t x, int32_t y) override { MoveToEx(Dc, x, y, nullptr); }
    void LineTo(int32_t x, int32_t y) override { ::LineTo(Dc, x, y); }
    void Rectangle(int32_t left, int32_t top, int32_t right, int32_t bottom) override {
        ::Rectangle(Dc, left, top, right, bottom);
    }
    void FillBlack(const Rect& r) override;

private:
    HDC Dc;
    HPEN Pen = nullptr;
    ColorRef PenColor = 0;
    HGDIOBJ OldPen = nullptr, OldBrush = nullptr;
};

}  // namespace vireska
