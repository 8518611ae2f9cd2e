// How the page compares with the bare Win32 limit, in one run: a page created through Namtail.dll
// until it has painted, then freed, against the bare page of Baseline.h. Many short rounds alternate
// between the two, so that both sides of a round meet the same load of a busy machine; each round's
// ratio is printed ("ratios NAME r1 r2 ..."), for scripts/ratio_summary.py to give their median with
// its 95 % interval. Also library load plus unload against a library that does nothing, and the
// committed memory of one live page against one live bare page. Prints "name value unit" lines.
// Usage: NamtailBench [cycles a side, over all rounds] [rounds]
#include <windows.h>

#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "Namtail.h"
#include "bench/Baseline.h"

namespace {

using bench::Now;

struct Library {
    explicit Library(const char* name = "Namtail.dll") : handle(LoadLibraryA(name)) {}
    ~Library() {
        if (handle) FreeLibrary(handle);
    }
    void* Find(const char* name) const {
        return handle ? reinterpret_cast<void*>(GetProcAddress(handle, name)) : nullptr;
    }
    HMODULE handle;
    ModulCreateProc create = reinterpret_cast<ModulCreateProc>(Find("ModulCreate"));
    ModulQueryProc free = reinterpret_cast<ModulQueryProc>(Find("ModulFree"));
};

HWND PageWindow() {
    return FindWindowA("NamtailTipWindow", "Alias names");
}

void PageCycle(const Library& library, bool keep = false) {
    library.create(40, 40, 298, 455, 13, 1, "Alias names", "", 4096, 1);
    HWND page = PageWindow();
    if (!page) {
        std::fprintf(stderr, "the page did not appear\n");
        std::exit(1);
    }
    bench::Painted(page);
    if (!keep) library.free();
}

template <typename F>
double SecondsPerCycle(int cycles, F&& cycle) {
    double start = Now();
    for (int i = 0; i < cycles; ++i) cycle();
    return (Now() - start) / cycles;
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    std::size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

SIZE_T Committed() {
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof counters;
    GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters);
    return counters.PagefileUsage;  // PrivateUsage reads 0 under Wine
}

// Rounds of `cycles` each, alternating which side goes first; per-round ratios a/b.
template <typename A, typename B>
std::vector<double> Ratios(int rounds, int cycles, A&& a, B&& b, std::vector<double>& aTimes,
                           std::vector<double>& bTimes) {
    std::vector<double> ratios;
    for (int round = 0; round < rounds; ++round) {
        double ta, tb;
        if (round % 2) {
            tb = SecondsPerCycle(cycles, b), ta = SecondsPerCycle(cycles, a);
        } else {
            ta = SecondsPerCycle(cycles, a), tb = SecondsPerCycle(cycles, b);
        }
        aTimes.push_back(ta), bTimes.push_back(tb), ratios.push_back(ta / tb);
    }
    return ratios;
}

void Report(const char* name, const std::vector<double>& ratios) {
    std::printf("ratios %s", name);
    for (double ratio : ratios) std::printf(" %.4f", ratio);
    std::printf("\n");
}

}  // namespace

int main(int argc, char** argv) {
    // 140 rounds of 4 cycles: on a busy machine the medians of repeated runs came within 0.015 of each
    // other; 35 rounds of 8 differed by up to 0.17, 140 rounds of 2 by up to 0.03. A run whose cycles
    // take several times their usual time (a starved machine) reads nearer 1.
    const int cycles = argc > 1 ? std::atoi(argv[1]) : 560;
    const int rounds = std::max(1, argc > 2 ? std::atoi(argv[2]) : 140);
    const int perRound = std::max(1, cycles / rounds);
    std::printf("warm_rounds %d rounds of %d cycles a side\n", rounds, perRound);
    InitCommonControls();

    // Load and unload first, while no copy is loaded: each cycle maps and initialises the library.
    std::vector<double> load, empty;
    auto loadRatios = Ratios(
        rounds, std::max(1, perRound / 4), [] { Library again; }, [] { Library nothing("EmptyModule.dll"); },
        load, empty);
    std::printf("library_load_unload %.3f ms\n", Median(load) * 1000);
    std::printf("empty_library_load_unload %.3f ms\n", Median(empty) * 1000);
    Report("ratio_load_to_empty", loadRatios);

    Library library;
    if (!library.create || !library.free) {
        std::fprintf(stderr, "Namtail.dll not found\n");
        return 1;
    }
    bench::Baseline baseline;
    for (int i = 0; i < 5; ++i) PageCycle(library), baseline.Cycle();  // warm caches and lazy set-up
    std::vector<double> page, bare;
    auto ratios = Ratios(
        rounds, perRound, [&] { PageCycle(library); }, [&] { baseline.Cycle(); }, page, bare);
    std::printf("page_create_paint_free %.3f ms\n", Median(page) * 1000);
    std::printf("bare_create_paint_free %.3f ms\n", Median(bare) * 1000);
    Report("ratio_page_to_bare", ratios);

    SIZE_T before = Committed();
    PageCycle(library, true);
    SIZE_T withPage = Committed();
    library.free();
    bench::Pump();
    SIZE_T between = Committed();
    HWND bareWindow = baseline.Cycle(true);
    SIZE_T withBare = Committed();
    baseline.Destroy(bareWindow);
    std::printf("live_page_committed %.1f KiB\n",
                (static_cast<double>(withPage) - static_cast<double>(before)) / 1024);
    std::printf("live_bare_committed %.1f KiB\n",
                (static_cast<double>(withBare) - static_cast<double>(between)) / 1024);
    return 0;
}
