#include "platform/win32/LateBound.h"

#include <cstring>

namespace platform {
namespace {

// From the system folder only. By a bare name the loader looks in the host's folder first (then the
// current folder and PATH), and none of these is a known DLL that the system pins: a file of that
// name beside the host would run inside it, with its rights.
HMODULE LoadSystemLibrary(const char* name) {
    wchar_t path[MAX_PATH + 32] = {};
    // Windows 8, and Vista or 7 with the update that added AddDllDirectory, search the system
    // folder alone, for the library and its own imports.
    HMODULE kernel = GetModuleHandleW(L"kernel32.dll");
    const bool searchFlags = kernel && GetProcAddress(kernel, "AddDllDirectory");
    std::size_t length = 0;
    if (!searchFlags) {
        UINT directory = GetSystemDirectoryW(path, MAX_PATH);
        if (directory == 0 || directory >= MAX_PATH) return nullptr;
        length = directory;
        path[length++] = L'\\';
    }
    for (const char* c = name; *c && length + 1 < sizeof path / sizeof path[0]; ++c)
        path[length++] = static_cast<wchar_t>(static_cast<unsigned char>(*c));
    path[length] = L'\0';
    // By its full path, its own imports are searched from its folder first.
    return LoadLibraryExW(path, nullptr,
                          searchFlags ? LOAD_LIBRARY_SEARCH_SYSTEM32 : LOAD_WITH_ALTERED_SEARCH_PATH);
}

// Plain data: freed by FreeLateBoundLibraries when the last page goes, not by a static destructor.
class LoadedLibraries {
  public:
    void FreeAll() {
        for (auto& loaded : loaded_) {
            if (loaded.module) FreeLibrary(loaded.module);
            loaded = {};
        }
    }
    HMODULE Get(const char* name) {
        for (const auto& loaded : loaded_)
            if (loaded.name && std::strcmp(loaded.name, name) == 0) return loaded.module;
        for (auto& loaded : loaded_) {
            if (loaded.name) continue;
            loaded = {name, LoadSystemLibrary(name)};
            return loaded.module;
        }
        return nullptr;
    }

  private:
    struct Loaded {
        const char* name = nullptr;
        HMODULE module = nullptr;
    };
    Loaded loaded_[4];
} libraries;

}  // namespace

void FreeLateBoundLibraries() {
    libraries.FreeAll();
}

FARPROC LateBoundProc(const char* library, const char* name) {
    HMODULE module = libraries.Get(library);
    return module ? GetProcAddress(module, name) : nullptr;
}

}  // namespace platform
