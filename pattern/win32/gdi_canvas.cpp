#include "gdi_canvas.h"

namespace vireska {

GdiCanvas::GdiCanvas(HDC dc) : Dc(dc) {
    Pen = CreatePen(PS_SOLID, 1, 0);
    OldPen = SelectObject(Dc, Pen);
    OldBrush = SelectObject(Dc, GetStockObject(BLACK_BRUSH));
    SetROP2(Dc, R2_COPYPEN);
}

GdiCanvas::~GdiCanvas() {
    SelectObject(Dc, OldBrush);
    SelectObject(Dc, OldPen);
    DeleteObject(Pen);
}

// A new pen only when the colour changes: a step uses at most three.
void GdiCanvas::SetPen(ColorRef color) {
    if (color == PenColor) return;
    HPEN pen = CreatePen(PS_SOLID, 1, color);
    if (!pen) return;
    SelectObject(Dc, pen);
    DeleteObject(Pen);
    Pen = pen;
    PenColor = color;
}

void GdiCanvas::FillBlack(const Rect& r) {
    const RECT rc{r.Left, r.Top, r.Right, r.Bottom};
    FillRect(Dc, &rc, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
}

}  // namespace vireska
