#include "platform/win32/Win32Gdi.h"

#include <utility>
#include <vector>

namespace platform {
namespace {

struct GdiObjects {
    std::vector<std::pair<Font, HFONT>> fonts;
    std::vector<std::pair<COLORREF, HBRUSH>> brushes;
    HDC measuring = nullptr;
};
// Made at first use and deleted by ReleaseGdiObjects only: no static destructor touches GDI at unload.
GdiObjects* objects = nullptr;

GdiObjects& Objects() {
    if (!objects) objects = new GdiObjects;
    return *objects;
}

HFONT MakeFont(const Font& f) {
    return CreateFontA(f.height, 0, 0, 0, f.bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE, FALSE, ANSI_CHARSET,
                       OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE,
                       std::string(f.name).c_str());
}

}  // namespace

COLORREF ToColorRef(Color c) {
    return IsSystemColor(c) ? GetSysColor(static_cast<int>(c & 0xFF)) : static_cast<COLORREF>(c);
}

HFONT FontOf(const Font& f) {
    for (auto& [font, handle] : Objects().fonts)
        if (font == f) return handle;
    HFONT handle = MakeFont(f);
    Objects().fonts.emplace_back(f, handle);
    return handle;
}

HBRUSH BrushOf(Color color) {
    COLORREF value = ToColorRef(color);
    for (auto& [c, brush] : Objects().brushes)
        if (c == value) return brush;
    HBRUSH brush = CreateSolidBrush(value);
    Objects().brushes.emplace_back(value, brush);
    return brush;
}

HDC MeasuringDc() {
    HDC& dc = Objects().measuring;
    if (!dc) dc = CreateCompatibleDC(nullptr);
    return dc;
}

void ReleaseGdiObjects() {
    if (!objects) return;
    if (objects->measuring) DeleteDC(objects->measuring);
    for (auto& [font, handle] : objects->fonts) DeleteObject(handle);
    for (auto& [color, brush] : objects->brushes) DeleteObject(brush);
    delete std::exchange(objects, nullptr);
}

void DcCanvas::FillRect(const Rect& r, Color color) {
    RECT rc{r.left, r.top, r.Right(), r.Bottom()};
    ::FillRect(dc_, &rc, BrushOf(color));
}

void DcCanvas::FrameRect(const Rect& r, Color color) {
    RECT rc{r.left, r.top, r.Right(), r.Bottom()};
    ::FrameRect(dc_, &rc, BrushOf(color));
}

void DcCanvas::DrawBitmap(int x, int y, const Bitmap& b) {
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = b.width;
    bi.bmiHeader.biHeight = -b.height;  // top-down rows
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    SetDIBitsToDevice(dc_, x, y, static_cast<DWORD>(b.width), static_cast<DWORD>(b.height), 0, 0, 0,
                      static_cast<UINT>(b.height), b.pixels.data(), &bi, DIB_RGB_COLORS);
}

}  // namespace platform
