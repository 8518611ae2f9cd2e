// Windows only: the page in a dark scheme with and without the high-contrast flag, and with a pale
// text colour, measured from the pixels it draws. Wine refuses to turn high contrast on, so the flag
// is reported through the system services; the colours are the system's own.
#ifdef _WIN32
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <map>
#include <tuple>
#include <vector>

#include "support/Contract.h"
#include "support/SystemRecorder.h"
#include "win32/NativePageTest.h"

namespace page_tests {
namespace {

using namespace win32_input;

// A scheme of the user's for as long as it lives; the colours last for the session, so they go back.
class UserScheme {
  public:
    UserScheme(COLORREF window, COLORREF text) {
        const COLORREF colors[kCount] = {window, text, RGB(26, 235, 255), window, text};
        for (int i = 0; i < kCount; ++i) saved_[i] = GetSysColor(kElements[i]);
        SetSysColors(kCount, kElements, colors);
    }
    ~UserScheme() { SetSysColors(kCount, kElements, saved_); }

  private:
    static constexpr int kCount = 5;
    static constexpr int kElements[kCount] = {COLOR_WINDOW, COLOR_WINDOWTEXT, COLOR_HIGHLIGHT, COLOR_BTNFACE,
                                              COLOR_BTNTEXT};
    COLORREF saved_[kCount];
};

double Luminance(COLORREF c) {
    auto channel = [](int v) {
        double s = v / 255.0;
        return s <= 0.03928 ? s / 12.92 : std::pow((s + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * channel(GetRValue(c)) + 0.7152 * channel(GetGValue(c)) + 0.0722 * channel(GetBValue(c));
}

double Contrast(COLORREF a, COLORREF b) {
    double la = Luminance(a), lb = Luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// The client area of a window, as it draws itself.
class Capture {
  public:
    explicit Capture(HWND window) {
        RECT client;
        GetClientRect(window, &client);
        width_ = client.right, height_ = client.bottom;
        BITMAPINFO info{};
        info.bmiHeader = {sizeof info.bmiHeader, width_, -height_, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
        HDC dc = CreateCompatibleDC(nullptr);
        void* bits = nullptr;
        HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        HGDIOBJ old = SelectObject(dc, bitmap);
        SendMessageW(window, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT | PRF_ERASEBKGND);
        GdiFlush();
        auto* pixels = static_cast<const std::uint32_t*>(bits);
        pixels_.assign(pixels, pixels + width_ * height_);
        SelectObject(dc, old);
        DeleteObject(bitmap);
        DeleteDC(dc);
    }
    COLORREF At(int x, int y) const {
        std::uint32_t p = pixels_[static_cast<std::size_t>(y * width_ + x)];
        return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
    }
    // The contrast of the text drawn: the most common colour is the background, the next most common
    // the text (a focus rectangle's dots are fewer than a caption's).
    // Columns left of `fromX` are left out (the checkbox's square).
    double TextContrast(int fromX = 0) const {
        std::map<COLORREF, int> counts;
        for (int y = 0; y < height_; ++y)
            for (int x = fromX; x < width_; ++x) ++counts[At(x, y)];
        COLORREF background = 0;
        int most = 0;
        for (auto [color, count] : counts)
            if (count > most) background = color, most = count;
        COLORREF text = background;
        int textCount = 0;
        for (auto [color, count] : counts)
            if (color != background && count > textCount) text = color, textCount = count;
        return Contrast(text, background);
    }

  private:
    int width_ = 0, height_ = 0;
    std::vector<std::uint32_t> pixels_;
};

// The page with its children as drawn, saved as a bitmap file for people to look at.
void SavePicture(HWND page, const char* path) {
    RECT client;
    GetClientRect(page, &client);
    BITMAPINFO info{};
    info.bmiHeader = {sizeof info.bmiHeader, client.right, client.bottom, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    HDC dc = CreateCompatibleDC(nullptr);
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(dc, bitmap);
    SendMessageW(page, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT | PRF_ERASEBKGND);
    HWND first = GetWindow(page, GW_CHILD);  // the top of the z-order: painted last
    for (HWND child = first ? GetWindow(first, GW_HWNDLAST) : nullptr; child;
         child = GetWindow(child, GW_HWNDPREV)) {
        if (!IsWindowVisible(child)) continue;
        POINT origin{0, 0};
        MapWindowPoints(child, page, &origin, 1);
        RECT area;
        GetClientRect(child, &area);
        HDC childDc = CreateCompatibleDC(dc);
        HBITMAP childBitmap = CreateCompatibleBitmap(dc, area.right, area.bottom);
        HGDIOBJ childOld = SelectObject(childDc, childBitmap);
        SendMessageW(child, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(childDc), PRF_CLIENT | PRF_ERASEBKGND);
        BitBlt(dc, origin.x, origin.y, area.right, area.bottom, childDc, 0, 0, SRCCOPY);
        SelectObject(childDc, childOld);
        DeleteObject(childBitmap);
        DeleteDC(childDc);
    }
    GdiFlush();
    DWORD size = static_cast<DWORD>(client.right * client.bottom * 4);
    BITMAPFILEHEADER file{0x4D42, static_cast<DWORD>(sizeof(BITMAPFILEHEADER) + sizeof info.bmiHeader) + size,
                          0, 0, static_cast<DWORD>(sizeof(BITMAPFILEHEADER) + sizeof info.bmiHeader)};
    HANDLE out = CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    WriteFile(out, &file, sizeof file, &written, nullptr);
    WriteFile(out, &info.bmiHeader, sizeof info.bmiHeader, &written, nullptr);
    WriteFile(out, bits, size, &written, nullptr);
    CloseHandle(out);
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
}

class HighContrastScheme : public NativePageTest {};

TEST_F(HighContrastScheme, TitleHelpAndCheckBoxReadInDarkAndPaleSchemesWithOrWithoutTheFlag) {
    // Dark with the high-contrast flag and without it, and light grey on white.
    const std::tuple<bool, COLORREF, COLORREF> cases[] = {{true, RGB(0, 0, 0), RGB(255, 255, 255)},
                                                          {false, RGB(0, 0, 0), RGB(255, 255, 255)},
                                                          {false, RGB(255, 255, 255), RGB(192, 192, 192)}};
    for (auto [flag, window, text] : cases) {
        SCOPED_TRACE(text);
        SystemRecorder system;
        system.highContrast = flag;
        {
            UserScheme scheme(window, text);
            Create(contract::kWindowsXP, contract::kWindowsXPBit, 1);
            Pump();
            HWND title = ChildOfClass(Page(), "Static"), checkBox = ChildOfClass(Page(), "Button");
            HWND help = IsWindowVisible(ChildOfClass(Page(), "Edit", 0)) ? ChildOfClass(Page(), "Edit", 0)
                                                                         : ChildOfClass(Page(), "Edit", 1);
            EXPECT_GE(Capture(title).TextContrast(), 4.5) << "title";
            EXPECT_GE(Capture(help).TextContrast(), 4.5) << "help text";
            EXPECT_GE(Capture(checkBox).TextContrast(GetSystemMetrics(SM_CXMENUCHECK) + 2), 4.5)
                << "checkbox";
            EXPECT_EQ(Capture(Page()).At(150, 300), window) << "the window's background";
            if (const char* picture = std::getenv("NAMTAIL_PICTURE"); picture && flag)
                SavePicture(Page(), picture);
        }
        // The colours go back and the flag off: told by the system, the page takes its own again.
        system.highContrast = false;
        SendMessageW(Page(), WM_SYSCOLORCHANGE, 0, 0);
        Pump();
        EXPECT_EQ(Capture(Page()).At(150, 300), RGB(255, 255, 255));
        EXPECT_EQ(Capture(Page()).At(2, 200), RGB(140, 170, 230)) << "the left strip";
    }
}

}  // namespace
}  // namespace page_tests
#endif
