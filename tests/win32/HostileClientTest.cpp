// Windows only: a screen reader that listens for events and one that calls the page's accessible
// object carelessly or at the wrong moment, both in this process through oleacc.
#ifdef _WIN32
#include <string>
#include <vector>

#include "support/Contract.h"
#include "win32/NativePageTest.h"

namespace page_tests {
namespace {

using namespace win32_input;

// What a listening screen reader heard, and what it read from inside each event.
struct Heard {
    DWORD event;
    HWND window;
    LONG child;
    std::string name;
    LONG state;
};
std::vector<Heard> heard;

void CALLBACK Listen(HWINEVENTHOOK, DWORD event, HWND window, LONG object, LONG child, DWORD, DWORD) {
    if (object != OBJID_CLIENT) return;
    Heard h{event, window, child, {}, -1};
    IAccessible* accessible = nullptr;
    VARIANT which;
    VariantInit(&which);
    if (event != EVENT_OBJECT_FOCUS &&
        SUCCEEDED(AccessibleObjectFromEvent(window, object, child, &accessible, &which))) {
        BSTR name = nullptr;
        if (SUCCEEDED(accessible->get_accName(which, &name))) h.name = AccessibleWindow::Narrow(name);
        VARIANT state;
        VariantInit(&state);
        if (SUCCEEDED(accessible->get_accState(which, &state)) && state.vt == VT_I4) h.state = state.lVal;
        accessible->Release();
    }
    heard.push_back(h);
}

class ScreenReaderClient : public NativePageTest {
  protected:
    void SetUp() override {
        NativePageTest::SetUp();
        heard.clear();
        hook = SetWinEventHook(EVENT_OBJECT_FOCUS, EVENT_OBJECT_NAMECHANGE, nullptr, Listen,
                               GetCurrentProcessId(), 0, WINEVENT_OUTOFCONTEXT);
    }
    void TearDown() override {
        UnhookWinEvent(hook);
        NativePageTest::TearDown();
    }
    std::vector<Heard> HeardOf(DWORD event) const {
        std::vector<Heard> found;
        for (const Heard& h : heard)
            if (h.event == event && h.window == Page()) found.push_back(h);
        return found;
    }
    HWINEVENTHOOK hook = nullptr;
};

TEST_F(ScreenReaderClient, HearsNewNamesStatesAndTheFocusAndReadsTheNewValuesFromTheEvent) {
    Create(contract::kWindowsXP, contract::kWindowsXPBit, 2);
    Pump();
    AccessibleWindow page(Page());
    auto buttons = page.PushButtons();
    ASSERT_EQ(buttons.size(), 4u);
    const std::string german[] = {contract::kGerman.okHint, contract::kGerman.undoHint,
                                  contract::kGerman.infoHint, contract::kGerman.registryHint};
    for (std::size_t i = 0; i < 4; ++i) EXPECT_EQ(page.Name(buttons[i]), german[i]) << "as the page appears";
    HWND checkBox = ChildOfClass(Page(), "Button");
    bool focusHeard = false;
    for (const Heard& h : heard) focusHeard |= h.event == EVENT_OBJECT_FOCUS && h.window == checkBox;
    EXPECT_TRUE(focusHeard) << "the checkbox took the focus as the page showed";

    heard.clear();
    // The toolkit announces a hint that changes on screen; the page itself words its buttons before
    // its window is made, so only a second language switch shows it.
    CurrentPage()->Sprache(1);
    Pump();
    const std::string names[] = {contract::kEnglish.okHint, contract::kEnglish.undoHint,
                                 contract::kEnglish.infoHint, contract::kEnglish.registryHint};
    auto renamed = HeardOf(EVENT_OBJECT_NAMECHANGE);
    ASSERT_EQ(renamed.size(), 4u) << "each image button";
    for (std::size_t i = 0; i < 4; ++i) {
        bool found = false;
        for (const Heard& h : renamed) {
            if (h.child != buttons[i]) continue;
            found = true;
            EXPECT_EQ(h.name, names[i]) << "read from inside the event";
        }
        EXPECT_TRUE(found) << names[i];
    }

    heard.clear();
    ModulSaveChanges();  // OK: the restart question is answered No, then OK is disabled
    Pump();
    auto changed = HeardOf(EVENT_OBJECT_STATECHANGE);
    ASSERT_EQ(changed.size(), 1u);
    EXPECT_EQ(changed[0].child, buttons[0]);
    EXPECT_EQ(changed[0].state & STATE_SYSTEM_UNAVAILABLE, STATE_SYSTEM_UNAVAILABLE);
    heard.clear();
    SendMessageW(checkBox, BM_CLICK, 0, 0);  // a change enables OK again
    Pump();
    changed = HeardOf(EVENT_OBJECT_STATECHANGE);
    ASSERT_EQ(changed.size(), 1u);
    EXPECT_EQ(changed[0].child, buttons[0]);
    EXPECT_EQ(changed[0].state & STATE_SYSTEM_UNAVAILABLE, 0);
}

TEST_F(ScreenReaderClient, NullOutPointersAndUnsetOutputsAreAnsweredNotWrittenThrough) {
    Create(contract::kWindowsXP, contract::kWindowsXPBit, 1);
    AccessibleWindow page(Page());
    ASSERT_EQ(page.result, S_OK);
    IAccessible* object = page.object;
    const LONG ok = page.PushButtons()[0];
    VARIANT self = AccessibleWindow::Child(CHILDID_SELF), part = AccessibleWindow::Child(ok);
    BSTR file = nullptr;
    LONG topic = 0, at = 0;
    EXPECT_EQ(object->GetTypeInfoCount(nullptr), E_POINTER);
    EXPECT_EQ(object->get_accChildCount(nullptr), E_POINTER);
    EXPECT_EQ(object->get_accRole(part, nullptr), E_POINTER);
    EXPECT_EQ(object->accLocation(nullptr, &at, &at, &at, part), E_POINTER);
    EXPECT_EQ(object->accLocation(&at, &at, &at, nullptr, part), E_POINTER);
    EXPECT_EQ(object->get_accFocus(nullptr), E_POINTER);
    EXPECT_EQ(object->get_accSelection(nullptr), E_POINTER);
    EXPECT_EQ(object->get_accParent(nullptr), E_POINTER);
    EXPECT_EQ(object->accNavigate(NAVDIR_NEXT, self, nullptr), E_POINTER);
    EXPECT_EQ(object->get_accHelpTopic(nullptr, part, &topic), E_POINTER);
    EXPECT_EQ(object->get_accHelpTopic(&file, part, nullptr), E_POINTER);
    EXPECT_EQ(object->get_accChild(part, nullptr), E_POINTER);
    EXPECT_EQ(object->get_accName(part, nullptr), E_POINTER);
    EXPECT_EQ(object->get_accState(part, nullptr), E_POINTER);
    EXPECT_EQ(object->accHitTest(0, 0, nullptr), E_POINTER);

    // A button has no help topic: both outputs are set to say so.
    file = reinterpret_cast<BSTR>(0x1234);
    topic = 77;
    EXPECT_EQ(object->get_accHelpTopic(&file, part, &topic), S_FALSE);
    EXPECT_EQ(file, nullptr);
    EXPECT_EQ(topic, 0);
    // Navigation past the last button finds nothing and leaves no stale answer behind.
    VARIANT end;
    end.vt = VT_I4;
    end.lVal = 77;
    EXPECT_EQ(object->accNavigate(NAVDIR_NEXT, AccessibleWindow::Child(page.PushButtons().back()), &end),
              S_FALSE);
    EXPECT_EQ(end.vt, VT_EMPTY);
}

TEST_F(ScreenReaderClient, ClosedOrDisabledPageRefusesWhatAClickWouldNotDo) {
    Create(contract::kWindowsXP, contract::kWindowsXPBit, 1);
    AccessibleWindow page(Page());
    auto buttons = page.PushButtons();
    ASSERT_EQ(buttons.size(), 4u);

    // Closed by the user: the buttons are invisible and do nothing.
    SendMessageW(Page(), WM_CLOSE, 0, 0);
    ASSERT_FALSE(IsWindowVisible(Page()));
    for (LONG id : buttons) EXPECT_EQ(page.State(id) & STATE_SYSTEM_INVISIBLE, STATE_SYSTEM_INVISIBLE);
    EXPECT_TRUE(FAILED(page.object->accDoDefaultAction(AccessibleWindow::Child(buttons[1])))) << "Undo";
    EXPECT_EQ(ModulNr(), 2) << "no defaults restored";
    EXPECT_TRUE(FAILED(page.object->accDoDefaultAction(AccessibleWindow::Child(buttons[2])))) << "Info";
    EXPECT_TRUE(boxes.Shown().empty()) << "no ownerless box";

    // Shown again, then disabled under a modal box: every part is unavailable and refuses its action.
    SendMessageW(Page(), TipState.HostMessage, contract::kSwitchWindow, 0);
    ASSERT_TRUE(IsWindowVisible(Page()));
    EnableWindow(Page(), FALSE);
    for (LONG id : buttons) {
        EXPECT_EQ(page.State(id) & STATE_SYSTEM_UNAVAILABLE, STATE_SYSTEM_UNAVAILABLE);
        EXPECT_EQ(page.State(id) & STATE_SYSTEM_INVISIBLE, 0);
    }
    EXPECT_TRUE(FAILED(page.object->accDoDefaultAction(AccessibleWindow::Child(buttons[0])))) << "OK";
    EXPECT_TRUE(boxes.Shown().empty()) << "no restart question";
    EXPECT_FALSE(TipState.Saved);
    EnableWindow(Page(), TRUE);

    // The real case: OK asked from inside the open restart question is refused, not stacked.
    int refusedInside = 0;
    boxes.onShown = [&](const ShownBox&) {
        if (!IsWindowEnabled(Page()) &&
            FAILED(page.object->accDoDefaultAction(AccessibleWindow::Child(buttons[0]))))
            ++refusedInside;
    };
    EXPECT_EQ(page.object->accDoDefaultAction(AccessibleWindow::Child(buttons[0])), S_OK);
    boxes.onShown = nullptr;
    EXPECT_EQ(boxes.Texts(MessageBoxKind::Confirm).size(), 1u) << "one restart question";
    EXPECT_EQ(refusedInside, 1);
}

}  // namespace
}  // namespace page_tests
#endif
