#pragma once
// Windows only: what an unload case runs in its own process: the library loaded as a host loads it,
// an exit watched for the module running anything, a host that lets the page go from inside the
// library's calls, and a count of the window messages later loads register.
#include <windows.h>

#include <gtest/gtest.h>
#include <oleacc.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <utility>

#include "Namtail.h"
#include "support/Contract.h"
#include "support/TestSupport.h"

namespace unload_cases {

using testing_support::TipWindowCount;

inline constexpr char kCaseVariable[] = "NAMTAIL_UNLOAD_CASE";
inline constexpr int kCaseDone = 23;
inline const GUID kIidAccessible = {
    0x618736e0, 0x3c3d, 0x11cf, {0x81, 0x0c, 0x00, 0xaa, 0x00, 0x38, 0x9b, 0x71}};

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

inline IAccessible* AccessibleOf(HWND page) {
    IAccessible* object = nullptr;
    AccessibleObjectFromWindow(page, static_cast<DWORD>(OBJID_CLIENT), kIidAccessible,
                               reinterpret_cast<void**>(&object));
    return object;
}

inline LONG ChildCount(IAccessible* object) {
    LONG count = -1;
    return SUCCEEDED(object->get_accChildCount(&count)) ? count : -1;
}

// At process exit the module must run nothing: a message reaching the page then (its destruction)
// ends the process with a code of its own instead of the one it exits with.
inline constexpr int kRanAtExit = 4;
inline HWND watchedPage = nullptr;
inline bool exiting = false;
inline LRESULT CALLBACK WatchForMessagesAtExit(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HC_ACTION && exiting && reinterpret_cast<CWPSTRUCT*>(lParam)->hwnd == watchedPage)
        TerminateProcess(GetCurrentProcess(), kRanAtExit);
    return CallNextHookEx(nullptr, code, wParam, lParam);
}
inline void ExitWatched(HWND page) {
    watchedPage = page;
    SetWindowsHookExA(WH_CALLWNDPROC, WatchForMessagesAtExit, nullptr, GetCurrentThreadId());
    exiting = true;
    ExitProcess(kCaseDone);
}
inline void CALLBACK ExitFromTimer(HWND, UINT, UINT_PTR, DWORD) {
    ExitWatched(watchedPage);
}

// A fault ends the case with a code of its own, instead of waiting for a debugger.
inline LONG WINAPI EndCaseOnFault(EXCEPTION_POINTERS*) {
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
};
inline HostSteps host;
inline BOOL CALLBACK AnswerNo(HWND window, LPARAM) {
    char cls[16] = {};
    if (GetClassNameA(window, cls, sizeof cls) && std::string(cls) == "#32770")
        PostMessageA(window, WM_COMMAND, IDNO, 0);
    return TRUE;
}
inline void CALLBACK StepsThenNo(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    host.Run();
    EnumThreadWindows(GetCurrentThreadId(), AnswerNo, 0);
}
inline LRESULT CALLBACK StepsAtActivation(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_ACTIVATE) host.Run();
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

// Counts what libraries loaded from now on ask of user32's RegisterWindowMessageA: its entry in
// user32's export table, which the loader reads to bind their imports, points to a counting jump.
inline int registrations = 0;
inline UINT(WINAPI* registerMessage)(LPCSTR) = nullptr;
inline UINT WINAPI CountingRegister(LPCSTR name) {
    ++registrations;
    return registerMessage(name);
}
inline bool CountRegistrationsOfLaterLoads() {
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
    // jmp [address], the address right after the instruction (on x64 relative to its end: 0).
    jump[0] = 0xFF, jump[1] = 0x25;
    const DWORD operand =
        sizeof(void*) == 8 ? 0 : static_cast<DWORD>(reinterpret_cast<std::uintptr_t>(jump + 6));
    std::memcpy(jump + 2, &operand, 4);
    void* target = reinterpret_cast<void*>(&CountingRegister);
    std::memcpy(jump + 6, &target, sizeof target);
    DWORD old = 0;
    if (!VirtualProtect(entry, sizeof *entry, PAGE_READWRITE, &old)) return false;
    *entry = static_cast<DWORD>(jump - base);
    return VirtualProtect(entry, sizeof *entry, old, &old);
}

// After each case: no page window is left, and the library loaded again frees and makes pages.
inline void ExpectANewLoadWorks() {
    Library again;
    ASSERT_NE(again.module, nullptr);
    EXPECT_EQ(again.Proc<ModulQueryProc>("ModulFree")(), 1);
    EXPECT_EQ(TipWindowCount(), 0);
    EXPECT_NE(again.Create(), nullptr) << "a new page works";
    EXPECT_EQ(again.Proc<ModulQueryProc>("ModulFree")(), 1);
    EXPECT_EQ(TipWindowCount(), 0);
    FreeLibrary(again.module);
}

}  // namespace unload_cases
