#include "platform/win32/LateBound.h"

#include <cstring>

namespace platform {
namespace {

// Plain data: freed by FreeLateBoundLibraries in the unload order, not by a static destructor.
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
            loaded = {name, LoadLibraryA(name)};
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
