// One cold round of a page library, in a process of its own: with the host's window already up, the
// library is loaded, its page created and waited for until it has painted, freed, and the library
// unloaded. Run alternately for Namtail.dll and the bare page's library (BarePage.dll) by
// scripts/bench, which takes the per-round ratios. Prints one line of milliseconds:
// load create paint free unload first_paint load_to_unload.
#include <windows.h>

#include <commctrl.h>

#include <cstdio>

#include "Namtail.h"
#include "bench/Baseline.h"

namespace {

void* Export(HMODULE library, const char* name) {
    return library ? reinterpret_cast<void*>(GetProcAddress(library, name)) : nullptr;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: NamtailColdBench LIBRARY\n");
        return 2;
    }
    InitCommonControls();  // a host of tool pages has the common controls loaded
    HWND host = bench::HostWindow();
    double marks[6];
    marks[0] = bench::Now();
    HMODULE library = LoadLibraryA(argv[1]);
    marks[1] = bench::Now();
    auto create = reinterpret_cast<ModulCreateProc>(Export(library, "ModulCreate"));
    auto free = reinterpret_cast<ModulQueryProc>(Export(library, "ModulFree"));
    if (!create || !free) {
        std::fprintf(stderr, "%s: no page library\n", argv[1]);
        return 1;
    }
    create(40, 40, 298, 455, 13, 1, "Alias names", "", 4096, 1);
    marks[2] = bench::Now();
    HWND page = FindWindowA(nullptr, "Alias names");
    if (!page) {
        std::fprintf(stderr, "the page did not appear\n");
        return 1;
    }
    bench::Painted(page);
    marks[3] = bench::Now();
    free();
    bench::Pump();
    marks[4] = bench::Now();
    FreeLibrary(library);
    marks[5] = bench::Now();
    for (int i = 1; i < 6; ++i) std::printf("%.3f ", (marks[i] - marks[i - 1]) * 1000);
    std::printf("%.3f %.3f\n", (marks[3] - marks[0]) * 1000, (marks[5] - marks[0]) * 1000);
    DestroyWindow(host);
    return 0;
}
