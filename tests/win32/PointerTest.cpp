// Windows only: the pointer and the host's commands through real window messages, observed through
// the window: what it draws (WM_PRINTCLIENT), its tooltip's tools, its place on the screen, and
// which window is in front.
#ifdef _WIN32
#include <climits>

#include "support/Contract.h"
#include "win32/NativePageTest.h"

namespace page_tests {
namespace {

using namespace win32_input;

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

TEST_F(Pointer, ShowCommandBringsAHiddenPageToTheFront) {
    Create();
    HWND other = CreateWindowExA(0, "STATIC", "other", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 100, 100,
                                 nullptr, nullptr, nullptr, nullptr);
    SendMessageA(Page(), WM_CLOSE, 0, 0);
    SetForegroundWindow(other);
    Pump();
    ASSERT_FALSE(IsWindowVisible(Page())) << "closing only hides";
    ASSERT_NE(GetForegroundWindow(), Page());
    SendMessageA(Page(), TipState.HostMessage, contract::kSwitchWindow, 0);
    Pump();
    EXPECT_TRUE(IsWindowVisible(Page()));
    EXPECT_EQ(GetForegroundWindow(), Page());
    DestroyWindow(other);
}

// What the system was asked to do with the page window and its children while ModulCreate ran.
struct MadeAndMoved {
    std::vector<RECT> made;      // each page window made, at its place and outer size
    int pageMoves = 0;           // the page window moved or resized after it was made
    int childMovesOrRaises = 0;  // a child moved, resized or put elsewhere in the z-order
};
MadeAndMoved watched;

bool IsPageWindow(HWND hwnd) {
    char cls[32] = {};
    GetClassNameA(hwnd, cls, sizeof cls);
    return std::string(cls) == "NamtailTipWindow";
}

LRESULT CALLBACK WatchCreation(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_CREATEWND && IsPageWindow(reinterpret_cast<HWND>(wParam))) {
        const CREATESTRUCTA& cs = *reinterpret_cast<CBT_CREATEWNDA*>(lParam)->lpcs;
        watched.made.push_back({cs.x, cs.y, cs.x + cs.cx, cs.y + cs.cy});
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

LRESULT CALLBACK WatchPlacing(int code, WPARAM wParam, LPARAM lParam) {
    const CWPSTRUCT& m = *reinterpret_cast<CWPSTRUCT*>(lParam);
    if (code == HC_ACTION && m.message == WM_WINDOWPOSCHANGING) {
        const UINT flags = reinterpret_cast<WINDOWPOS*>(m.lParam)->flags;
        const bool placed = (flags & (SWP_NOMOVE | SWP_NOSIZE)) != (SWP_NOMOVE | SWP_NOSIZE);
        if (IsPageWindow(m.hwnd) && placed) ++watched.pageMoves;
        const bool child = (GetWindowLongA(m.hwnd, GWL_STYLE) & WS_CHILD) != 0;
        if (child && IsPageWindow(GetParent(m.hwnd)) && (placed || !(flags & SWP_NOZORDER)))
            ++watched.childMovesOrRaises;
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

TEST_F(Pointer, PageWindowIsMadeOnceAtTheHostsPlaceAndNeitherItNorAChildIsMovedOnTheWay) {
    watched = {};
    HHOOK creation = SetWindowsHookExA(WH_CBT, WatchCreation, nullptr, GetCurrentThreadId());
    HHOOK placing = SetWindowsHookExA(WH_CALLWNDPROC, WatchPlacing, nullptr, GetCurrentThreadId());
    ModulCreate(120, 70, 310, 480, contract::kWindowsXP, 2, "Alias names", "", contract::kWindowsXPBit, 1);
    UnhookWindowsHookEx(placing);
    UnhookWindowsHookEx(creation);
    ASSERT_EQ(watched.made.size(), 1u);
    EXPECT_EQ(watched.made[0].left, 120);
    EXPECT_EQ(watched.made[0].top, 70);
    EXPECT_EQ(watched.made[0].right, 430);
    EXPECT_EQ(watched.made[0].bottom, 550);
    EXPECT_EQ(watched.pageMoves, 0);
    EXPECT_EQ(watched.childMovesOrRaises, 0);
    RECT r;
    GetWindowRect(Page(), &r);
    EXPECT_EQ(r.left, 120);
    EXPECT_EQ(r.bottom - r.top, 480);
    HWND german = ChildOfClass(Page(), "Edit", 0);
    char text[64] = {};
    GetWindowTextA(german, text, sizeof text);
    EXPECT_TRUE(IsWindowVisible(german));
    EXPECT_EQ(std::string(text).rfind(contract::kHelpGermanLines[0], 0), 0u) << "the German box on top";
}

TEST_F(Pointer, AnEarlyAskedHandleMakesTheWindowWhichTheShowThenUses) {
    auto page = platform::Form::Create<TFormNamtail>();
    auto early = static_cast<HWND>(page->Handle());
    ASSERT_TRUE(IsWindow(early));
    EXPECT_FALSE(IsWindowVisible(early));
    EXPECT_NE(static_cast<HWND>(page->ControlHandle(page->cboAliasNamen())), nullptr);
    page->Show();
    EXPECT_EQ(static_cast<HWND>(page->Handle()), early);
    EXPECT_TRUE(IsWindowVisible(early));
}

// Where a window of the page's styles lands when SetWindowPos is given these values.
RECT ReferencePlacement(HWND like, int left, int top, int width, int height) {
    WNDCLASSA plain{};
    plain.lpfnWndProc = DefWindowProcA;
    plain.hInstance = GetModuleHandleA(nullptr);
    plain.lpszClassName = "NamtailReferenceWindow";
    RegisterClassA(&plain);
    HWND reference =
        CreateWindowExA(static_cast<DWORD>(GetWindowLongA(like, GWL_EXSTYLE)), plain.lpszClassName,
                        "Kurznamen", static_cast<DWORD>(GetWindowLongA(like, GWL_STYLE)), 0, 0, 300, 200,
                        nullptr, nullptr, plain.hInstance, nullptr);
    SetWindowPos(reference, nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
    RECT placed{};
    GetWindowRect(reference, &placed);
    DestroyWindow(reference);
    UnregisterClassA(plain.lpszClassName, plain.hInstance);
    return placed;
}

TEST_F(Pointer, HostGeometryReachesTheSystemUnchangedDownToZeroAndAtTheDefaultMarks) {
    // 0 x 0; CW_USEDEFAULT (INT_MIN) and -32768, which CreateWindowEx would take as "the system
    // chooses". The system may still enforce its own minimum size on a captioned window: the page
    // lands where any window of its styles lands with the same values.
    const int geometries[][4] = {
        {-20, -30, 0, 0}, {INT_MIN, 100, 300, 460}, {-32768, 100, -32768, 460}, {10, -32768, 300, INT_MIN}};
    for (const auto& g : geometries) {
        SCOPED_TRACE(testing::Message() << g[0] << ", " << g[1] << ", " << g[2] << ", " << g[3]);
        ModulCreate(g[0], g[1], g[2], g[3], contract::kWindowsXP, 1, "Kurznamen", nullptr,
                    contract::kWindowsXPBit, 1);
        ASSERT_TRUE(IsWindowVisible(Page())) << "on screen when ModulCreate returns";
        RECT r, expected = ReferencePlacement(Page(), g[0], g[1], g[2], g[3]);
        GetWindowRect(Page(), &r);
        EXPECT_EQ(r.left, expected.left);
        EXPECT_EQ(r.top, expected.top);
        EXPECT_EQ(r.right - r.left, expected.right - expected.left);
        EXPECT_EQ(r.bottom - r.top, expected.bottom - expected.top);
    }
    EXPECT_EQ(ReferencePlacement(Page(), -20, -30, 0, 0).left, -20) << "the reference honours the host";
    char caption[64] = {};
    GetWindowTextA(Page(), caption, sizeof caption);
    EXPECT_STREQ(caption, "Kurznamen");
    SendMessageA(Page(), TipState.HostMessage, 12, 310);
    SendMessageA(Page(), TipState.HostMessage, 10, 0);
    RECT r;
    GetWindowRect(Page(), &r);
    EXPECT_EQ(r.left, 1) << "command 10 takes 0 as 1";
    EXPECT_EQ(r.right - r.left, 310);
}

}  // namespace
}  // namespace page_tests
#endif
