// Shutdown, privileges and the shell on Windows: each call passed on as it is.
#include <windows.h>

#include <shellapi.h>

#include "platform/System.h"
#include "platform/win32/LateBound.h"

namespace platform {
namespace {

class Win32System : public SystemServices {
  public:
    Token OpenProcessToken(std::uint32_t access) override {
        HANDLE token = nullptr;
        if (!::OpenProcessToken(GetCurrentProcess(), access, &token)) return nullptr;
        return token;
    }
    void CloseToken(Token token) override { CloseHandle(token); }
    bool LookupPrivilege(const std::string& name, PrivilegeId& id) override {
        LUID luid{};
        if (!LookupPrivilegeValueA(nullptr, name.c_str(), &luid)) return false;
        id = {luid.LowPart, luid.HighPart};
        return true;
    }
    bool AdjustTokenPrivilege(Token token, bool disableAll, PrivilegeId id, std::uint32_t attributes,
                              void* previous, std::uint32_t previousSize,
                              std::uint32_t* returnedSize) override {
        TOKEN_PRIVILEGES privileges{};
        privileges.PrivilegeCount = 1;
        privileges.Privileges[0].Luid = {id.lowPart, id.highPart};
        privileges.Privileges[0].Attributes = attributes;
        DWORD returned = returnedSize ? *returnedSize : 0;
        BOOL ok = ::AdjustTokenPrivileges(token, disableAll, &privileges, previousSize,
                                          static_cast<PTOKEN_PRIVILEGES>(previous), &returned);
        if (returnedSize) *returnedSize = returned;
        return ok != FALSE;
    }
    bool RequestShutdown(std::uint32_t flags, std::uint32_t reserved) override {
        return ExitWindowsEx(flags, reserved) != FALSE;
    }
    std::intptr_t StartProgram(void* owner, const char* verb, const std::string& file,
                               const std::string& parameters, const std::string& directory,
                               int showCommand) override {
        auto shellExecute = LateBound<decltype(&ShellExecuteA)>("shell32.dll", "ShellExecuteA");
        if (!shellExecute) return 0;
        HINSTANCE result = shellExecute(static_cast<HWND>(owner), verb, file.c_str(), parameters.c_str(),
                                        directory.c_str(), showCommand);
        return reinterpret_cast<std::intptr_t>(result);
    }
    bool HighContrast() override {
        HIGHCONTRASTW contrast{sizeof contrast, 0, nullptr};
        return SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof contrast, &contrast, 0) &&
               (contrast.dwFlags & HCF_HIGHCONTRASTON);
    }
    Color SystemColor(int index) override { return GetSysColor(index); }
    std::string WindowsDirectory() override {
        char path[MAX_PATH];
        UINT length = GetWindowsDirectoryA(path, sizeof path);
        return length > 0 && length < sizeof path ? std::string(path, length) : std::string();
    }
};

}  // namespace

SystemServices& NativeSystem() {
    static Win32System system;
    return system;
}

}  // namespace platform
