#include "trace_canvas.h"

#include <cinttypes>

namespace vireska {

void TraceCanvas::BeginStep(int32_t n) {
    std::fprintf(Out, "step %" PRId32 "\n", n);
    if (Also) Also->BeginStep(n);
}

void TraceCanvas::SetPen(ColorRef color) {
    Pen = color;
    if (Also) Also->SetPen(color);
}

void TraceCanvas::MoveTo(int32_t x, int32_t y) {
    CurX = x, CurY = y;
    if (Also) Also->MoveTo(x, y);
}

void TraceCanvas::LineTo(int32_t x, int32_t y) {
    std::fprintf(Out, "line %" PRId32 " %" PRId32 " %" PRId32 " %" PRId32 " %u %u %u\n", CurX, CurY, x, y,
                 static_cast<unsigned>(Pen & 0xFF), static_cast<unsigned>((Pen >> 8) & 0xFF),
                 static_cast<unsigned>((Pen >> 16) & 0xFF));
    CurX = x, CurY = y;
    if (Also) Also->LineTo(x, y);
}

void TraceCanvas::Rectangle(int32_t left, int32_t top, int32_t right, int32_t bottom) {
    std::fprintf(Out, "rect %" PRId32 " %" PRId32 " %" PRId32 " %" PRId32 "\n", left, top, right, bottom);
    if (Also) Also->Rectangle(left, top, right, bottom);
}

void TraceCanvas::FillBlack(const Rect& r) {
    if (!r.IsEmpty())
        std::fprintf(Out, "fill %" PRId32 " %" PRId32 " %" PRId32 " %" PRId32 "\n", r.Left, r.Top, r.Right, r.Bottom);
    if (Also) Also->FillBlack(r);
}

}  // namespace vireska
