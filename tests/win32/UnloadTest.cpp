// Windows only: a host that unloads the library with the page still open, or while a screen reader
// or COM still holds the page's accessible object. Each case runs in a process of its own, since the
// library keeps itself loaded for the rest of a process once it has handed out such an object.
#ifdef _WIN32
#include <windows.h>

#include <gtest/gtest.h>
#include <oleacc.h>

#include <cstdlib>
#include <string>

#include "Namtail.h"
#include "support/Contract.h"
#include "support/TestSupport.h"

namespace {

using testing_support::TipWindowCount;

constexpr char kCaseVariable[] = "NAMTAIL_UNLOAD_CASE";
constexpr int kCaseDone = 23;
const GUID kIidAccessible = {0x618736e0, 0x3c3d, 0x11cf, {0x81, 0x0c, 0x00, 0xaa, 0x00, 0x38, 0x9b, 0x71}};

// Runs this test program again for one case; its exit code says how the case ended.
DWORD RunCase(const char* name) {
    char self[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    std::string command = std::string("\"") + self + "\" --gtest_filter=UnloadCase.Run --gtest_brief=1";
    SetEnvironmentVariableA(kCaseVariable, name);
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    BOOL started = CreateProcessA(nullptr, command.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr,
                                  &startup, &process);
    SetEnvironmentVariableA(kCaseVariable, nullptr);
    if (!started) return GetLastError();
    // A case that hangs is a failure too, and must not outlive the run.
    if (WaitForSingleObject(process.hProcess, 30000) != WAIT_OBJECT_0) TerminateProcess(process.hProcess, 2);
    DWORD code = 0;
    GetExitCodeProcess(process.hProcess, &code);
    CloseHandle(process.hProcess);
    CloseHandle(process.hThread);
    return code;
}

struct Library {
    HMODULE module = LoadLibraryA("Namtail.dll");
    template <typename T>
    T Proc(const char* name) const {
        return reinterpret_cast<T>(reinterpret_cast<void*>(GetProcAddress(module, name)));
    }
    HWND Create() const {
        Proc<ModulCreateProc>("ModulCreate")(10, 10, 300, 460, contract::kWindowsXP, 1, "Alias names",
                                             nullptr, contract::kWindowsXPBit, 1);
        return FindWindowA("NamtailTipWindow", "Alias names");
    }
};

IAccessible* AccessibleOf(HWND page) {
    IAccessible* object = nullptr;
    AccessibleObjectFromWindow(page, static_cast<DWORD>(OBJID_CLIENT), kIidAccessible,
                               reinterpret_cast<void**>(&object));
    return object;
}

LONG ChildCount(IAccessible* object) {
    LONG count = -1;
    return SUCCEEDED(object->get_accChildCount(&count)) ? count : -1;
}

// At process exit the module must run nothing: a message reaching the page then (its destruction)
// ends the process with a code of its own instead of the one it exits with.
constexpr int kRanAtExit = 4;
HWND watchedPage = nullptr;
bool exiting = false;
LRESULT CALLBACK WatchForMessagesAtExit(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HC_ACTION && exiting && reinterpret_cast<CWPSTRUCT*>(lParam)->hwnd == watchedPage)
        TerminateProcess(GetCurrentProcess(), kRanAtExit);
    return CallNextHookEx(nullptr, code, wParam, lParam);
}
void ExitWatched(HWND page) {
    watchedPage = page;
    SetWindowsHookExA(WH_CALLWNDPROC, WatchForMessagesAtExit, nullptr, GetCurrentThreadId());
    exiting = true;
    ExitProcess(kCaseDone);
}
void CALLBACK ExitFromTimer(HWND, UINT, UINT_PTR, DWORD) {
    ExitWatched(watchedPage);
}

// A fault ends the case with a code of its own, instead of waiting for a debugger.
LONG WINAPI EndCaseOnFault(EXCEPTION_POINTERS*) {
    TerminateProcess(GetCurrentProcess(), 3);
    return EXCEPTION_EXECUTE_HANDLER;
}

// After each case: no page window is left, and the library loaded again frees and makes pages.
void ExpectANewLoadWorks() {
    Library again;
    ASSERT_NE(again.module, nullptr);
    EXPECT_EQ(again.Proc<ModulQueryProc>("ModulFree")(), 1);
    EXPECT_EQ(TipWindowCount(), 0);
    EXPECT_NE(again.Create(), nullptr) << "a new page works";
    EXPECT_EQ(again.Proc<ModulQueryProc>("ModulFree")(), 1);
    EXPECT_EQ(TipWindowCount(), 0);
    FreeLibrary(again.module);
}

TEST(UnloadCase, Run) {
    const char* name = std::getenv(kCaseVariable);
    if (!name) GTEST_SKIP() << "a case of the unload tests, run by them in a process of its own";
    std::string which = name;
    SetUnhandledExceptionFilter(EndCaseOnFault);
    CoInitialize(nullptr);
    {
        Library library;
        ASSERT_NE(library.module, nullptr);
        HWND page = library.Create();
        ASSERT_NE(page, nullptr);
        if (which == "open page") {
            // The page keeps the library loaded: no window is left running unloaded code, and the
            // page still answers until the host, loading the library again, frees it.
            FreeLibrary(library.module);
            EXPECT_NE(GetModuleHandleA("Namtail.dll"), nullptr);
            EXPECT_EQ(TipWindowCount(), 1);
            EXPECT_GT(SendMessageW(page, WM_GETTEXTLENGTH, 0, 0), 0);
        } else if (which == "exit with the page open") {
            ExitWatched(page);
        } else if (which == "exit with an object handed out") {
            IAccessible* object = AccessibleOf(page);
            ASSERT_NE(object, nullptr);
            ExitWatched(page);
        } else if (which == "exit from inside the Info box") {
            IAccessible* object = AccessibleOf(page);
            ASSERT_NE(object, nullptr);
            watchedPage = page;
            SetTimer(nullptr, 0, 200, ExitFromTimer);
            VARIANT info{};
            info.vt = VT_I4;
            info.lVal = 7;  // title, two help boxes, checkbox, then OK, Undo, Info
            object->accDoDefaultAction(info);
            ADD_FAILURE() << "the Info box ended before the process exited";
        } else if (which == "object held") {
            IAccessible* object = AccessibleOf(page);
            ASSERT_NE(object, nullptr);
            EXPECT_GT(ChildCount(object), 0);
            FreeLibrary(library.module);  // with the page still open
            ExpectANewLoadWorks();
            EXPECT_EQ(ChildCount(object), -1) << "the page is gone: CO_E_OBJNOTCONNECTED";
            object->Release();
        } else if (which == "object held past free") {
            IAccessible* object = AccessibleOf(page);
            ASSERT_NE(object, nullptr);
            EXPECT_EQ(library.Proc<ModulQueryProc>("ModulFree")(), 1);
            LONG count = 0;
            EXPECT_EQ(object->get_accChildCount(&count), CO_E_OBJNOTCONNECTED);
            FreeLibrary(library.module);
            EXPECT_EQ(object->get_accChildCount(&count), CO_E_OBJNOTCONNECTED);
            object->Release();
        } else if (which == "answer never collected") {
            EXPECT_NE(SendMessageA(page, WM_GETOBJECT, 0, static_cast<LPARAM>(OBJID_CLIENT)), 0);
            EXPECT_EQ(library.Proc<ModulQueryProc>("ModulFree")(), 1);
            FreeLibrary(library.module);
        }
    }
    CoUninitialize();
    ExpectANewLoadWorks();
    if (!::testing::Test::HasFailure()) std::_Exit(kCaseDone);
}

TEST(Unload, LibraryUnloadedWithAPageOrAnAccessibleObjectLeftIsSafe) {
    for (const char* name :
         {"open page", "object held", "object held past free", "answer never collected",
          "exit with the page open", "exit with an object handed out", "exit from inside the Info box"})
        EXPECT_EQ(RunCase(name), static_cast<DWORD>(kCaseDone)) << name;
}

}  // namespace
#endif
