// The Win32 backend: page windows (Win32Window.h), screen metrics, the system's message boxes and
// the registered-message channel, and the order in which the backend lets go of the system.
#include <windows.h>

#include <atomic>
#include <utility>

#include "platform/win32/LateBound.h"
#include "platform/win32/Win32Gdi.h"
#include "platform/win32/Win32Text.h"
#include "platform/win32/Win32Threads.h"
#include "platform/win32/Win32Window.h"

// The library's hold on itself, let go and not yet given back to the system: taken by whichever
// thread's exported ModulFree ends first (host/LastReturn.cpp, by name), or by the next page.
extern "C" {
std::atomic<HMODULE> NamtailLeavingLibrary{nullptr};
}
static_assert(sizeof NamtailLeavingLibrary == sizeof(HMODULE) && std::atomic<HMODULE>::is_always_lock_free);

namespace platform {
namespace {

constexpr wchar_t kBoxCaption[] = L"Namtail";

constexpr UINT kBroadcastTimeoutMs = 3000;
// The system signals an ending thread's handle soon after it destroyed its windows; a thread that
// is not signalled within this lost its windows some other way, and its page is not let go.
constexpr DWORD kThreadEndWaitMs = 2000;

class Win32Backend : public Backend {
  public:
    // Made at the first export, outside the loader's lock, and deleted at the library's unload,
    // when no thread is in the door.
    Win32Backend() { InitializeCriticalSection(&door_); }
    ~Win32Backend() override { DeleteCriticalSection(&door_); }
    Win32Backend(const Win32Backend&) = delete;
    Win32Backend& operator=(const Win32Backend&) = delete;
    std::unique_ptr<FormPeer> CreateFormPeer(Form& form) override {
        return std::make_unique<Win32Peer>(form);
    }
    Size NonClientSize() override {
        RECT rc{0, 0, 0, 0};
        AdjustWindowRectEx(&rc, kPageWindowStyle, FALSE, kPageWindowExStyle);
        return {rc.right - rc.left, rc.bottom - rc.top};
    }
    // Read each time: a host may create pages under different density awareness of its threads.
    // Windows 10 1607 and later answer for the calling thread without the screen's device context,
    // which costs far more; older systems read the same figure from it.
    int ScreenPixelsPerInch() override {
        using DpiForSystem = UINT(WINAPI*)();
        static const auto forSystem = reinterpret_cast<DpiForSystem>(
            reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), "GetDpiForSystem")));
        if (forSystem) return static_cast<int>(forSystem());
        HDC dc = GetDC(nullptr);
        int ppi = GetDeviceCaps(dc, LOGPIXELSX);
        ReleaseDC(nullptr, dc);
        return ppi;
    }
    Size CheckSquare() override {
        return {GetSystemMetrics(SM_CXMENUCHECK), GetSystemMetrics(SM_CYMENUCHECK)};
    }
    int TextWidth(const Font& font, const std::string& caption) override {
        std::wstring text = Wide(caption, kPageCodePage);
        HDC dc = MeasuringDc();
        HGDIOBJ old = SelectObject(dc, FontOf(font));
        RECT extent{0, 0, 0, 0};
        DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &extent, DT_CALCRECT | DT_SINGLELINE);
        SelectObject(dc, old);
        return extent.right - extent.left;
    }
    bool ShowMessageBox(MessageBoxKind kind, const std::string& text) override {
        UINT flags = MB_OK;
        if (kind == MessageBoxKind::Confirm) flags = MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON1;
        if (kind == MessageBoxKind::Error) flags = MB_OK | MB_ICONERROR;
        int answer = MessageBoxW(GetActiveWindow(), Wide(text, kPageCodePage).c_str(), kBoxCaption, flags);
        return kind == MessageBoxKind::Confirm ? answer == IDYES : answer == IDOK;
    }
    std::uint32_t RegisterMessage(const std::string& name) override {
        return RegisterWindowMessageA(name.c_str());
    }
    void Broadcast(std::uint32_t msg, std::uintptr_t wParam, std::intptr_t lParam) override {
        DWORD_PTR ignored = 0;
        SendMessageTimeoutA(HWND_BROADCAST, msg, wParam, lParam, SMTO_ABORTIFHUNG | SMTO_NORMAL,
                            kBroadcastTimeoutMs, &ignored);
    }
    // The windows are gone and their accessible objects disconnected with them; what is left goes in
    // this order: the objects the windows drew with, their class, then the libraries bound late.
    bool ReleaseResources() override {
        ReleaseGdiObjects();
        if (!UnregisterPageWindowClass()) return false;
        FreeLateBoundLibraries();
        return true;
    }
    // A hold that no ModulFree has given back yet is taken up again.
    bool HoldLibrary() override {
        held_ = NamtailLeavingLibrary.exchange(nullptr);
        return held_ || GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS,
                                           reinterpret_cast<LPCSTR>(&ActiveBackend), &held_);
    }
    // It may be the last reference: the exported ModulFree gives it back as its very last step, once
    // no frame of the library is left under it (host/LastReturn.cpp).
    void LetLibraryGo() override {
        if (HMODULE held = std::exchange(held_, nullptr)) NamtailLeavingLibrary.store(held);
    }
    std::uintptr_t CurrentThread() override { return GetCurrentThreadId(); }
    std::uintptr_t HoldThisThread() override { return reinterpret_cast<std::uintptr_t>(HoldCurrentThread()); }
    bool HeldThreadEnded(std::uintptr_t held) override {
        return platform::HeldThreadEnded(reinterpret_cast<HANDLE>(held));
    }
    bool PageWindowsGoneUnheard() override { return platform::PageWindowsGoneUnheard(); }
    bool AwaitThreadEnd(std::uintptr_t held) override {
        return WaitForSingleObject(reinterpret_cast<HANDLE>(held), kThreadEndWaitMs) == WAIT_OBJECT_0;
    }
    void LetThreadGo(std::uintptr_t held) override { CloseHandle(reinterpret_cast<HANDLE>(held)); }
    // A critical section blocks a waiter in the kernel until the holder leaves: no thread of higher
    // priority spins on one of lower.
    void LockDoor() override { EnterCriticalSection(&door_); }
    void UnlockDoor() override { LeaveCriticalSection(&door_); }
    bool CarryToPageThread(void (*run)(void*), void* context) override {
        return CarryToPageWindows(run, context);
    }
    void ForgetWindowsOfEndedThread() override { platform::ForgetWindowsOfEndedThread(); }

  private:
    HMODULE held_ = nullptr;
    CRITICAL_SECTION door_;
};

}  // namespace

Backend& ActiveBackend() {
    static Win32Backend backend;
    return backend;
}

}  // namespace platform
