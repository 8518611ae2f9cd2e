#pragma once
// Functions of system libraries that a page needs only now and then (the shell for the registry
// editor; oleacc and oleaut32 for screen readers), bound at first use instead of at load, so that a
// host that loads the library pays for none of them until they are used. Released when the last page goes.
#include <windows.h>

namespace platform {

// The address of `name` in the system library `library`, loaded at first use; null when missing.
FARPROC LateBoundProc(const char* library, const char* name);
// The last page went: nothing bound late is used until the next page binds it again.
void FreeLateBoundLibraries();

template <typename F>
F LateBound(const char* library, const char* name) {
    return reinterpret_cast<F>(reinterpret_cast<void*>(LateBoundProc(library, name)));
}

}  // namespace platform
