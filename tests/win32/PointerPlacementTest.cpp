// Windows only: the page window's place and order through real window messages and the host's
// commands, observed through the window: where the system put it and which window is in front.
#ifdef _WIN32
#include <climits>

#include "support/Contract.h"
#include "win32/PointerFixture.h"

namespace page_tests {
namespace {

using namespace win32_input;

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
    // Hidden by the host, it shows again as well, its show handler run again: the heading and the
    // help filled anew, whatever the host wrote into them meanwhile.
    ShowWindow(Page(), SW_HIDE);
    HWND heading = ChildOfClass(Page(), "Static"), help = ChildOfClass(Page(), "Edit", 1);
    SetWindowTextA(heading, "the host's own");
    SetWindowTextA(help, "stale");
    SendMessageA(Page(), TipState.HostMessage, contract::kSwitchWindow, 0);
    EXPECT_TRUE(IsWindowVisible(Page()));
    char text[512] = {};
    GetWindowTextA(heading, text, sizeof text);
    EXPECT_STREQ(text, "Alias names");
    GetWindowTextA(help, text, sizeof text);
    EXPECT_EQ(std::string(text).rfind(contract::kHelpEnglishLines[0], 0), 0u);
    // Minimized, it is restored: in front as an icon, nobody could use it.
    ShowWindow(Page(), SW_MINIMIZE);
    SendMessageA(Page(), TipState.HostMessage, contract::kSwitchWindow, 0);
    EXPECT_FALSE(IsIconic(Page()));
    EXPECT_EQ(GetForegroundWindow(), Page());
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
    // A CBT hook sees the window made at the host's values, 0 for each of those marks.
    const int geometries[][4] = {
        {-20, -30, 0, 0}, {INT_MIN, 100, 300, 460}, {-32768, 100, -32768, 460}, {10, -32768, 300, INT_MIN}};
    const RECT hooked[] = {{-20, -30, -20, -30}, {0, 100, 300, 560}, {0, 100, 0, 560}, {10, 0, 310, 0}};
    for (const auto& g : geometries) {
        SCOPED_TRACE(testing::Message() << g[0] << ", " << g[1] << ", " << g[2] << ", " << g[3]);
        watched = {};
        HHOOK creation = SetWindowsHookExA(WH_CBT, WatchCreation, nullptr, GetCurrentThreadId());
        ModulCreate(g[0], g[1], g[2], g[3], contract::kWindowsXP, 1, "Kurznamen", nullptr,
                    contract::kWindowsXPBit, 1);
        UnhookWindowsHookEx(creation);
        ASSERT_EQ(watched.made.size(), 1u);
        EXPECT_TRUE(EqualRect(&watched.made[0], &hooked[&g - geometries]));
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

// A host docks the page in a window of its own as the system's documentation says (WS_CHILD set,
// then SetParent), or undocks it (WS_CHILD cleared, parent null).
void Dock(HWND page, HWND host, LONG_PTR clear = 0, LONG_PTR set = WS_CHILD) {
    SetWindowLongPtrA(page, GWL_STYLE, (GetWindowLongPtrA(page, GWL_STYLE) & ~clear) | set);
    SetParent(page, host);
}
HWND HostWindow() {
    return CreateWindowExA(0, "STATIC", "host", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 150, 120, 700, 600, nullptr,
                           nullptr, nullptr, nullptr);
}

// The help box's distance to the right edge of the page's client area: kept by a page laid out.
int HelpBoxRightMargin(HWND page) {
    RECT client, box;
    GetClientRect(page, &client);
    GetWindowRect(ChildOfClass(page, "Edit"), &box);
    MapWindowPoints(nullptr, page, reinterpret_cast<POINT*>(&box), 2);
    return client.right - box.right;
}

// What a host does to the page window, then its commands (code and argument; -1: the host's window
// repaints; an argument of kZoomedWidth: the maximized window's width), and where the window is:
// left, top, width, height in the host's client area when docked, else on the screen. Undocked, the
// window keeps its numbers, now on the screen. Minimized, the commands say where it is restored to;
// maximized, shown or hidden, they restore it there, whatever their value; hidden, they place it at
// once. Docked in a hidden panel, a minimized page stays shown. The host's active window stays so.
TEST_F(Pointer, CommandsChangeOneEdgeOrSizeOfTheWindowAsTheHostLeftItDockedOrNot) {
    enum Action { Minimize, Maximize, MaxHide, Hide, Resize, DockIt, Reparent, Undock, GoOn, Panel };
    constexpr int kZoomedWidth = -2;
    const struct {
        Action action;
        bool docked;
        std::vector<int> commands, expected;
    } rows[] = {{Minimize, false, {10, 150, 12, 330}, {150, 50, 330, 460}},
                {Maximize, false, {12, 330}, {100, 50, 330, 460}},
                {Maximize, false, {12, kZoomedWidth}, {100, 50, kZoomedWidth, 460}},
                {MaxHide, false, {12, 330, 200, 0}, {100, 50, 330, 460}},
                {Hide, false, {12, 490}, {100, 50, 490, 460}},
                {Resize, false, {10, 60}, {60, 50, 350, 500}},
                {DockIt, true, {10, 30, 11, 20, -1, 0, 12, 280}, {30, 20, 280, 460}},
                {Reparent, true, {10, 30, 11, 20, -1, 0, 13, 400}, {30, 20, 300, 400}},
                {Undock, false, {10, 70}, {70, 20, 300, 460}},
                {GoOn, false, {11, 90}, {70, 90, 300, 460}},
                {Panel, true, {10, 30}, {30, 50, 300, 460}}};
    HWND host = HostWindow();
    HWND panel = CreateWindowExA(0, "STATIC", "", WS_CHILD, 0, 0, 650, 550, host, nullptr, nullptr, nullptr);
    for (const auto& row : rows) {
        if (row.action != GoOn) Create();
        const int margin = HelpBoxRightMargin(Page());
        if (row.action == Panel) Dock(Page(), panel), ShowWindow(Page(), SW_MINIMIZE);
        if (row.action == Minimize) ShowWindow(Page(), SW_MINIMIZE);
        if (row.action == Maximize || row.action == MaxHide) ShowWindow(Page(), SW_MAXIMIZE);
        if (row.action == Hide || row.action == MaxHide) ShowWindow(Page(), SW_HIDE);
        if (row.action == Resize) SetWindowPos(Page(), nullptr, 0, 0, 350, 500, SWP_NOMOVE | SWP_NOZORDER);
        if (row.action == DockIt || row.action == Undock) Dock(Page(), host);
        if (row.action == Reparent) SetParent(Page(), host);
        if (row.action == Undock)
            SendMessageA(Page(), TipState.HostMessage, 11, 20), Dock(Page(), nullptr, WS_CHILD, 0);
        RECT r;
        GetWindowRect(Page(), &r);
        const int zoomedWidth = r.right - r.left;
        SetForegroundWindow(host);
        for (std::size_t i = 0; i < row.commands.size(); i += 2)
            if (row.commands[i] < 0)
                RedrawWindow(host, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
            else
                SendMessageA(Page(), TipState.HostMessage, row.commands[i],
                             row.commands[i + 1] == kZoomedWidth ? zoomedWidth : row.commands[i + 1]);
        EXPECT_EQ(GetActiveWindow(), row.action == MaxHide ? Page() : host) << "activated by 200 alone";
        if (row.action == Panel) {
            ShowWindow(panel, SW_SHOW);
            EXPECT_TRUE(IsWindowVisible(Page())) << "shown as it was, in the panel shown again";
        }
        if (row.action == Minimize || row.action == Panel) {
            EXPECT_TRUE(IsIconic(Page())) << "still minimized";
            EXPECT_EQ(CurrentPage()->Left(), row.expected[0]) << "its place is where it is restored to";
            ShowWindow(Page(), SW_RESTORE);
        }
        if (row.action == Maximize || row.action == MaxHide) {
            EXPECT_FALSE(IsZoomed(Page())) << "restored where the command put it";
        }
        GetWindowRect(Page(), &r);
        MapWindowPoints(nullptr, row.docked ? host : nullptr, reinterpret_cast<POINT*>(&r), 2);
        std::vector<int> expected = row.expected;
        if (expected[2] == kZoomedWidth) expected[2] = zoomedWidth;
        EXPECT_EQ((std::vector<int>{r.left, r.top, r.right - r.left, r.bottom - r.top}), expected)
            << &row - rows;
        if (row.action == Minimize) {
            EXPECT_EQ(HelpBoxRightMargin(Page()), margin) << "laid out for its width";
        }
    }
    DestroyWindow(host);
}

// Docked, the page takes keys, applies and goes whole, its tooltip window too.
TEST_F(Pointer, DockedPageTakesKeysAppliesAndFreesWholeWithItsTooltip) {
    HWND host = HostWindow();
    Create();
    HWND tooltip = Tooltip(), checkBox = ChildOfClass(Page(), "Button");
    Dock(Page(), host);
    SendMessageA(Page(), TipState.HostMessage, contract::kSwitchWindow, 0);
    Press(VK_SPACE);
    EXPECT_TRUE(Ticked(checkBox));
    EXPECT_EQ(ModulSaveChanges(), 1);
    EXPECT_EQ(Tail().value_or(StoredValue{}).data, std::vector<std::uint8_t>{0});
    EXPECT_EQ(ModulFree(), 1);
    EXPECT_TRUE(tooltip && !IsWindow(tooltip)) << "no tooltip window outlives the page";
    DestroyWindow(host);
}

}  // namespace
}  // namespace page_tests
#endif
