// Writes every drawing operation as one line of text, in drawing order:
//   step N                 a step begins; N is the counter value it draws
//   fill L T R B           black fill of a non-empty repaint rectangle
//   rect L T R B           the black Rectangle at the counter wrap
//   line X1 Y1 X2 Y2 R G B MoveTo(X1,Y1), LineTo(X2,Y2) with that pen colour
// A MoveTo without a LineTo writes nothing. An optional second canvas gets
// every operation too, so one run can give a trace and a picture.
#pragma once
#include <cstdio>

#include "canvas.h"

namespace vireska {

class TraceCanvas : public Canvas {
public:
    explicit TraceCanvas(std::FILE* out, Canvas* also = nullptr) : Out(out), Also(also) {}

    void BeginStep(int32_t n) override;
    void SetPen(ColorRef color) override;
    void MoveTo(int32_t x, int32_t y) override;
    void LineTo(int32_t x, int32_t y) override;
    void Rectangle(int32_t left, int32_t top, int32_t right, int32_t bottom) override;
    void FillBlack(const Rect& r) override;

private:
    std::FILE* Out;
    Canvas* Also;
    ColorRef Pen = 0;
    int32_t CurX = 0, CurY = 0;
};

}  // namespace vireska
