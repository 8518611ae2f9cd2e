// Win32 side of the test support: what the system reports: the process's privileges and committed
// memory, the library loaded as a host loads it, the screen's density, the Windows directory, and
// where and how wide it draws a control.
#include <windows.h>

#include <string>
#include <vector>

#include <psapi.h>

#include "platform/form/Form.h"
#include "support/SystemRecorder.h"
#include "support/TestSupport.h"

namespace testing_support {

bool PrivilegeEnabled(const std::string& name) {
    HANDLE token = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token)) return false;
    LUID luid{};
    bool enabled = false;
    DWORD size = 0;
    GetTokenInformation(token, TokenPrivileges, nullptr, 0, &size);
    std::vector<BYTE> buffer(size);
    if (LookupPrivilegeValueA(nullptr, name.c_str(), &luid) &&
        GetTokenInformation(token, TokenPrivileges, buffer.data(), size, &size)) {
        const auto* privileges = reinterpret_cast<const TOKEN_PRIVILEGES*>(buffer.data());
        for (DWORD i = 0; i < privileges->PrivilegeCount; ++i) {
            const auto& entry = privileges->Privileges[i];
            if (entry.Luid.LowPart == luid.LowPart && entry.Luid.HighPart == luid.HighPart)
                enabled = (entry.Attributes & SE_PRIVILEGE_ENABLED) != 0;
        }
    }
    CloseHandle(token);
    return enabled;
}

}  // namespace testing_support

namespace testing_support {

LoadedLibrary::LoadedLibrary() : handle_(LoadLibraryA("Namtail.dll")) {}

LoadedLibrary::~LoadedLibrary() {
    if (handle_) FreeLibrary(static_cast<HMODULE>(handle_));
}

bool LoadedLibrary::Loaded() {
    return GetModuleHandleA("Namtail.dll") != nullptr;
}

void* LoadedLibrary::Find(const char* name) const {
    return handle_ ? reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(handle_), name)) : nullptr;
}

// Wine reports PrivateUsage as 0; PagefileUsage holds the same figure there and on Windows.
std::optional<std::uint64_t> CommittedBytes() {
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof counters;
    if (!GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters)) return std::nullopt;
    return counters.PagefileUsage;
}

}  // namespace testing_support

namespace testing_support {

int UseScreenDensity(int) {
    return platform::ActiveBackend().ScreenPixelsPerInch();
}

// The system's own Windows directory, not a Terminal Services user's private one.
std::string UseWindowsDirectory(const std::string&) {
    wchar_t wide[MAX_PATH] = {};
    GetSystemWindowsDirectoryW(wide, MAX_PATH);
    char path[MAX_PATH * 2] = {};
    WideCharToMultiByte(CP_ACP, 0, wide, -1, path, sizeof path, nullptr, nullptr);
    return path;
}

std::optional<platform::Rect> NativeBounds(const platform::Form& form, const platform::Control& control) {
    auto child = static_cast<HWND>(form.ControlHandle(control));
    if (!child) return std::nullopt;
    RECT r{};
    GetWindowRect(child, &r);
    MapWindowPoints(HWND_DESKTOP, static_cast<HWND>(form.Handle()), reinterpret_cast<POINT*>(&r), 2);
    return platform::Rect{r.left, r.top, r.right - r.left, r.bottom - r.top};
}

}  // namespace testing_support

namespace testing_support {

platform::Size SystemCheckSquare() {
    return {GetSystemMetrics(SM_CXMENUCHECK), GetSystemMetrics(SM_CYMENUCHECK)};
}

// Measured as the checkbox draws it: its own font, its caption, the access key's ampersand out.
int CaptionWidthOnScreen(const platform::Form& form, const platform::Control& control) {
    auto box = static_cast<HWND>(form.ControlHandle(control));
    if (!box) return 0;
    wchar_t text[256] = {};
    MultiByteToWideChar(1252, 0, control.Caption().c_str(), -1, text, 256);
    HDC dc = GetDC(box);
    HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(box, WM_GETFONT, 0, 0)));
    RECT extent{0, 0, 0, 0};
    DrawTextW(dc, text, -1, &extent, DT_CALCRECT | DT_SINGLELINE);
    SelectObject(dc, old);
    ReleaseDC(box, dc);
    return extent.right - extent.left;
}

}  // namespace testing_support
