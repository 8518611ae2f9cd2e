// Win32 side of the test support: a CBT hook answers the real MessageBoxA boxes of this thread, and
// the registry is seeded with advapi32 directly.
#include <windows.h>

#include <string>
#include <utility>

#include <aclapi.h>
#include <sddl.h>

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
