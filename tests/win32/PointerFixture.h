#pragma once
// Windows only: the fixture of the pointer tests, which observe the page through its window: what it
// draws (WM_PRINTCLIENT) and its tooltip.
#include <cstdint>
#include <vector>

#include "support/Contract.h"
#include "win32/NativePageTest.h"

namespace page_tests {

class Pointer : public NativePageTest {
  protected:
    // The client area as the window draws it, 0x00RRGGBB per pixel.
    std::vector<std::uint32_t> Drawn(int& width) {
        RECT client;
        GetClientRect(Page(), &client);
        width = client.right;
        BITMAPINFO bi{};
        bi.bmiHeader = {sizeof bi.bmiHeader, client.right, -client.bottom, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
        void* bits = nullptr;
        HDC dc = CreateCompatibleDC(nullptr);
        HBITMAP bitmap = CreateDIBSection(dc, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
        HGDIOBJ old = SelectObject(dc, bitmap);
        SendMessageA(Page(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
        GdiFlush();
        auto* pixels = static_cast<std::uint32_t*>(bits);
        std::vector<std::uint32_t> copy(pixels, pixels + client.right * client.bottom);
        SelectObject(dc, old);
        DeleteObject(bitmap);
        DeleteDC(dc);
        return copy;
    }
    // Summed brightness of the OK button's square.
    long OkBrightness() {
        int width = 0;
        auto pixels = Drawn(width);
        RECT client;
        GetClientRect(Page(), &client);
        const auto& ok = contract::kPlacements[0];
        int top = ok.top + (client.bottom - contract::kClientHeight);
        long sum = 0;
        for (int y = top; y < top + ok.height; ++y)
            for (int x = ok.left; x < ok.left + ok.width; ++x) {
                std::uint32_t p = pixels[static_cast<std::size_t>(y * width + x)];
                sum += static_cast<long>((p & 0xFF) + ((p >> 8) & 0xFF) + ((p >> 16) & 0xFF));
            }
        return sum;
    }
    // The page's tooltip: a top-level window it owns.
    HWND Tooltip() {
        HWND found = nullptr;
        for (HWND w = FindWindowExA(nullptr, nullptr, TOOLTIPS_CLASSA, nullptr); w;
             w = FindWindowExA(nullptr, w, TOOLTIPS_CLASSA, nullptr))
            if (GetWindow(w, GW_OWNER) == Page()) found = w;
        return found;
    }
};

}  // namespace page_tests
