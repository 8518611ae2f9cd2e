// Windows only: a host or a screen reader that lets the page go from inside what the page is doing
// for them, reached through real key strokes and oleacc.
#ifdef _WIN32
#include <climits>

#include "support/Contract.h"
#include "win32/HostCallbackFixture.h"

namespace page_tests {
namespace {

using namespace win32_input;

HWND watchedCheckBox = nullptr;
HHOOK messageHook = nullptr;
int freedFromHook = 0;

// A host's message hook that frees the page when its checkbox is ticked.
LRESULT CALLBACK FreeOnTick(int code, WPARAM wParam, LPARAM lParam) {
    auto* message = reinterpret_cast<CWPSTRUCT*>(lParam);
    if (code == HC_ACTION && message->hwnd == watchedCheckBox && message->message == BM_SETCHECK) {
        watchedCheckBox = nullptr;
        ++freedFromHook;
        EXPECT_EQ(ModulFree(), 1);
    }
    return CallNextHookEx(messageHook, code, wParam, lParam);
}

TEST_F(HostCallback, HostFreesThePageFromInsideTheAccessKeysClick) {
    const int before = TipWindowCount();
    Create(contract::kWindowsXP, contract::kWindowsXPBit, 1);
    watchedCheckBox = ChildOfClass(Page(), "Button");
    ASSERT_NE(watchedCheckBox, nullptr);
    messageHook = SetWindowsHookExA(WH_CALLWNDPROC, FreeOnTick, nullptr, GetCurrentThreadId());
    Press('D', {VK_MENU});
    UnhookWindowsHookEx(messageHook);
    EXPECT_EQ(freedFromHook, 1) << "Alt+D reached the checkbox";
    ExpectNothingLeftAndANewPageWorks(before);
}

TEST_F(HostCallback, ScreenReadersDefaultActionMayEndInTheHostFreeingThePage) {
    auto listener = Listener::Make();
    const int before = TipWindowCount();
    listener->FreeThePageOnApplied();
    Create(contract::kWindowsXP, contract::kWindowsXPBit, 1);
    {
        AccessibleWindow page(Page());
        auto buttons = page.PushButtons();
        ASSERT_EQ(buttons.size(), 4u);
        EXPECT_EQ(page.object->accDoDefaultAction(AccessibleWindow::Child(buttons[0])), S_OK) << "OK";
        EXPECT_EQ(listener->received.size(), 1u);
        BSTR name = nullptr;
        EXPECT_EQ(page.object->get_accName(AccessibleWindow::Child(buttons[0]), &name), CO_E_OBJNOTCONNECTED);
    }
    listener->onNotification = nullptr;
    ExpectNothingLeftAndANewPageWorks(before);

    // Info: the host frees the page while the list of editions is open.
    Create(contract::kWindowsXP, contract::kWindowsXPBit, 1);
    boxes.onShown = [](const ShownBox&) { EXPECT_EQ(ModulFree(), 1); };
    {
        AccessibleWindow page(Page());
        auto buttons = page.PushButtons();
        ASSERT_EQ(buttons.size(), 4u);
        EXPECT_EQ(page.object->accDoDefaultAction(AccessibleWindow::Child(buttons[2])), S_OK) << "Info";
    }
    boxes.onShown = nullptr;
    EXPECT_EQ(boxes.Texts(MessageBoxKind::Plain).size(), 1u);
    ExpectNothingLeftAndANewPageWorks(before);
}

TEST_F(HostCallback, ChildIdsAtTheEndsOfTheRangeAreRefused) {
    Create(contract::kWindowsXP, contract::kWindowsXPBit, 1);
    AccessibleWindow page(Page());
    ASSERT_EQ(page.result, S_OK);
    for (LONG id : {LONG_MIN, LONG_MIN + 1, LONG_MAX, -1L}) {
        SCOPED_TRACE(id);
        BSTR name = nullptr;
        EXPECT_TRUE(FAILED(page.object->get_accName(AccessibleWindow::Child(id), &name)));
        EXPECT_EQ(name, nullptr);
        EXPECT_TRUE(FAILED(page.object->accDoDefaultAction(AccessibleWindow::Child(id))));
    }
    EXPECT_EQ(CurrentPage()->Find<Control>("HotSpeedButtonOK").Enabled(), true) << "nothing was run";
    EXPECT_TRUE(boxes.Shown().empty());
}

}  // namespace
}  // namespace page_tests
#endif
