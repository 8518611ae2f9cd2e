// Windows only: a host that unloads the library with the page still open, or while a screen reader
// or COM still holds the page's accessible object. Each case runs in a process of its own, since the
// library keeps itself loaded for the rest of a process once it has handed out such an object.
#ifdef _WIN32
#include <windows.h>

#include <gtest/gtest.h>
#include <oleacc.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <utility>

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

// A host that lets the page go and unloads the library from inside a call of the library's: each
// letter a step, in order (f ModulFree, u FreeLibrary, c host command 0, d DestroyWindow on the page).
struct HostSteps {
    HMODULE module = nullptr;
    HWND page = nullptr;
    std::string steps;
    void Run() {
        auto free =
            reinterpret_cast<ModulQueryProc>(reinterpret_cast<void*>(GetProcAddress(module, "ModulFree")));
        for (char step : std::exchange(steps, "")) {
            if (step == 'f') free();
            if (step == 'u') FreeLibrary(module);
            if (step == 'c') SendMessageA(page, RegisterWindowMessageA("Quandeo"), 0, 0);
            if (step == 'd') DestroyWindow(page);
        }
    }
} host;
BOOL CALLBACK AnswerNo(HWND window, LPARAM) {
    char cls[16] = {};
    if (GetClassNameA(window, cls, sizeof cls) && std::string(cls) == "#32770")
        PostMessageA(window, WM_COMMAND, IDNO, 0);
    return TRUE;
}
void CALLBACK StepsThenNo(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    host.Run();
    EnumThreadWindows(GetCurrentThreadId(), AnswerNo, 0);
}
LRESULT CALLBACK StepsAtActivation(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_ACTIVATE) host.Run();
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

// Counts what libraries loaded from now on ask of user32's RegisterWindowMessageA: its entry in
// user32's export table, which the loader reads to bind their imports, points to a counting jump.
int registrations = 0;
UINT(WINAPI* registerMessage)(LPCSTR) = nullptr;
UINT WINAPI CountingRegister(LPCSTR name) {
    ++registrations;
    return registerMessage(name);
}
bool CountRegistrationsOfLaterLoads() {
    auto* base = reinterpret_cast<BYTE*>(GetModuleHandleA("user32.dll"));
    auto* nt =
        reinterpret_cast<IMAGE_NT_HEADERS*>(base + reinterpret_cast<IMAGE_DOS_HEADER*>(base)->e_lfanew);
    const IMAGE_DATA_DIRECTORY& table = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_EXPORT];
    auto* exports = reinterpret_cast<IMAGE_EXPORT_DIRECTORY*>(base + table.VirtualAddress);
    auto* names = reinterpret_cast<DWORD*>(base + exports->AddressOfNames);
    auto* ordinals = reinterpret_cast<WORD*>(base + exports->AddressOfNameOrdinals);
    DWORD* entry = nullptr;
    for (DWORD i = 0; i < exports->NumberOfNames && !entry; ++i)
        if (std::string(reinterpret_cast<char*>(base + names[i])) == "RegisterWindowMessageA")
            entry = reinterpret_cast<DWORD*>(base + exports->AddressOfFunctions) + ordinals[i];
    if (!entry || *entry - table.VirtualAddress < table.Size) return false;  // none, or forwarded
    registerMessage = reinterpret_cast<decltype(registerMessage)>(base + *entry);
    // The table holds 32-bit offsets from user32's base: the jump lies above it, within reach.
    BYTE* jump = nullptr;
    for (std::uintptr_t at =
             reinterpret_cast<std::uintptr_t>(base) + nt->OptionalHeader.SizeOfImage + 0x10000;
         !jump && at - reinterpret_cast<std::uintptr_t>(base) < 0x7FFF0000u; at += 0x10000)
        jump = static_cast<BYTE*>(VirtualAlloc(reinterpret_cast<void*>(at & ~std::uintptr_t{0xFFFF}), 64,
                                               MEM_RESERVE | MEM_COMMIT, PAGE_EXECUTE_READWRITE));
    if (!jump) return false;
    void* target = reinterpret_cast<void*>(&CountingRegister);
    const BYTE indirect[] = {0xFF,
                             0x25};  // jmp [address that follows], relative to the next instruction on x64
    std::memcpy(jump, indirect, 2);
    const DWORD operand =
        sizeof(void*) == 8 ? 0 : static_cast<DWORD>(reinterpret_cast<std::uintptr_t>(jump + 6));
    std::memcpy(jump + 2, &operand, 4);
    std::memcpy(jump + 6, &target, sizeof target);
    DWORD old = 0;
    if (!VirtualProtect(entry, sizeof *entry, PAGE_READWRITE, &old)) return false;
    *entry = static_cast<DWORD>(jump - base);
    return VirtualProtect(entry, sizeof *entry, old, &old);
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
        if (which.rfind("in the question: ", 0) == 0) {
            HKEY key = nullptr;
            RegCreateKeyExA(HKEY_LOCAL_MACHINE, "System\\CurrentControlSet\\Control\\FileSystem", 0, nullptr,
                            0, KEY_READ, nullptr, &key, nullptr);
            RegCloseKey(key);
            host.steps = which.substr(17);
            SetTimer(nullptr, 0, 100, StepsThenNo);
            library.Proc<ModulQueryProc>("ModulSaveChanges")();
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
          "at activation: fu", "destroyed by the host", "registered by the first page, not at load"})
        EXPECT_EQ(RunCase(name), static_cast<DWORD>(kCaseDone)) << name;
}

}  // namespace
#endif
