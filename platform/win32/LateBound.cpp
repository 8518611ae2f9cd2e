#include "platform/win32/LateBound.h"

#include <cstring>

namespace platform {
namespace {

class LoadedLibraries {
  public:
    ~LoadedLibraries() {
        for (const auto& loaded : loaded_)
            if (loaded.module) FreeLibrary(loaded.module);
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

FARPROC LateBoundProc(const char* library, const char* name) {
    HMODULE module = libraries.Get(library);
    return module ? GetProcAddress(module, name) : nullptr;
}

}  // namespace platform
