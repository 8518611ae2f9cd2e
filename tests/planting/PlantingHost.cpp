// A host with a stand-in oleacc.dll beside it, which Wine is told to prefer (as Windows does for a
// library that is not a known DLL). It loads oleacc by its bare name and lets it go, then loads the
// page by the full path given and asks the page for its accessible object. The exit code says what
// happened: bit 2 the bare-name load found the stand-in, bit 0 the page answered WM_GETOBJECT, bit 1
// the page loaded the stand-in. 64 and up: the host could not run.
#include <windows.h>

#include <objbase.h>
#include <oleacc.h>

#include "Namtail.h"

namespace {
bool StandInLoaded() {
    char mark[4] = {};
    return GetEnvironmentVariableA("NAMTAIL_STAND_IN_LOADED", mark, sizeof mark) > 0;
}
template <typename T>
T Proc(HMODULE library, const char* name) {
    return reinterpret_cast<T>(reinterpret_cast<void*>(GetProcAddress(library, name)));
}
}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) return 64;
    // First, and let go again: a library of that name still loaded would be found by any later load.
    int result = 0;
    if (HMODULE bare = LoadLibraryA("oleacc.dll")) {
        if (StandInLoaded()) result |= 4;
        FreeLibrary(bare);
        SetEnvironmentVariableA("NAMTAIL_STAND_IN_LOADED", nullptr);
    }
    HMODULE library = LoadLibraryExA(argv[1], nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
    if (!library) return 65;
    auto create = Proc<ModulCreateProc>(library, "ModulCreate");
    auto release = Proc<ModulQueryProc>(library, "ModulFree");
    if (!create || !release) return 66;
    CoInitialize(nullptr);
    create(10, 10, 300, 460, 13, 1, "Planting", nullptr, 4096, 1);
    HWND page = FindWindowA("NamtailTipWindow", "Planting");
    if (!page) return 67;
    if (SendMessageA(page, WM_GETOBJECT, 0, static_cast<LPARAM>(OBJID_CLIENT)) != 0) result |= 1;
    release();
    if (StandInLoaded()) result |= 2;
    CoUninitialize();
    return result;
}
