// Windows only: the page through the keyboard alone, with real key strokes (SendInput), observed
// through the windows: the focus, the checkbox's state, and the OK button's state as a screen reader
// reads it.
#ifdef _WIN32
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

// The host's window active, its button focused (its window itself, `onHost`); the page, docked in it
// or not, `staged` by ShowWindow (-1: left shown); then `shown` by ShowWindow (0: activated, -1:
// SetWindowPos with SWP_SHOWWINDOW). The checkbox takes the focus whenever the page window becomes
// active, and as a docked page shows while the focus is the page's; else the host keeps its own.
TEST_F(Keyboard, CheckboxTakesTheFocusHoweverThePageIsShownOrActivatedButNeverTheHostsFocus) {
    const struct {
        bool docked, onHost;
        int staged, shown;
        bool checkbox;
    } rows[] = {{false, false, -1, 0, true},
                {false, false, SW_HIDE, SW_SHOW, true},
                {false, false, SW_HIDE, -1, true},
                {false, false, SW_MINIMIZE, SW_RESTORE, true},
                {false, false, SW_HIDE, SW_SHOWNA, false},
                {true, true, SW_HIDE, SW_SHOW, true},
                {true, false, SW_HIDE, SW_SHOW, false}};
    for (const auto& row : rows) {
        SCOPED_TRACE(&row - rows);
        Create();
        HWND host = CreateWindowExA(0, "STATIC", "host", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 700, 600,
                                    nullptr, nullptr, nullptr, nullptr);
        HWND button = CreateWindowExA(0, "BUTTON", "", WS_CHILD | WS_VISIBLE, 0, 0, 80, 24, host, 0, 0, 0);
        if (row.docked) SetWindowLongPtrA(Page(), GWL_STYLE, GetWindowLongPtrA(Page(), GWL_STYLE) | WS_CHILD);
        if (row.docked) SetParent(Page(), host);
        SetForegroundWindow(host);
        SetFocus(button);
        if (row.staged >= 0) ShowWindow(Page(), row.staged);
        if (row.onHost) SetFocus(host);
        Pump();
        if (row.shown > 0) ShowWindow(Page(), row.shown);
        if (row.shown < 0) SetWindowPos(Page(), 0, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
        if (row.shown == 0) SetForegroundWindow(Page());
        Pump();
        EXPECT_EQ(GetFocus(), row.checkbox ? CheckBox() : button);
        EXPECT_EQ(GetActiveWindow(), row.checkbox && !row.docked ? Page() : host);
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
