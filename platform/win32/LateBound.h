#pragma once
// Functions of system libraries that a page needs only now and then (the shell for the registry
// editor; oleacc and oleaut32 for screen readers), bound at first use instead of at load, so that a
// host that loads the library pays for none of them until they are used. Released at unload.
#include <windows.h>

namespace platform {

// The address of `name` in the system library `library`, loaded at first use; null when missing.
FARPROC LateBoundProc(const char* library, const char* name);
// Unload: nothing bound late is used afterwards.
void FreeLateBoundLibraries();

template <typename F>
F LateBound(const char* library, const char* name) {
    return reinterpret_cast<F>(reinterpret_cast<void*>(LateBoundProc(library, name)));
}

}  // namespace platform
