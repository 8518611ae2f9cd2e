// Shutdown, privileges and the shell on Windows: each call passed on as it is.
#include <windows.h>

#include <shellapi.h>

#include "platform/System.h"
#include "platform/win32/LateBound.h"

namespace platform {
namespace {

class Win32System : public SystemServices {
  public:
    Token OpenProcessToken(std::uint32_t access, TokenFailure& failure) override {
        HANDLE token = nullptr;
        if (!::OpenProcessToken(GetCurrentProcess(), access, &token)) {
            failure = GetLastError() == ERROR_CALL_NOT_IMPLEMENTED ? TokenFailure::NotImplemented
                                                                   : TokenFailure::Refused;
            return nullptr;
        }
        failure = TokenFailure::None;
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
    bool RequestShutdown(std::uint32_t flags, std::uint32_t reason) override {
        return ExitWindowsEx(flags, reason) != FALSE;
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
    // GetWindowsDirectory gives a user's private folder under Terminal Services; the editor lives in
    // the system's. Converted for ShellExecuteA, and only when the ANSI code page spells it exactly.
    std::string WindowsDirectory() override {
        UINT size = GetSystemWindowsDirectoryW(nullptr, 0);
        if (size == 0) return {};
        std::wstring wide(size, L'\0');
        UINT length = GetSystemWindowsDirectoryW(wide.data(), size);
        if (length == 0 || length >= size) return {};
        return ToAnsi(wide.data(), static_cast<int>(length));
    }

  private:
    static std::string ToAnsi(const wchar_t* text, int length) {
        // The UTF-8 code page takes neither the flag nor the report of a default character.
        const bool utf8 = GetACP() == CP_UTF8;
        BOOL lossy = FALSE;
        DWORD flags = utf8 ? 0 : WC_NO_BEST_FIT_CHARS;
        int size =
            WideCharToMultiByte(CP_ACP, flags, text, length, nullptr, 0, nullptr, utf8 ? nullptr : &lossy);
        if (size <= 0 || lossy) return {};
        std::string ansi(static_cast<std::size_t>(size), '\0');
        WideCharToMultiByte(CP_ACP, flags, text, length, ansi.data(), size, nullptr, utf8 ? nullptr : &lossy);
        return lossy ? std::string() : ansi;
    }
};

}  // namespace

SystemServices& NativeSystem() {
    static Win32System system;
    return system;
}

}  // namespace platform
