// Windows only: a top-level window whose thread stops answering must not hold the OK action.
#ifdef _WIN32
#include <windows.h>

#include "page/PageFixture.h"

namespace page_tests {
namespace {

struct HungWindow {
    HANDLE created = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    HANDLE release = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    HANDLE thread = nullptr;

    static DWORD WINAPI Run(void* self) {
        auto* hung = static_cast<HungWindow*>(self);
        CreateWindowExA(0, "STATIC", "hung", WS_OVERLAPPED, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
        SetEvent(hung->created);
        WaitForSingleObject(hung->release, 20000);  // never pumps its messages meanwhile
        return 0;
    }
    HungWindow() {
        thread = CreateThread(nullptr, 0, Run, this, 0, nullptr);
        WaitForSingleObject(created, 5000);
    }
    ~HungWindow() {
        SetEvent(release);
        WaitForSingleObject(thread, 20000);
        CloseHandle(thread);
        CloseHandle(created);
        CloseHandle(release);
    }
};

TEST_F(PageTest, BroadcastOfOkGivesUpOnAWindowThatDoesNotAnswer) {
    auto& page = Create();
    HungWindow hung;
    auto listener = Listener::Make();  // created after the hung one: reached past it
    ULONGLONG start = GetTickCount64();
    Click(page, "HotSpeedButtonOK");
    ULONGLONG elapsed = GetTickCount64() - start;
    EXPECT_TRUE(TipState.Saved);
    EXPECT_EQ(
        listener->received,
        (std::vector<std::pair<std::int32_t, std::int32_t>>{{contract::kApplied, contract::kAppliedChanges}}))
        << "the broadcast was sent and went on past the hung window";
    EXPECT_LT(elapsed, 8000u) << "the broadcast waits a few seconds per window at most";
}

}  // namespace
}  // namespace page_tests
#endif
