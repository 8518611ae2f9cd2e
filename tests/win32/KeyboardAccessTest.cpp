// Windows only: the page through the keyboard alone, with real key strokes (SendInput), observed
// through the windows: the focus, the checkbox's state, and the OK button's state as a screen reader
// reads it.
#ifdef _WIN32
#include <functional>

#include "support/Contract.h"
#include "win32/NativePageTest.h"

namespace page_tests {
namespace {

using namespace win32_input;

class Keyboard : public NativePageTest {
  protected:
    HWND CheckBox() { return ChildOfClass(Page(), "Button"); }
    // OK is the first push button the screen reader lists.
    bool OkAvailable() {
        AccessibleWindow page(Page());
        auto buttons = page.PushButtons();
        return !buttons.empty() && !(page.State(buttons[0]) & STATE_SYSTEM_UNAVAILABLE);
    }
};

TEST_F(Keyboard, CheckboxHasTheFocusAndSpaceTabAndTheAccessKeyWork) {
    Create(contract::kWindowsXP, contract::kWindowsXPBit, 1);
    Pump();
    ASSERT_NE(CheckBox(), nullptr);
    EXPECT_EQ(GetFocus(), CheckBox()) << "the page's only tab stop has the focus once it shows";

    Press(VK_SPACE);
    EXPECT_TRUE(Ticked(CheckBox()));
    Press(VK_TAB);
    EXPECT_EQ(GetFocus(), CheckBox());
    Press(VK_TAB, {VK_SHIFT});
    EXPECT_EQ(GetFocus(), CheckBox());

    ModulSaveChanges();  // the host applies the page: OK is disabled
    Pump();
    ASSERT_FALSE(OkAvailable()) << "OK is disabled after it was applied";
    Press(contract::kEnglish.accessKey, {VK_MENU});
    EXPECT_FALSE(Ticked(CheckBox())) << "Alt+D toggles like a click";
    EXPECT_TRUE(OkAvailable()) << "and the click handler enabled OK again";
    Press(contract::kGerman.accessKey, {VK_MENU});
    EXPECT_FALSE(Ticked(CheckBox())) << "the German key does nothing on an English page";
    EXPECT_EQ(GetFocus(), CheckBox());
}

TEST_F(Keyboard, GermanPageTakesItsAccessKeyTabAndF12FromTheWindowAndFromTheHelpBox) {
    auto listener = Listener::Make();
    Create(contract::kWindowsXP, contract::kWindowsXPBit, 2);
    Pump();
    HWND help = ChildOfClass(Page(), "Edit", 0);  // the German box, where a click into its text focuses
    for (HWND focus : {Page(), help}) {
        SetFocus(focus);
        Press(contract::kGerman.accessKey, {VK_MENU});
        EXPECT_EQ(Ticked(CheckBox()), focus == Page()) << "Alt+T";
        EXPECT_EQ(GetFocus(), CheckBox()) << "the access key moves the focus to its control";
        Press(contract::kEnglish.accessKey, {VK_MENU});
        EXPECT_EQ(Ticked(CheckBox()), focus == Page());
        SetFocus(focus);
        Press(VK_TAB);
        EXPECT_EQ(GetFocus(), CheckBox()) << "Tab goes to the only tab stop";
        SetFocus(focus);
        Press(VK_F12);
    }
    EXPECT_EQ(listener->received, (std::vector<std::pair<std::int32_t, std::int32_t>>{
                                      {contract::kSwitchWindow, 0}, {contract::kSwitchWindow, 0}}));
}

// The host's window is active, its button focused, the page (docked in that window, or not) left as
// `stage` leaves it; then `show` shows or activates it. The checkbox takes the focus whenever the
// page window becomes active, or a docked page shows while the focus is the page's (in it, or on the
// window it lies in, where Windows may put it as the page hides with it); else the focus stays.
TEST_F(Keyboard, CheckboxTakesTheFocusHoweverThePageIsShownOrActivatedButNeverTheHostsFocus) {
    const struct {
        const char* how;
        bool docked, checkboxFocused;
        std::function<void(HWND page, HWND button)> stage, show;
    } rows[] = {
        {"activated", false, true, nullptr, [](HWND page, HWND) { SetForegroundWindow(page); }},
        {"ShowWindow(SW_SHOW)", false, true, [](HWND page, HWND) { ShowWindow(page, SW_HIDE); },
         [](HWND page, HWND) { ShowWindow(page, SW_SHOW); }},
        {"SetWindowPos(SWP_SHOWWINDOW)", false, true, [](HWND page, HWND) { ShowWindow(page, SW_HIDE); },
         [](HWND page, HWND) {
             SetWindowPos(page, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
         }},
        {"restored", false, true, [](HWND page, HWND) { ShowWindow(page, SW_MINIMIZE); },
         [](HWND page, HWND) { ShowWindow(page, SW_RESTORE); }},
        {"ShowWindow(SW_SHOWNA)", false, false, [](HWND page, HWND) { ShowWindow(page, SW_HIDE); },
         [](HWND page, HWND) { ShowWindow(page, SW_SHOWNA); }},
        {"docked, the host's window focused itself, ShowWindow(SW_SHOW)", true, true,
         [](HWND page, HWND) { ShowWindow(page, SW_HIDE), SetFocus(GetParent(page)); },
         [](HWND page, HWND) { ShowWindow(page, SW_SHOW); }},
        {"docked, the host's button focused, ShowWindow(SW_SHOW)", true, false,
         [](HWND page, HWND button) { ShowWindow(page, SW_HIDE), SetFocus(button); },
         [](HWND page, HWND) { ShowWindow(page, SW_SHOW); }},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.how);
        Create();
        HWND host = CreateWindowExA(0, "STATIC", "host", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 700, 600,
                                    nullptr, nullptr, nullptr, nullptr);
        HWND button = CreateWindowExA(0, "BUTTON", "host's", WS_CHILD | WS_VISIBLE, 0, 0, 80, 24, host,
                                      nullptr, nullptr, nullptr);
        if (row.docked) SetWindowLongPtrA(Page(), GWL_STYLE, GetWindowLongPtrA(Page(), GWL_STYLE) | WS_CHILD);
        if (row.docked) SetParent(Page(), host);
        SetForegroundWindow(host);
        SetFocus(button);
        if (row.stage) row.stage(Page(), button);
        Pump();
        ASSERT_NE(GetFocus(), CheckBox());
        row.show(Page(), button);
        Pump();
        EXPECT_EQ(GetFocus(), row.checkboxFocused ? CheckBox() : button);
        if (!row.checkboxFocused) {
            EXPECT_EQ(GetActiveWindow(), host);
        }
        ModulFree();
        DestroyWindow(host);
    }
}

TEST_F(Keyboard, PageThatDoesNotApplyKeepsTheFocusAndF12StillBroadcasts) {
    auto listener = Listener::Make();
    Create(contract::kWindowsXP, 1, 2);
    Pump();
    EXPECT_EQ(GetFocus(), Page()) << "a disabled checkbox cannot take the focus";
    EXPECT_NE(GetWindowLongW(CheckBox(), GWL_STYLE) & WS_DISABLED, 0) << "disabled as a window too";
    EXPECT_NE(AccessibleWindow(CheckBox()).State(CHILDID_SELF) & STATE_SYSTEM_UNAVAILABLE, 0);
    Press(contract::kGerman.accessKey, {VK_MENU});
    EXPECT_FALSE(Ticked(CheckBox())) << "a disabled checkbox ignores its access key";
    HWND help = ChildOfClass(Page(), "Edit", 0);
    SendMessageA(help, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(4, 4));
    SendMessageA(help, WM_LBUTTONUP, 0, MAKELPARAM(4, 4));
    EXPECT_EQ(GetFocus(), help) << "a click into a help box focuses it";
    Press(VK_TAB);
    EXPECT_EQ(GetFocus(), Page()) << "and Tab takes the focus back to the page window";
    Press(VK_F12);
    EXPECT_EQ(listener->received,
              (std::vector<std::pair<std::int32_t, std::int32_t>>{{contract::kSwitchWindow, 0}}));
    EXPECT_TRUE(IsWindowVisible(Page()));
}

}  // namespace
}  // namespace page_tests
#endif
