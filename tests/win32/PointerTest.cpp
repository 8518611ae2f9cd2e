// Windows only: the pointer through real window messages, observed through the window: what it
// draws (WM_PRINTCLIENT) and its tooltip's tools.
#ifdef _WIN32
#include "support/Contract.h"
#include "win32/PointerFixture.h"

namespace page_tests {
namespace {

using namespace win32_input;

TEST_F(Pointer, ButtonLightsUpUnderThePointerAndGoesBackWhenItLeaves) {
    Create();
    Pump();
    RECT client;
    GetClientRect(Page(), &client);
    const int dy = client.bottom - contract::kClientHeight;
    const long rest = OkBrightness();
    SendMessageA(Page(), WM_MOUSEMOVE, 0, MAKELPARAM(30, 395 + dy));
    const long hot = OkBrightness();
    EXPECT_GT(hot, rest) << "the hot image is the lighter one";
    SendMessageA(Page(), WM_MOUSEMOVE, 0, MAKELPARAM(150, 300));
    EXPECT_EQ(OkBrightness(), rest) << "moved away";
    SendMessageA(Page(), WM_MOUSEMOVE, 0, MAKELPARAM(30, 395 + dy));
    SendMessageA(Page(), WM_MOUSELEAVE, 0, 0);
    EXPECT_EQ(OkBrightness(), rest) << "left the window";
}

// What the page's tooltip is asked to take: each tool's structure size, as the tooltip sees it.
std::vector<UINT> addedToolSizes;
WNDPROC tooltipProc = nullptr;
HHOOK tooltipHook = nullptr;

LRESULT CALLBACK RecordingTooltipProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == TTM_ADDTOOLW || msg == TTM_ADDTOOLA)
        addedToolSizes.push_back(reinterpret_cast<TTTOOLINFOW*>(lParam)->cbSize);
    return CallWindowProcW(tooltipProc, hwnd, msg, wParam, lParam);
}

LRESULT CALLBACK WatchTooltips(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_CREATEWND) {
        auto hwnd = reinterpret_cast<HWND>(wParam);
        wchar_t cls[64] = {};
        GetClassNameW(hwnd, cls, 64);
        if (lstrcmpiW(cls, TOOLTIPS_CLASSW) == 0)
            tooltipProc = reinterpret_cast<WNDPROC>(
                SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(RecordingTooltipProc)));
    }
    return CallNextHookEx(tooltipHook, code, wParam, lParam);
}

// Common controls 5.8, which hosts without a visual-styles manifest get on Windows, refuses tools
// larger than the version-2 structure; Wine takes any size, so the size itself is what is checked.
TEST_F(Pointer, ToolsAreRegisteredAtTheSizeEveryCommonControlsVersionTakes) {
    addedToolSizes.clear();
    tooltipHook = SetWindowsHookExW(WH_CBT, WatchTooltips, nullptr, GetCurrentThreadId());
    Create();
    UnhookWindowsHookEx(tooltipHook);
    const UINT versionTwoSize = sizeof(void*) == 4 ? 44 : 64;  // up to and with lParam
    ASSERT_EQ(addedToolSizes.size(), 4u);
    for (UINT size : addedToolSizes) EXPECT_EQ(size, versionTwoSize);
}

TEST_F(Pointer, EachImageButtonIsATooltipToolWithItsHint) {
    for (const auto* texts : {&contract::kEnglish, &contract::kGerman}) {
        Create(contract::kWindowsXP, contract::kWindowsXPBit, texts == &contract::kEnglish ? 1 : 2);
        HWND tooltip = Tooltip();
        ASSERT_NE(tooltip, nullptr);
        ASSERT_EQ(SendMessageA(tooltip, TTM_GETTOOLCOUNT, 0, 0), 4);
        RECT client;
        GetClientRect(Page(), &client);
        const int dy = client.bottom - contract::kClientHeight, dx = client.right - contract::kClientWidth;
        const std::string hints[] = {texts->okHint, texts->undoHint, texts->infoHint, texts->registryHint};
        for (int i = 0; i < 4; ++i) {
            char text[256] = {};
            TOOLINFOA tool{};
            tool.cbSize = sizeof tool;
            ASSERT_TRUE(SendMessageA(tooltip, TTM_ENUMTOOLSA, static_cast<WPARAM>(i),
                                     reinterpret_cast<LPARAM>(&tool)));
            tool.lpszText = text;
            SendMessageA(tooltip, TTM_GETTEXTA, sizeof text, reinterpret_cast<LPARAM>(&tool));
            EXPECT_EQ(std::string(text), hints[i]);
            const auto& p = contract::kPlacements[i];
            int left = p.left + (i < 2 ? 0 : dx);
            EXPECT_EQ(tool.rect.left, left) << hints[i];
            EXPECT_EQ(tool.rect.top, p.top + dy) << hints[i];
            EXPECT_EQ(tool.rect.right - tool.rect.left, p.width);
        }
    }
}

}  // namespace
}  // namespace page_tests
#endif
