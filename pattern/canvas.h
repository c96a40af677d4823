// What the rosette needs of a drawing surface: a 1-pixel solid pen, MoveTo,
// LineTo (end pixel left out), Rectangle (outline with the pen, inside with the
// black brush) and FillRect with the black brush. The GDI canvas, the software
// canvas and the trace writer implement it.
#pragma once
#include <cstdint>

namespace vireska {

struct Rect {
    int32_t Left = 0, Top = 0, Right = 0, Bottom = 0;
    bool IsEmpty() const { return Right <= Left || Bottom <= Top; }
    friend bool operator==(const Rect& a, const Rect& b) {
        return a.Left == b.Left && a.Top == b.Top && a.Right == b.Right && a.Bottom == b.Bottom;
    }
};

// Windows COLORREF: red in the low byte.
using ColorRef = uint32_t;
inline ColorRef MakeColor(int32_t r, int32_t g, int32_t b) {
    return static_cast<uint32_t>(r) + 256u * static_cast<uint32_t>(g) + 65536u * static_cast<uint32_t>(b);
}

class Canvas {
public:
    virtual ~Canvas() = default;
    // A step is about to draw counter value n; only observers care.
    virtual void BeginStep(int32_t /*n*/) {}
    virtual void SetPen(ColorRef color) = 0;
    virtual void MoveTo(int32_t x, int32_t y) = 0;
    virtual void LineTo(int32_t x, int32_t y) = 0;
    virtual void Rectangle(int32_t left, int32_t top, int32_t right, int32_t bottom) = 0;
    virtual void FillBlack(const Rect& r) = 0;
};

}  // namespace vireska
