// A canvas for tests that keeps every operation, in drawing order.
#pragma once
#include <cstdint>
#include <vector>

#include "canvas.h"

namespace vireska::test {

struct Op {
    enum Kind { Step, Line, Rect, Fill } kind;
    int32_t a = 0, b = 0, c = 0, d = 0;
    ColorRef color = 0;
};

class RecordingCanvas : public Canvas {
public:
    std::vector<Op> ops;

    void BeginStep(int32_t n) override { ops.push_back({Op::Step, n}); }
    void SetPen(ColorRef c) override { pen = c; }
    void MoveTo(int32_t x, int32_t y) override { cx = x, cy = y; }
    void LineTo(int32_t x, int32_t y) override {
        ops.push_back({Op::Line, cx, cy, x, y, pen});
        cx = x, cy = y;
    }
    void Rectangle(int32_t l, int32_t t, int32_t r, int32_t b) override { ops.push_back({Op::Rect, l, t, r, b, pen}); }
    void FillBlack(const vireska::Rect& r) override { ops.push_back({Op::Fill, r.Left, r.Top, r.Right, r.Bottom}); }

    std::vector<Op> Lines() const {
        std::vector<Op> out;
        for (const Op& o : ops)
            if (o.kind == Op::Line) out.push_back(o);
        return out;
    }

private:
    ColorRef pen = 0;
    int32_t cx = 0, cy = 0;
};

}  // namespace vireska::test
