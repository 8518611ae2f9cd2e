#pragma once
// GDI for the page: the model's colours and fonts as system objects, and a canvas on a device
// context for the controls the window draws itself.
#include <windows.h>

#include "platform/Control.h"

namespace platform {

COLORREF ToColorRef(Color c);

// Fonts and brushes do not depend on one page: made at first use, shared by every page of this load
// of the library, and deleted by ReleaseGdiObjects when the last page goes.
HFONT FontOf(const Font& font);
HBRUSH BrushOf(Color color);
// A device context for measuring text, kept like the fonts: a font made at a pixel height measures
// the same on any.
HDC MeasuringDc();
void ReleaseGdiObjects();

class DcCanvas : public Canvas {
  public:
    explicit DcCanvas(HDC dc) : dc_(dc) {}
    void FillRect(const Rect& r, Color color) override;
    void FrameRect(const Rect& r, Color color) override;
    void DrawBitmap(int x, int y, const Bitmap& b) override;
    Color Resolve(Color color) override { return ToColorRef(color); }

  private:
    HDC dc_;
};

}  // namespace platform
