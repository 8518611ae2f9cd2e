// The page's boundaries: a host that lets the page go from inside any callback the page makes, a
// system that refuses one of its windows, and geometry or commands at the ends of the 32-bit range.
// After each: no fault, ModulFree returns 1, no page window is left, and a new page works.
#include <cstdint>
#include <limits>
#include <vector>

#include "page/PageFixture.h"
#ifndef _WIN32
#include "platform/headless/Headless.h"
#endif

namespace page_tests {
namespace {

constexpr std::int32_t kMin = std::numeric_limits<std::int32_t>::min();
constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();

class Door : public PageTest {};

TEST_F(Door, RefusedWindowOrChildLeavesNoHalfMadePage) {
    const int before = TipWindowCount();
    for (Refusal refused : {Refusal::Edit, Refusal::CheckBox, Refusal::Static, Refusal::PageWindow}) {
        SCOPED_TRACE(static_cast<int>(refused));
        RefuseWindows(refused);
        int result = ModulCreate(10, 10, 300, 460, kWindowsXP, 1, "x", "y", kWindowsXPBit, 1);
        RefuseWindows(Refusal::None);
        EXPECT_EQ(result, 0);
        EXPECT_EQ(CurrentPage(), nullptr) << "no page without all of its windows";
        EXPECT_EQ(TipWindowCount(), before) << "and nothing of it left";
        EXPECT_EQ(ModulSaveChanges(), 1);
        ExpectNothingLeftAndANewPageWorks(before);
    }
    // Hints are not worth a page: without its tooltip the page is made and works.
    RefuseWindows(Refusal::Tooltip);
    ModulCreate(10, 10, 300, 460, kWindowsXP, 1, "x", "y", kWindowsXPBit, 1);
    RefuseWindows(Refusal::None);
    ASSERT_NE(CurrentPage(), nullptr);
    EXPECT_EQ(CurrentPage()->Find<Control>("HotSpeedButtonOK").Hint(), "Changes will be saved immediately");
    ExpectNothingLeftAndANewPageWorks(before);
    EXPECT_TRUE(boxes.Texts(MessageBoxKind::Error).empty()) << "a refusal is no error to show";
}

TEST_F(Door, HostFreesThePageFromTheActivationOfItsFirstShow) {
    const int before = TipWindowCount();
    for (ShowCallback callback :
         {ShowCallback::Deactivated, ShowCallback::LostFocus, ShowCallback::CbtActivate}) {
        SCOPED_TRACE(static_cast<int>(callback));
        HostCalledAtShow host(callback, [] { EXPECT_EQ(ModulFree(), 1); });
        EXPECT_EQ(ModulCreate(10, 10, 300, 460, kWindowsXP, 2, "x", "y", kWindowsXPBit, 1), 0);
        EXPECT_TRUE(host.Called());
        EXPECT_EQ(CurrentPage(), nullptr);
        EXPECT_EQ(TipWindowCount(), before);
        ExpectNothingLeftAndANewPageWorks(before);
    }
    // A host that makes a new page from there gets that one, shown in its language.
    {
        HostCalledAtShow host(ShowCallback::Deactivated, [] {
            ModulCreate(20, 20, 300, 460, kWindowsXP, 1, "second", "y", kWindowsXPBit, 1);
        });
        ModulCreate(10, 10, 300, 460, kWindowsXP, 2, "first", "y", kWindowsXPBit, 1);
        ASSERT_TRUE(host.Called());
    }
    ASSERT_NE(CurrentPage(), nullptr);
    EXPECT_EQ(CurrentPage()->Caption(), "second");
    EXPECT_TRUE(CurrentPage()->Visible());
    EXPECT_TRUE(CurrentPage()->Find<Memo>("MemoHelpUS").Visible()) << "English, as the second create asked";
    EXPECT_EQ(TipWindowCount(), before + 1);
    ExpectNothingLeftAndANewPageWorks(before);
}

TEST_F(Door, HostFreesThePageFromItsNotificationAndFromItsOpenMessageBox) {
    auto listener = Listener::Make();
    const int before = TipWindowCount();
    listener->FreeThePageOnApplied();
    Click(Create(), "HotSpeedButtonOK");
    EXPECT_EQ(listener->received.size(), 1u);
    EXPECT_EQ(CurrentPage(), nullptr);
    EXPECT_EQ(TipWindowCount(), before);
    listener->onNotification = nullptr;
    ExpectNothingLeftAndANewPageWorks(before);

    // The Info list and the restart question, each freed while it is open.
    for (const char* button : {"HotSpeedButtonInfo", "HotSpeedButtonOK"}) {
        SCOPED_TRACE(button);
        boxes.Clear();
        boxes.onShown = [](const ShownBox&) { EXPECT_EQ(ModulFree(), 1); };
        Click(Create(), button);
        boxes.onShown = nullptr;
        EXPECT_EQ(boxes.Shown().size(), 1u);
        EXPECT_EQ(CurrentPage(), nullptr);
        EXPECT_EQ(TipWindowCount(), before);
        ExpectNothingLeftAndANewPageWorks(before);
    }
}

// On a dense screen the creation handler warns in a box before the page exists for the host; a host
// that frees or makes a page from inside that box has the last word.
TEST_F(Door, HostCallsFromTheBoxOfTheCreationHandlerOvertakeTheCreation) {
    if (UseScreenDensity(120) != 120) GTEST_SKIP() << "the system's density is fixed for this process";
    const int before = TipWindowCount();
    bool inside = false;
    boxes.onShown = [&](const ShownBox& box) {
        if (box.text != contract::kBig || inside) return;
        inside = true;
        EXPECT_EQ(ModulFree(), 1);
    };
    ModulCreate(10, 10, 300, 460, kWindowsXP, 1, "freed", "y", kWindowsXPBit, 1);
    EXPECT_TRUE(inside);
    EXPECT_EQ(CurrentPage(), nullptr) << "freed while it was being made";
    EXPECT_EQ(TipWindowCount(), before);

    inside = false;
    boxes.onShown = [&](const ShownBox& box) {
        if (box.text != contract::kBig || inside) return;
        inside = true;
        ModulCreate(20, 20, 300, 460, kWindowsXP, 1, "inner", "y", kWindowsXPBit, 1);
    };
    ModulCreate(10, 10, 300, 460, kWindowsXP, 1, "outer", "y", kWindowsXPBit, 1);
    boxes.onShown = nullptr;
    ASSERT_NE(CurrentPage(), nullptr);
    EXPECT_EQ(CurrentPage()->Caption(), "inner");
    EXPECT_EQ(TipWindowCount(), before + 1) << "the overtaken page went";
    UseScreenDensity(96);
    ExpectNothingLeftAndANewPageWorks(before);
}

TEST_F(Door, GeometryAndCommandsAtTheEndsOfTheRangeAreKeptWithoutOverflow) {
    const int before = TipWindowCount();
    for (std::int32_t v : {kMin, kMax, -1, 70000}) {
        SCOPED_TRACE(v);
        ModulCreate(v, v, v, v, kWindowsXP, 1, "x", "y", kWindowsXPBit, 1);
        TFormNamtail* page = CurrentPage();
        ASSERT_NE(page, nullptr);
        EXPECT_EQ(page->Width(), v) << "the host's values, unchanged";
        EXPECT_EQ(page->Height(), v);
        EXPECT_GE(page->ClientSize().width, 0);
        EXPECT_GE(page->ClientSize().height, 0);
        for (std::int32_t argument : {kMin, kMax, -1, 70000, 0}) {
            for (std::uint32_t code : {10u, 11u, 12u, 13u})
                SendToWindow(page->Handle(), TipState.HostMessage, code,
                             static_cast<std::intptr_t>(static_cast<std::uint32_t>(argument)));
        }
        EXPECT_EQ(page->Width(), 0) << "the last width sent";
        EXPECT_EQ(page->Left(), 1) << "0 counts as 1";
        page->Input().MouseMove(kMax, kMin);
        page->Input().ClickControl(page->cboAliasNamen());
        EXPECT_EQ(ModulFree(), 1);
    }
    std::size_t rangeErrors = 0;
    for (const auto& text : boxes.Texts(MessageBoxKind::Error)) rangeErrors += text == "Range check error";
    EXPECT_EQ(rangeErrors, 4u * 2 * 4) << "each negative argument of each command, for each page";
    ExpectNothingLeftAndANewPageWorks(before);
}

#ifndef _WIN32
// The door's thread ended, staged: thread 7 makes the page and ends. Each row's first caller's call
// cannot be carried; meanwhile another thread calls (`inside`: during the carry, or as the ended
// thread's windows are forgotten). Its pages are let go once, by one caller, and nothing of the old
// thread's is taken for a thread that runs. The system ends a thread in two steps, its windows
// first and its handle's signal later; a caller may come in between (`twoStep`).
TEST_F(Door, AnEndedPageThreadIsLetGoOnceWhoeverCallsAndWhateverItsNumber) {
    auto& threads = platform::headless::Threads();
    enum Inside { Nothing, Carry, Forget };
    const struct {
        const char* name;
        std::uintptr_t caller;  // number of the first caller; its hold is 71
        Inside inside;
        int secondGot;  // ModulCreate from thread 9 (hold 91): its page made (1) or not (0)
        bool twoStep;   // thread 7's windows are gone, its handle signalled as the first caller waits
    } rows[] = {{"a new thread with the ended thread's number", 7, Nothing, -1, false},
                {"another thread calls while the first lets the pages go", 8, Forget, 0, false},
                {"another thread takes the door first", 8, Carry, 1, false},
                {"a caller finds its windows gone, its handle not yet signalled", 8, Nothing, -1, true},
                {"as another thread calls while the first lets the pages go", 8, Forget, 0, true}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        threads = {};
        threads.caller = 7, threads.callerHold = 70;
        Create();
        const int pagesOfThread7 = TipWindowCount();
        threads.windowsGone = {70};
        if (row.twoStep)
            threads.onAwait = [&] { threads.ended = {70}; };
        else
            threads.ended = {70};
        int secondGot = -1;
        auto second = [&] {
            if (secondGot != -1) return;  // once
            secondGot = 0;
            const auto first = threads.caller;
            threads.caller = 9, threads.callerHold = 91;
            ModulCreate(5, 5, 300, 460, kWindowsXP, 1, "second", "y", kWindowsXPBit, 1);
            secondGot = CurrentPage() && CurrentPage()->Caption() == "second";
            if (secondGot) ModulFree();
            threads.caller = first, threads.callerHold = 71;
        };
        if (row.inside == Carry) threads.carry = [&](void (*)(void*), void*) { return second(), false; };
        if (row.inside == Forget) threads.onForget = second;
        threads.caller = row.caller, threads.callerHold = 71;
        EXPECT_EQ(ModulFree(), 1);
        EXPECT_EQ(threads.forgotten, 1) << "the ended thread's pages let go once";
        EXPECT_EQ(secondGot, row.secondGot);
        EXPECT_EQ(CurrentPage(), nullptr);
        EXPECT_EQ(TipWindowCount(), pagesOfThread7 - 1);
        EXPECT_TRUE(threads.held.empty()) << "every hold let go with its door";
        threads.carry = nullptr, threads.onForget = nullptr;
        ExpectNothingLeftAndANewPageWorks(pagesOfThread7 - 1);
    }

    // Its handle never signalled while a caller waits: nothing of its page goes and no answer says
    // so (ModulFree, ModulSaveChanges, ModulCreate, pages let go); once it ended, it went unsaved.
    threads = {};
    threads.caller = 7, threads.callerHold = 70;
    const int pages = TipWindowCount();
    Create();
    threads.windowsGone = {70};
    threads.caller = 8, threads.callerHold = 81;
    EXPECT_EQ((std::vector<int>{ModulFree(), ModulSaveChanges(),
                                ModulCreate(5, 5, 300, 460, kWindowsXP, 1, "second", "y", kWindowsXPBit, 1) +
                                    TipWindowCount() - pages,
                                threads.forgotten}),
              (std::vector<int>{0, 0, 1, 0}));  // thread 7's page alone
    threads.ended = {70};
    EXPECT_EQ((std::vector<int>{ModulSaveChanges(), ModulFree(), threads.forgotten}),
              (std::vector<int>{0, 1, 1}));
    ExpectNothingLeftAndANewPageWorks(pages);
    threads = {};
}
#endif

}  // namespace
}  // namespace page_tests
