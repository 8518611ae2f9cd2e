// Windows only: a host or a screen reader that calls the page from a thread of its own, or makes a
// page from inside the making of another, while the page's thread handles its messages.
#ifdef _WIN32
#include <cstdint>
#include <functional>
#include <set>
#include <string>
#include <vector>

#include "platform/Registry.h"
#include "support/Contract.h"
#include "win32/HostCallbackFixture.h"

namespace page_tests {
namespace {

using namespace win32_input;

// Runs each of `works` on a thread of its own while this one, the page's, handles its messages. With
// `busy`, this thread first runs that instead, while the workers' calls wait for it.
DWORD WINAPI RunWork(void* work) {
    (*static_cast<std::function<void()>*>(work))();
    return 0;
}
void OnWorkersWhilePumping(std::vector<std::function<void()>> works, std::function<void()> busy = nullptr) {
    std::vector<HANDLE> workers;
    for (auto& work : works) workers.push_back(CreateThread(nullptr, 0, RunWork, &work, 0, nullptr));
    if (busy) busy();
    for (HANDLE worker : workers) {
        ASSERT_NE(worker, nullptr);
        while (MsgWaitForMultipleObjects(1, &worker, FALSE, 20000, QS_ALLINPUT) == WAIT_OBJECT_0 + 1) {
            MSG msg;
            while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
        }
        CloseHandle(worker);
    }
}
void OnWorkerWhilePumping(std::function<void()> work) {
    OnWorkersWhilePumping({std::move(work)});
}

// A host's hook that refuses to let one window be destroyed.
HWND undestroyable = nullptr;
LRESULT CALLBACK RefuseDestruction(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_DESTROYWND && reinterpret_cast<HWND>(wParam) == undestroyable) return 1;
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

// Whether a repaint of the page draws its English help box with text: pixels inside its border of
// another colour than its background.
bool EnglishHelpDrawn(HWND page) {
    HWND help = ChildOfClass(page, "Edit", 1);
    RedrawWindow(page, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    RECT box;
    GetClientRect(help, &box);
    HDC dc = GetDC(help);
    std::set<COLORREF> colours;
    for (int y = 4; y < box.bottom - 4; y += 2)
        for (int x = 4; x < box.right - 4; x += 2) colours.insert(GetPixel(dc, x, y));
    ReleaseDC(help, dc);
    return colours.size() > 1;
}

// A host's own window on the calling thread that, told OK was applied, runs `onApplied`.
std::function<void()> onApplied;
LRESULT CALLBACK HostOnApplied(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == RegisterWindowMessageA("Quandeo") && wParam == contract::kApplied && onApplied) onApplied();
    return DefWindowProcA(hwnd, msg, wParam, lParam);
}
HWND MakeHostWindow() {
    WNDCLASSA wc{};
    wc.lpfnWndProc = HostOnApplied;
    wc.lpszClassName = "NamtailTestHostOnApplied";
    RegisterClassA(&wc);  // once for the process
    return CreateWindowExA(0, wc.lpszClassName, "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
}

// The value the system gives the next handle: it moves up while a handle is left open.
std::uintptr_t LowestFreeHandle() {
    HANDLE made = nullptr;
    DuplicateHandle(GetCurrentProcess(), GetCurrentProcess(), GetCurrentProcess(), &made, 0, FALSE,
                    DUPLICATE_SAME_ACCESS);
    CloseHandle(made);
    return reinterpret_cast<std::uintptr_t>(made);
}

// A host's hook that makes a page "inner" once, when `hookedMessage` reaches a page window
// (`hookedPage`, or any).
HWND hookedPage = nullptr;
UINT hookedMessage = 0;
LRESULT CALLBACK CreateFromHook(int code, WPARAM wParam, LPARAM lParam) {
    auto* message = reinterpret_cast<CWPSTRUCT*>(lParam);
    char cls[32] = {};
    if (code == HC_ACTION && hookedMessage && message->message == hookedMessage &&
        (!hookedPage || message->hwnd == hookedPage) && GetClassNameA(message->hwnd, cls, sizeof cls) &&
        std::string(cls) == "NamtailTipWindow") {
        hookedMessage = 0;
        ModulCreate(20, 20, 300, 460, kWindowsXP, 1, "inner", "y", kWindowsXPBit, 1);
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

// Host sequences across threads and nested calls. Each ends with one page, made and destroyed on
// this thread, and nothing waiting on itself.
TEST_F(HostCallback, ExportsFromWorkersAndNestedCreationsKeepOnePageOnItsThread) {
    const int before = TipWindowCount();
    std::vector<int> results;
    const auto outer = [] { ModulCreate(10, 10, 300, 460, kWindowsXP, 1, "outer", "y", kWindowsXPBit, 1); };
    struct Outcome {
        std::vector<int> results;  // what the worker got, and how many page windows it was left with
        int pagesAfter;
        const char* current;
    };
    struct Sequence {
        const char* name;
        Outcome expected;
        std::function<bool()> run;  // false: the sequence could not be staged
    };
    const Sequence sequences[] = {
        {"a worker's calls are carried to this thread",
         {{2, 0, 1, 1}, 0, nullptr},
         [&] {
             outer();
             OnWorkerWhilePumping([&] {
                 results = {ModulNr(), ModulChanged(), ModulSaveChanges(), ModulFree()};
             });
             EXPECT_EQ(boxes.Texts(MessageBoxKind::Confirm).size(), 1u)
                 << "the restart question, on this thread";
             return true;
         }},
        {"the worker's window asks again while its OK is carried",
         {{1}, 0, nullptr},
         [&] {
             outer();
             std::vector<int> asked;
             onApplied = [&] { asked = {ModulChanged(), ModulNr()}; };
             OnWorkerWhilePumping([&] {
                 HWND host = MakeHostWindow();
                 results = {ModulSaveChanges()};
                 DestroyWindow(host);
             });
             onApplied = nullptr;
             EXPECT_EQ(asked, (std::vector<int>{0, 2})) << "answered, not waiting on itself";
             return ModulFree() == 1;
         }},
        {"this thread's window frees the page from the OK of a worker's carried ModulSaveChanges",
         {{1, 1}, 0, nullptr},
         [&] {
             outer();
             HWND host = MakeHostWindow();
             onApplied = [&] { results.push_back(ModulFree()); };  // a call of this thread's own
             OnWorkerWhilePumping([&] { results.push_back(ModulSaveChanges()); });
             onApplied = nullptr;
             return DestroyWindow(host);
         }},
        {"the door lets go of its hold on a page's thread each time the last page goes",
         {{0}, 0, nullptr},
         [&] {
             outer(), ModulFree();  // what the first page keeps for the load is taken
             const std::uintptr_t next = LowestFreeHandle();
             for (int i = 0; i < 3; ++i) outer(), ModulFree();
             results = {static_cast<int>(LowestFreeHandle() - next)};
             return true;
         }},
        {"a thread given the number of an accessible object's ended maker is not taken for it",
         {{0}, 0, nullptr},
         [&] {
             IAccessible* object = nullptr;
             DWORD maker = 0;
             OnWorkerWhilePumping([&] {  // it makes a page, hands out its object, frees it and ends
                 CoInitialize(nullptr);
                 maker = GetCurrentThreadId();
                 outer();
                 AccessibleWindow client(Page());
                 if ((object = client.object)) object->AddRef();
                 ModulFree();
                 CoUninitialize();
             });
             if (!object) return false;
             // The system hands an ended thread's number to a new thread once nothing holds the old
             // one; Wine 8 after some 300 others.
             HRESULT answer = E_FAIL;
             for (int i = 0; i < 1000 && answer == E_FAIL; ++i)
                 OnWorkerWhilePumping([&] {
                     LONG count = 0;
                     if (GetCurrentThreadId() == maker) answer = object->get_accChildCount(&count);
                 });
             results = {answer != E_FAIL && answer != RPC_E_WRONG_THREAD};
             object->Release();
             return true;
         }},
        {"a worker calls while the first page window is not made yet",
         {{0, 0, 0, 0}, 1, "outer"},
         [&] {
             // A BSControl the page cannot read: its creation handler reports it in a box.
             platform::Registry settings(platform::RootKey::CurrentUser);
             settings.OpenKey(contract::kSuiteKey, true);
             settings.WriteString("BSControl", "0");
             boxes.onShown = [&](const ShownBox&) {
                 boxes.onShown = nullptr;
                 OnWorkerWhilePumping([&] {
                     results = {ModulCreate(0, 0, 300, 460, kWindowsXP, 1, "worker", "y", kWindowsXPBit, 1),
                                ModulFree(), ModulSaveChanges(), TipWindowCount()};
                 });
             };
             outer();
             return settings.DeleteValue("BSControl");
         }},
        {"a hook makes a page as the page window is made",
         {{1, 0}, 0, nullptr},
         [&] {
             hookedPage = nullptr, hookedMessage = WM_NCCREATE;
             HHOOK hook = SetWindowsHookExA(WH_CALLWNDPROC, CreateFromHook, nullptr, GetCurrentThreadId());
             outer();
             UnhookWindowsHookEx(hook);
             EXPECT_EQ(TipWindowCount(), before + 1);
             OnWorkerWhilePumping([&] { results = {ModulFree(), TipWindowCount()}; });
             return true;
         }},
        {"two workers' calls carried at the same time each run, the earlier not lost to the later",
         {{1, 0, 1}, 0, nullptr},
         [&] {
             outer();
             boxes.Clear();
             int got[2] = {-1, -1};
             OnWorkersWhilePumping(
                 {[&] { got[0] = ModulSaveChanges(); }, [&] { Sleep(100), got[1] = ModulChanged(); }},
                 [] { Sleep(300); });
             results = {got[0], got[1], static_cast<int>(boxes.Texts(MessageBoxKind::Confirm).size())};
             return ModulFree() == 1;
         }},
        {"a carried call whose page goes before it runs is refused",
         {{0, 0}, 0, nullptr},
         [&] {
             outer();
             OnWorkersWhilePumping(
                 {[&] {
                     results = {ModulCreate(0, 0, 300, 460, kWindowsXP, 1, "w", "y", kWindowsXPBit, 1),
                                TipWindowCount()};
                 }},
                 [] { Sleep(300), ModulFree(); });
             return true;
         }},
        {"a page made while the restart question is open refuses its OK too",
         {{1, 1}, 1, "inner"},
         [&] {
             outer();
             boxes.Clear();
             boxes.onShown = [&](const ShownBox&) {
                 boxes.onShown = nullptr;
                 ModulCreate(20, 20, 300, 460, kWindowsXP, 1, "inner", "y", kWindowsXPBit, 1);
                 results = {ModulSaveChanges()};
             };
             ModulSaveChanges();
             results.push_back(static_cast<int>(boxes.Texts(MessageBoxKind::Confirm).size()));
             return true;
         }},
        {"a hook refuses the page window's destruction, and the page works on, its help drawn again",
         {{0, 1, 1, 1, 0, 1, 0}, 0, nullptr},
         [&] {
             outer();
             HWND page = undestroyable = Page(), box = ChildOfClass(page, "Button");
             HHOOK hook = SetWindowsHookExA(WH_CBT, RefuseDestruction, nullptr, GetCurrentThreadId());
             const bool ticked = Ticked(box);
             results = {ModulFree(), EnglishHelpDrawn(page)};
             // shown again, with the activation and the focus it had
             results.push_back(IsWindowVisible(page) && GetActiveWindow() == page && GetFocus() == box);
             Press(VK_SPACE);
             results.push_back(Ticked(box) != ticked);                     // the box still works
             SendMessageW(page, RegisterWindowMessageA("Quandeo"), 0, 0);  // refused too: still the page
             results.push_back(ModulFree());
             UnhookWindowsHookEx(hook);
             results.insert(results.end(), {ModulFree(), IsWindow(page)});
             return true;
         }},
        {"the host's window active, the page's destruction refused: the host keeps activation and focus",
         {{0, 1, 1, 1}, 0, nullptr},
         [&] {
             outer();
             HWND host = CreateWindowExA(0, "EDIT", "", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 200, 100,
                                         nullptr, nullptr, nullptr, nullptr);
             SetForegroundWindow(host);
             SetFocus(host);
             undestroyable = Page();
             HHOOK hook = SetWindowsHookExA(WH_CBT, RefuseDestruction, nullptr, GetCurrentThreadId());
             results = {ModulFree(), GetActiveWindow() == host, GetFocus() == host};
             UnhookWindowsHookEx(hook);
             results.push_back(ModulFree());
             return DestroyWindow(host);
         }},
        {"a worker frees the page while this thread is in its restart question: 0 until its window is gone",
         {{0, 1}, 0, nullptr},
         [&] {
             outer();
             boxes.onShown = [&](const ShownBox&) {
                 boxes.onShown = nullptr;
                 OnWorkerWhilePumping([&] { results = {ModulFree()}; });
             };
             ModulSaveChanges();
             results.push_back(ModulFree());
             return true;
         }},
        {"the host makes a page as the page it replaces hides",
         {{}, 1, "inner"},
         [&] {
             ModulCreate(10, 10, 300, 460, kWindowsXP, 1, "first", "y", kWindowsXPBit, 1);
             hookedPage = Page(), hookedMessage = WM_SHOWWINDOW;
             HHOOK hook = SetWindowsHookExA(WH_CALLWNDPROC, CreateFromHook, nullptr, GetCurrentThreadId());
             outer();
             return UnhookWindowsHookEx(hook);
         }},
    };
    for (const Sequence& sequence : sequences) {
        SCOPED_TRACE(sequence.name);
        results.clear();
        if (!sequence.run()) continue;
        EXPECT_EQ(results, sequence.expected.results);
        EXPECT_EQ(TipWindowCount(), before + sequence.expected.pagesAfter);
        if (sequence.expected.current) {
            ASSERT_NE(CurrentPage(), nullptr);
            EXPECT_EQ(CurrentPage()->Caption(), sequence.expected.current);
        }
        ExpectNothingLeftAndANewPageWorks(before);
    }
}

TEST_F(HostCallback, ScreenReaderCallsArrivingOnAnotherThreadNeverRunBesideThePage) {
    // The page's thread in the multithreaded apartment: a client there gets the object itself, and
    // nothing carries its calls to the page's thread.
    CoUninitialize();
    CoInitializeEx(nullptr, COINIT_MULTITHREADED);
    Create(contract::kWindowsXP, contract::kWindowsXPBit, 1);
    const DWORD pageThread = GetCurrentThreadId();
    DWORD boxThread = 0;
    boxes.onShown = [&](const ShownBox&) { boxThread = GetCurrentThreadId(); };
    HRESULT counted = E_FAIL, info = E_FAIL;
    HWND page = Page();
    OnWorkerWhilePumping([&] {
        CoInitializeEx(nullptr, COINIT_MULTITHREADED);
        {
            AccessibleWindow client(page);
            LONG count = 0;
            if (client.object) counted = client.object->get_accChildCount(&count);
            // The Info button: title, two help boxes and the checkbox come first, then OK, Undo, Info.
            if (client.object) info = client.object->accDoDefaultAction(AccessibleWindow::Child(7));
        }
        CoUninitialize();
    });
    boxes.onShown = nullptr;
    if (counted == RPC_E_WRONG_THREAD) {
        EXPECT_EQ(info, RPC_E_WRONG_THREAD);
        EXPECT_TRUE(boxes.Shown().empty());
    } else {
        EXPECT_EQ(info, S_OK);
        EXPECT_EQ(boxThread, pageThread) << "the Info box opened on the page's thread";
    }
    CoUninitialize();
    CoInitialize(nullptr);
}

}  // namespace
}  // namespace page_tests
#endif
