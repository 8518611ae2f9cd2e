// The page window's class, registered with the first page and unregistered when the last one goes,
// outside the loader lock, since hosts load and unload plug-ins; and the system cursors it shows.
#include "platform/win32/Win32Window.h"

#include <commctrl.h>

#include <utility>

namespace platform {
namespace {

ATOM windowClass = 0;

}  // namespace

HINSTANCE ModuleInstance() {
    HMODULE module = nullptr;
    GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCSTR>(&ModuleInstance), &module);
    return module;
}

// Each as it is first needed: the hand only once the pointer is over an image button.
HCURSOR SystemCursor(Cursor cursor) {
    if (cursor == Cursor::HandPoint) {
        static const HCURSOR hand = LoadCursor(nullptr, IDC_HAND);
        return hand;
    }
    static const HCURSOR arrow = LoadCursor(nullptr, IDC_ARROW);
    return arrow;
}

void RegisterPageWindowClass(WNDPROC procedure) {
    if (windowClass) return;
    // The common controls' classes stay registered for the process: once a load is enough.
    static bool commonControls = false;
    if (!std::exchange(commonControls, true)) {
        INITCOMMONCONTROLSEX icc{sizeof icc, ICC_WIN95_CLASSES};
        InitCommonControlsEx(&icc);
    }
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = procedure;
    wc.hInstance = ModuleInstance();
    wc.hCursor = SystemCursor(Cursor::Default);
    // No icon of its own: the system shows its default one, and a class icon costs a copy made at
    // every registration.
    wc.lpszClassName = kPageWindowClass;
    windowClass = RegisterClassExW(&wc);
}

bool UnregisterPageWindowClass() {
    if (!windowClass) return true;
    // A window the host destroyed is still in its last message as the last page goes: the class stays
    // until it is gone.
    if (!UnregisterClassW(kPageWindowClass, ModuleInstance()) && GetLastError() == ERROR_CLASS_HAS_WINDOWS)
        return false;
    windowClass = 0;
    return true;
}

}  // namespace platform
