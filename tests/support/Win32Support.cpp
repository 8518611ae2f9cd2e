// Win32 side of the test support: a CBT hook answers the real MessageBoxA boxes of this thread, and
// the registry is seeded with advapi32 directly.
#include <windows.h>

#include <string>
#include <utility>

#include <aclapi.h>
#include <psapi.h>
#include <sddl.h>

#include "platform/form/Form.h"
#include "support/SystemRecorder.h"
#include "support/TestSupport.h"

namespace testing_support {
namespace {

MessageBoxScript* activeScript = nullptr;
HHOOK hook = nullptr;

platform::MessageBoxKind KindOf(HWND box) {
    if (GetDlgItem(box, IDYES)) return platform::MessageBoxKind::Confirm;
    for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        if ((GetWindowLongA(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON &&
            SendMessageA(child, STM_GETICON, 0, 0))
            return platform::MessageBoxKind::Error;
    return platform::MessageBoxKind::Plain;
}

LRESULT CALLBACK CbtProc(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_ACTIVATE && activeScript) {
        HWND box = reinterpret_cast<HWND>(wParam);
        char cls[32] = {};
        GetClassNameA(box, cls, sizeof cls);
        if (std::string(cls) == "#32770") {
            // Read as the screen shows it, whatever the system's code page.
            wchar_t wide[4096] = {};
            GetDlgItemTextW(box, 0xFFFF, wide, 4096);
            char text[4096] = {};
            WideCharToMultiByte(1252, 0, wide, -1, text, sizeof text, nullptr, nullptr);
            auto kind = KindOf(box);
            bool yes = activeScript->Record(kind, text, wide);
            int button = kind == platform::MessageBoxKind::Confirm ? (yes ? IDYES : IDNO) : IDOK;
            PostMessageA(GetDlgItem(box, button), BM_CLICK, 0, 0);
        }
    }
    return CallNextHookEx(hook, code, wParam, lParam);
}

HKEY Root(platform::RootKey root) {
    return root == platform::RootKey::LocalMachine ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER;
}

DWORD RegType(platform::DataType type) {
    switch (type) {
        case platform::DataType::Text:
            return REG_SZ;
        case platform::DataType::ExpandText:
            return REG_EXPAND_SZ;
        case platform::DataType::Integer:
            return REG_DWORD;
        case platform::DataType::Binary:
            return REG_BINARY;
        case platform::DataType::Other:
            return REG_MULTI_SZ;
    }
    return REG_NONE;
}

void SetSecurity(HKEY root, const std::string& path, const char* sddl) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(root, path.c_str(), 0, READ_CONTROL | WRITE_DAC, &key) != ERROR_SUCCESS) return;
    PSECURITY_DESCRIPTOR sd = nullptr;
    if (ConvertStringSecurityDescriptorToSecurityDescriptorA(sddl, SDDL_REVISION_1, &sd, nullptr)) {
        RegSetKeySecurity(key, DACL_SECURITY_INFORMATION, sd);
        LocalFree(sd);
    }
    RegCloseKey(key);
}

}  // namespace

MessageBoxScript::MessageBoxScript(bool answerYes) : answerYes_(answerYes) {
    previous_ = activeScript;
    activeScript = this;
    if (!hook) hook = SetWindowsHookExA(WH_CBT, CbtProc, nullptr, GetCurrentThreadId());
}

MessageBoxScript::~MessageBoxScript() {
    activeScript = static_cast<MessageBoxScript*>(previous_);
    if (!activeScript && hook) {
        UnhookWindowsHookEx(hook);
        hook = nullptr;
    }
}

void SetRawValue(platform::RootKey root, const std::string& path, const std::string& name,
                 std::uint32_t systemType, const std::vector<std::uint8_t>& data) {
    HKEY key = nullptr;
    if (RegCreateKeyExA(Root(root), path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr) !=
        ERROR_SUCCESS)
        return;
    RegSetValueExA(key, name.c_str(), 0, systemType, data.data(), static_cast<DWORD>(data.size()));
    RegCloseKey(key);
}

void SetValue(platform::RootKey root, const std::string& path, const std::string& name,
              const platform::StoredValue& value) {
    SetRawValue(root, path, name, RegType(value.type), value.data);
}

std::optional<platform::StoredValue> GetValue(platform::RootKey root, const std::string& path,
                                              const std::string& name) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(Root(root), path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return std::nullopt;
    DWORD type = 0, size = 0;
    std::optional<platform::StoredValue> result;
    if (RegQueryValueExA(key, name.c_str(), nullptr, &type, nullptr, &size) == ERROR_SUCCESS) {
        std::vector<std::uint8_t> data(size);
        RegQueryValueExA(key, name.c_str(), nullptr, &type, data.data(), &size);
        platform::DataType t = type == REG_SZ          ? platform::DataType::Text
                               : type == REG_EXPAND_SZ ? platform::DataType::ExpandText
                               : type == REG_DWORD     ? platform::DataType::Integer
                               : type == REG_BINARY    ? platform::DataType::Binary
                                                       : platform::DataType::Other;
        result = platform::StoredValue{t, std::move(data)};
    }
    RegCloseKey(key);
    return result;
}

void CreateKey(platform::RootKey root, const std::string& path) {
    HKEY key = nullptr;
    if (RegCreateKeyExA(Root(root), path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr) ==
        ERROR_SUCCESS)
        RegCloseKey(key);
}

void DeleteKeyTree(platform::RootKey root, const std::string& path) {
    RegDeleteTreeA(Root(root), path.c_str());
    RegDeleteKeyA(Root(root), path.c_str());
}

bool KeyExists(platform::RootKey root, const std::string& path) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(Root(root), path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
    RegCloseKey(key);
    return true;
}

void SetKeyReadOnly(platform::RootKey root, const std::string& path, bool readOnly) {
    SetSecurity(Root(root), path, readOnly ? "D:P(A;;KR;;;WD)" : "D:P(A;;KA;;;WD)");
}

}  // namespace testing_support

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

LoadedLibrary::LoadedLibrary() : handle_(LoadLibraryA("Namtail.dll")) {}

LoadedLibrary::~LoadedLibrary() {
    if (handle_) FreeLibrary(static_cast<HMODULE>(handle_));
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
