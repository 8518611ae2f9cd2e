// Win32 side of the test support: windows as other programs and hosts reach them: messages and
// destruction from outside, windows the system refuses to make, this thread's tip windows, and a
// host's window called back while a page shows.
#include <windows.h>

#include <string>
#include <utility>

#include "support/TestSupport.h"

namespace testing_support {

std::intptr_t SendToWindow(void* handle, std::uint32_t msg, std::uintptr_t wParam, std::intptr_t lParam) {
    return SendMessageA(static_cast<HWND>(handle), msg, wParam, lParam);
}

BOOL CALLBACK CountTipWindow(HWND window, LPARAM counter) {
    char cls[64] = {};
    GetClassNameA(window, cls, sizeof cls);
    if (std::string(cls) == "NamtailTipWindow") ++*reinterpret_cast<int*>(counter);
    return TRUE;
}

void DestroyFromOutside(void* handle) {
    DestroyWindow(static_cast<HWND>(handle));
}

namespace {
HHOOK refusal = nullptr;
const char* refusedClass = nullptr;

LRESULT CALLBACK RefuseWindowsOfClass(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_CREATEWND && refusedClass) {
        char cls[64] = {};
        GetClassNameA(reinterpret_cast<HWND>(wParam), cls, sizeof cls);
        if (lstrcmpiA(cls, refusedClass) == 0) return 1;
    }
    return CallNextHookEx(refusal, code, wParam, lParam);
}
}  // namespace

// RegisterWindowMessage cannot be made to fail from outside.
bool RefuseMessageRegistration(bool) {
    return false;
}

void RefuseWindows(Refusal what) {
    static const char* const classes[] = {nullptr, "NamtailTipWindow", "Static",
                                          "Edit",  "Button",           "tooltips_class32"};
    refusedClass = classes[static_cast<int>(what)];
    if (refusedClass && !refusal)
        refusal = SetWindowsHookExA(WH_CBT, RefuseWindowsOfClass, nullptr, GetCurrentThreadId());
    if (!refusedClass && refusal) UnhookWindowsHookEx(std::exchange(refusal, nullptr));
}

const bool kLibraryWindowsVisible = true;

int TipWindowCount() {
    int count = 0;
    EnumThreadWindows(GetCurrentThreadId(), CountTipWindow, reinterpret_cast<LPARAM>(&count));
    return count;
}

}  // namespace testing_support

namespace testing_support {
namespace {

HostCalledAtShow* calledAtShow = nullptr;
HHOOK activationHook = nullptr;
constexpr char kHostClass[] = "NamtailTestHost";

LRESULT CALLBACK HostWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto callback = static_cast<ShowCallback>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    if (calledAtShow &&
        ((msg == WM_ACTIVATE && LOWORD(wParam) == WA_INACTIVE && callback == ShowCallback::Deactivated) ||
         (msg == WM_KILLFOCUS && callback == ShowCallback::LostFocus)))
        calledAtShow->Run();
    return DefWindowProcA(hwnd, msg, wParam, lParam);
}

LRESULT CALLBACK ActivationHook(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_ACTIVATE && calledAtShow) {
        char cls[64] = {};
        GetClassNameA(reinterpret_cast<HWND>(wParam), cls, sizeof cls);
        if (std::string(cls) == "NamtailTipWindow") calledAtShow->Run();
    }
    return CallNextHookEx(activationHook, code, wParam, lParam);
}

}  // namespace

HostCalledAtShow::HostCalledAtShow(ShowCallback callback, std::function<void()> action)
    : action_(std::move(action)) {
    calledAtShow = this;
    if (callback == ShowCallback::CbtActivate) {
        activationHook = SetWindowsHookExA(WH_CBT, ActivationHook, nullptr, GetCurrentThreadId());
        return;
    }
    WNDCLASSA wc{};
    wc.lpfnWndProc = HostWindowProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = kHostClass;
    RegisterClassA(&wc);
    HWND host = CreateWindowExA(0, kHostClass, "Host", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 200, 100,
                                nullptr, nullptr, wc.hInstance, nullptr);
    SetWindowLongPtrA(host, GWLP_USERDATA, static_cast<LONG_PTR>(callback));
    SetForegroundWindow(host);
    SetActiveWindow(host);
    SetFocus(host);
    native_ = host;
}

HostCalledAtShow::~HostCalledAtShow() {
    calledAtShow = nullptr;
    if (activationHook) UnhookWindowsHookEx(std::exchange(activationHook, nullptr));
    if (native_) DestroyWindow(static_cast<HWND>(native_));
    UnregisterClassA(kHostClass, GetModuleHandleA(nullptr));
}

}  // namespace testing_support
