// Windows only: what a screen reader finds through oleacc, and what the page shows to other tools
// that read its windows: the four image buttons as push buttons, both help boxes filled, the
// checkbox in the system's window-text colour, the hand cursor over a button.
#ifdef _WIN32
#include "support/Contract.h"
#include "support/SystemRecorder.h"
#include "win32/NativePageTest.h"

namespace page_tests {
namespace {

using namespace win32_input;

class ScreenReader : public NativePageTest {
  protected:
    // A design rectangle of the client area, on the screen, moved by the window's growth.
    RECT OnScreen(const contract::Placement& p, int dx, int dy) {
        POINT origin{p.left + dx, p.top + dy};
        ClientToScreen(Page(), &origin);
        return {origin.x, origin.y, origin.x + p.width, origin.y + p.height};
    }
    std::pair<int, int> Growth() {
        RECT client;
        GetClientRect(Page(), &client);
        return {client.right - contract::kClientWidth, client.bottom - contract::kClientHeight};
    }
};

TEST_F(ScreenReader, ChildrenAreNamedInTheLanguageAndImageButtonsPlacedOnScreen) {
    for (const auto* texts : {&contract::kEnglish, &contract::kGerman}) {
        const bool english = texts == &contract::kEnglish;
        Create(contract::kWindowsXP, contract::kWindowsXPBit, english ? 1 : 2);
        AccessibleWindow page(Page());
        ASSERT_EQ(page.result, S_OK);
        // The controls with windows of their own come first, each an object of its own, alike as
        // AccessibleChildren lists it, as get_accChild gives it, and as the page tells of it by its id.
        const std::pair<LONG, std::string> windowed[] = {
            {ROLE_SYSTEM_CHECKBUTTON,
             english ? "Don't show (~) in Filename" : "Tilde(~) im Dateinamen nicht anzeigen"},
            {ROLE_SYSTEM_TEXT, "Hilfe"},
            {ROLE_SYSTEM_TEXT, "Help"},
            {ROLE_SYSTEM_STATICTEXT, "Alias names"}};
        VARIANT children[8];
        LONG got = 0;
        ASSERT_EQ(AccessibleChildren(page.object, 0, 8, children, &got), S_OK);
        for (LONG id = 1; id <= 4; ++id) {
            IDispatch* byId = nullptr;
            EXPECT_EQ(page.object->get_accChild(AccessibleWindow::Child(id), &byId), S_OK);
            EXPECT_EQ(AccessibleWindow::Described(byId), windowed[id - 1]) << id;
            EXPECT_EQ(std::make_pair(page.Role(id), page.Name(id)), windowed[id - 1]) << id;
            ASSERT_EQ(children[id - 1].vt, VT_DISPATCH) << id;
            EXPECT_EQ(AccessibleWindow::Described(children[id - 1].pdispVal), windowed[id - 1]) << id;
        }
        EXPECT_EQ(page.State(1) & STATE_SYSTEM_CHECKED, 0);
        SendMessageW(ChildOfClass(Page(), "Button"), BM_CLICK, 0, 0);
        EXPECT_EQ(page.State(1) & STATE_SYSTEM_CHECKED, STATE_SYSTEM_CHECKED) << "ticked";
        auto buttons = page.PushButtons();
        ASSERT_EQ(buttons.size(), 4u) << "OK, Undo, Info and Registry";
        const std::string names[] = {texts->okHint, texts->undoHint, texts->infoHint, texts->registryHint};
        for (std::size_t i = 0; i < 4; ++i) {
            EXPECT_EQ(page.Name(buttons[i]), names[i]);
            EXPECT_EQ(page.DefaultAction(buttons[i]), "Press");
            EXPECT_EQ(page.State(buttons[i]) & STATE_SYSTEM_UNAVAILABLE, 0);
        }
    }

    // Resized by the host: the buttons follow their anchors, and the screen reader follows them.
    SendToWindow(Page(), TipState.HostMessage, 12, 360);
    SendToWindow(Page(), TipState.HostMessage, 13, 520);
    auto [dx, dy] = Growth();
    ASSERT_GT(dx, 0);
    AccessibleWindow page(Page());
    auto buttons = page.PushButtons();
    ASSERT_EQ(buttons.size(), 4u);
    for (std::size_t i = 0; i < 4; ++i) {
        const auto& placement = contract::kPlacements[i];
        RECT expected = OnScreen(placement, i < 2 ? 0 : dx, dy);  // Info and Registry keep to the right
        RECT actual = page.Location(buttons[i]);
        EXPECT_EQ(actual.left, expected.left) << placement.name;
        EXPECT_EQ(actual.top, expected.top) << placement.name;
        EXPECT_EQ(actual.right, expected.right) << placement.name;
        EXPECT_EQ(actual.bottom, expected.bottom) << placement.name;
        EXPECT_EQ(page.HitTest((expected.left + expected.right) / 2, (expected.top + expected.bottom) / 2),
                  buttons[i])
            << placement.name;
    }
    RECT title = OnScreen(contract::kPlacements[4], 0, 0);
    VARIANT heading;
    ASSERT_EQ(page.object->accHitTest(title.left + 2, title.top + 2, &heading), S_OK);
    ASSERT_EQ(heading.vt, VT_DISPATCH) << "the heading, the object AccessibleChildren lists";
    EXPECT_EQ(AccessibleWindow::Described(heading.pdispVal),
              std::make_pair(LONG{ROLE_SYSTEM_STATICTEXT}, std::string("Alias names")));
}

TEST_F(ScreenReader, ObjectNavigationWalksEveryChildInTheOrderAccessibleChildrenLists) {
    Create();
    AccessibleWindow page(Page());
    auto describe = [](VARIANT& v) {  // an object by its window, any other child by its id
        HWND window = nullptr;
        if (v.vt == VT_DISPATCH)
            WindowFromAccessibleObject(reinterpret_cast<IAccessible*>(v.pdispVal), &window);
        auto what = v.vt == VT_I4 ? v.lVal : -reinterpret_cast<std::intptr_t>(window);
        VariantClear(&v);
        return what;
    };
    std::vector<VARIANT> children(8);
    std::vector<std::intptr_t> listed, forward, backward;
    LONG got = 0;
    ASSERT_EQ(AccessibleChildren(page.object, 0, 8, children.data(), &got), S_OK);
    for (auto& child : children) listed.push_back(describe(child));
    // Into the first (last) child, then on to the next (previous) one until nothing is left.
    auto walk = [&](LONG into, LONG onward, LONG id, std::vector<std::intptr_t>& seen) {
        VARIANT at;
        HRESULT result = page.object->accNavigate(into, AccessibleWindow::Child(CHILDID_SELF), &at);
        for (LONG step = onward == NAVDIR_NEXT ? 1 : -1; result == S_OK; id += step) {
            seen.insert(step > 0 ? seen.end() : seen.begin(), describe(at));
            result = page.object->accNavigate(onward, AccessibleWindow::Child(id), &at);
        }
        EXPECT_EQ(result, S_FALSE);
        EXPECT_EQ(at.vt, VT_EMPTY);
    };
    walk(NAVDIR_FIRSTCHILD, NAVDIR_NEXT, 1, forward);
    walk(NAVDIR_LASTCHILD, NAVDIR_PREVIOUS, got, backward);
    EXPECT_EQ(got, 8) << "title, two help boxes, checkbox and the four buttons";
    EXPECT_EQ(forward, listed);
    EXPECT_EQ(backward, listed);
}

TEST_F(ScreenReader, ButtonsOfAPageThatDoesNotApplyAreUnavailableAndDoNothing) {
    Create(contract::kWindowsXP, 1);
    AccessibleWindow page(Page());
    auto buttons = page.PushButtons();
    ASSERT_EQ(buttons.size(), 4u);
    const bool unavailable[] = {true, true, false, false};
    for (std::size_t i = 0; i < 4; ++i)
        EXPECT_EQ((page.State(buttons[i]) & STATE_SYSTEM_UNAVAILABLE) != 0, unavailable[i]) << i;
    page.object->accDoDefaultAction(AccessibleWindow::Child(buttons[0]));
    EXPECT_TRUE(boxes.Shown().empty()) << "a disabled OK asks nothing";
    EXPECT_FALSE(TipState.Saved);
}

TEST_F(ScreenReader, DefaultActionsOfOkAndRegistryRunLikeAClick) {
    auto listener = Listener::Make();
    SystemRecorder system;
    Create();
    AccessibleWindow page(Page());
    auto buttons = page.PushButtons();
    ASSERT_EQ(buttons.size(), 4u);
    EXPECT_EQ(page.object->accDoDefaultAction(AccessibleWindow::Child(buttons[0])), S_OK);
    EXPECT_EQ(boxes.Texts(MessageBoxKind::Confirm), std::vector<std::string>{contract::kRestartQuestion});
    EXPECT_EQ(listener->received, (std::vector<std::pair<std::int32_t, std::int32_t>>{
                                      {contract::kApplied, contract::kAppliedChanges}}));
    EXPECT_NE(page.State(buttons[0]) & STATE_SYSTEM_UNAVAILABLE, 0) << "OK is disabled after it ran";

    EXPECT_EQ(page.object->accDoDefaultAction(AccessibleWindow::Child(buttons[3])), S_OK);
    ASSERT_EQ(system.launchOwners.size(), 1u);
    EXPECT_EQ(system.launchOwners[0], Page());
    EXPECT_EQ(GetValue(RootKey::CurrentUser, contract::kRegeditKey, contract::kLastKey),
              Text(contract::kHelpKeyPath));
}

TEST_F(ScreenReader, ObjectHeldPastModulFreeAnswersNotConnected) {
    Create();
    AccessibleWindow page(Page());
    auto buttons = page.PushButtons();
    ASSERT_EQ(buttons.size(), 4u);
    IDispatch* checkBox = nullptr;  // its own object, held too
    ASSERT_EQ(page.object->get_accChild(AccessibleWindow::Child(1), &checkBox), S_OK);
    ASSERT_EQ(ModulFree(), 1);
    UINT types = 0;
    EXPECT_EQ(checkBox->GetTypeInfoCount(&types), CO_E_OBJNOTCONNECTED);
    checkBox->Release();
    LONG count = 0;
    EXPECT_EQ(page.object->get_accChildCount(&count), CO_E_OBJNOTCONNECTED);
    BSTR name = nullptr;
    EXPECT_EQ(page.object->get_accName(AccessibleWindow::Child(buttons[0]), &name), CO_E_OBJNOTCONNECTED);
    EXPECT_EQ(page.object->accDoDefaultAction(AccessibleWindow::Child(buttons[0])), CO_E_OBJNOTCONNECTED);
    VARIANT hit;
    VariantInit(&hit);
    EXPECT_EQ(page.object->accHitTest(0, 0, &hit), CO_E_OBJNOTCONNECTED);
    EXPECT_TRUE(boxes.Shown().empty());
}

TEST_F(ScreenReader, BothHelpBoxesHoldTheHelpTextsWhetherShownOrNot) {
    Create(contract::kWindowsXP, contract::kWindowsXPBit, 2);
    // Later controls lie above earlier ones: the German box, created last, comes first.
    HWND german = ChildOfClass(Page(), "Edit", 0), english = ChildOfClass(Page(), "Edit", 1);
    ASSERT_TRUE(english && german);
    EXPECT_FALSE(IsWindowVisible(english));
    char text[4096] = {};
    GetWindowTextA(english, text, sizeof text);
    // One line of the box a line of the text, each ended by CR LF.
    auto boxText = [](const std::vector<std::string>& lines) {
        std::string joined;
        for (const auto& line : lines) joined += line + "\r\n";
        return joined;
    };
    EXPECT_EQ(std::string(text), boxText(contract::kHelpEnglishLines));
    GetWindowTextA(german, text, sizeof text);
    EXPECT_EQ(std::string(text), boxText(contract::kHelpGermanLines));
}

TEST_F(ScreenReader, CheckboxTextFollowsTheSystemWindowTextColour) {
    Create();
    HWND checkBox = ChildOfClass(Page(), "Button");
    const COLORREF saved = GetSysColor(COLOR_WINDOWTEXT);
    const INT element = COLOR_WINDOWTEXT;
    const COLORREF darkGreen = RGB(0, 96, 0);  // reads on white and on the help boxes' pale blue
    ASSERT_TRUE(SetSysColors(1, &element, &darkGreen));
    SendMessageW(Page(), WM_SYSCOLORCHANGE, 0, 0);
    HDC dc = CreateCompatibleDC(nullptr);
    SendMessageA(Page(), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(checkBox));
    COLORREF used = GetTextColor(dc);
    SendMessageA(Page(), WM_CTLCOLORBTN, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(checkBox));
    COLORREF usedForButton = GetTextColor(dc);
    DeleteDC(dc);
    SetSysColors(1, &element, &saved);
    SendMessageW(Page(), WM_SYSCOLORCHANGE, 0, 0);
    EXPECT_EQ(used, darkGreen);
    EXPECT_EQ(usedForButton, darkGreen);
}

TEST_F(ScreenReader, HandCursorFromTheFirstSetCursorAndArrowOnceThePointerLeaves) {
    Create();
    Pump();
    RECT ok = OnScreen(contract::kPlacements[0], 0, Growth().second);
    auto askCursor = [&](int x, int y) {
        SetCursorPos(x, y);
        SendMessageA(Page(), WM_SETCURSOR, reinterpret_cast<WPARAM>(Page()),
                     MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
        return GetCursor();
    };
    EXPECT_EQ(askCursor(ok.left + 10, ok.top + 10), LoadCursor(nullptr, IDC_HAND)) << "on the first ask";
    EXPECT_EQ(askCursor(ok.left - 8, ok.top + 10), LoadCursor(nullptr, IDC_ARROW));
}

}  // namespace
}  // namespace page_tests
#endif
