// Windows only: a host that unloads the library with the page still open, or while a screen reader
// or COM still holds the page's accessible object. Each case runs in a process of its own, since the
// library keeps itself loaded for the rest of a process once it has handed out such an object.
#ifdef _WIN32
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "win32/UnloadCases.h"

namespace {

using namespace unload_cases;

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

// A preview thread: it makes a page, pumps a little and ends with the page open.
DWORD WINAPI MakePageAndEnd(void* library) {
    static_cast<Library*>(library)->Create();
    for (MSG msg; PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE);) DispatchMessageW(&msg);
    return 0;
}

TEST(UnloadCase, Run) {
    const char* name = std::getenv(kCaseVariable);
    if (!name) GTEST_SKIP() << "a case of the unload tests, run by them in a process of its own";
    std::string which = name;
    SetUnhandledExceptionFilter(EndCaseOnFault);
    CoInitialize(nullptr);
    if (which == "registered by the first page, not at load") {
        ASSERT_TRUE(CountRegistrationsOfLaterLoads());
        HMODULE loaded = LoadLibraryA("Namtail.dll");
        EXPECT_EQ(registrations, 0) << "loading registers nothing";
        FreeLibrary(loaded);
    }
    {
        Library library;
        ASSERT_NE(library.module, nullptr);
        host.module = library.module;
        if (which.rfind("a page made on a thread that ends", 0) == 0) {
            HANDLE preview = CreateThread(nullptr, 0, MakePageAndEnd, &library, 0, nullptr);
            WaitForSingleObject(preview, INFINITE);
            CloseHandle(preview);
            EXPECT_EQ(FindWindowA("NamtailTipWindow", nullptr), nullptr) << "its windows went with it";
        }
        if (which.rfind("at activation: ", 0) == 0) {
            host.steps = which.substr(15);
            HHOOK hook = SetWindowsHookExA(WH_CBT, StepsAtActivation, nullptr, GetCurrentThreadId());
            EXPECT_EQ(library.Create(), nullptr) << "freed as it activated";
            UnhookWindowsHookEx(hook);
        }
        HWND page = host.page = library.Create();
        ASSERT_NE(page, nullptr);
        if (which == "registered by the first page, not at load") {
            EXPECT_EQ(registrations, 1);
            FreeLibrary(library.module);
        }
        // Steps after "then " are taken at the host's top level, through the pointers it kept.
        const std::size_t then = which.find("then ");
        const std::string atTheTop = then == std::string::npos ? "" : which.substr(then + 5);
        if (which.rfind("in the question: ", 0) == 0) {
            HKEY key = nullptr;
            RegCreateKeyExA(HKEY_LOCAL_MACHINE, "System\\CurrentControlSet\\Control\\FileSystem", 0, nullptr,
                            0, KEY_READ, nullptr, &key, nullptr);
            RegCloseKey(key);
            host.steps = which.substr(17, which.find(',') - 17);
            SetTimer(nullptr, 0, 100, StepsThenNo);
            library.Proc<ModulQueryProc>("ModulSaveChanges")();
        } else if (which.rfind("a page made on a thread that ends", 0) == 0) {
            HWND box = FindWindowExA(page, nullptr, "Button", nullptr);
            const LRESULT ticked = SendMessageA(box, BM_GETCHECK, 0, 0);
            SendMessageA(box, BM_CLICK, 0, 0);
            EXPECT_TRUE(IsWindowVisible(page) && SendMessageA(box, BM_GETCHECK, 0, 0) != ticked)
                << "it ticks";
        } else if (which == "destroyed by the host") {
            DestroyWindow(page);
            EXPECT_EQ(library.Proc<ModulQueryProc>("ModulFree")(), 1);
            FreeLibrary(library.module);
            WNDCLASSEXW registered{};
            registered.cbSize = sizeof registered;
            EXPECT_FALSE(GetClassInfoExW(library.module, L"NamtailTipWindow", &registered))
                << "the class went";
            EXPECT_EQ(GetModuleHandleA("Namtail.dll"), nullptr) << "the library went";
        } else if (which == "open page") {
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
            info.lVal = 7;  // the four controls' windows, then OK, Undo, Info
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
        host.steps = atTheTop;
        host.Run();
        if (!atTheTop.empty()) {
            EXPECT_EQ(GetModuleHandleA("Namtail.dll"), nullptr) << "the library went";
        }
    }
    CoUninitialize();
    ExpectANewLoadWorks();
    // Freed and unloaded in the plain order, the library goes, unless an accessible object was handed out.
    if (which.find("object") == std::string::npos && which != "answer never collected") {
        EXPECT_EQ(GetModuleHandleA("Namtail.dll"), nullptr);
    }
    if (!::testing::Test::HasFailure()) std::_Exit(kCaseDone);
}

TEST(Unload, LibraryUnloadedWithAPageOrAnAccessibleObjectLeftIsSafe) {
    for (const char* name :
         {"open page", "object held", "object held past free", "answer never collected",
          "exit with the page open", "exit with an object handed out", "exit from inside the Info box",
          "in the question: fu", "in the question: uf", "in the question: cu", "in the question: du",
          "at activation: fu", "destroyed by the host", "registered by the first page, not at load",
          "open page, then uf", "open page, then ucf", "in the question: fu, then f",
          "a page made on a thread that ends, then fu"})
        EXPECT_EQ(RunCase(name), static_cast<DWORD>(kCaseDone)) << name;
}

}  // namespace
#endif
