// Where the time of a page goes: the page, linked in, and the bare page of Baseline.h both mark the
// phases of their life; this sums the time between marks over many cycles, interleaved, and prints
// one table each. Phases of the page: its description, components and images, the window, tooltip,
// children with fonts and tools, the creation handler (registry reads), placing, showing with the
// help texts, the language, first paint, and destruction.
#include <windows.h>

#include <psapi.h>

#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

#include "Namtail.h"
#include "bench/Baseline.h"
#include "platform/Phases.h"

namespace {

struct PhaseClock {
    std::vector<std::string> order;
    std::map<std::string, double> seconds;
    double last = 0;
    void Start() { last = bench::Now(); }
    void Mark(const char* phase) {
        double now = bench::Now();
        if (!seconds.count(phase)) order.push_back(phase);
        seconds[phase] += now - last;
        last = now;
    }
};

PhaseClock pageClock, bareClock;

SIZE_T Committed() {
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof counters;
    GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters);
    return counters.PagefileUsage;
}

void Print(const char* what, const PhaseClock& clock, int cycles) {
    double total = 0;
    for (const auto& phase : clock.order) total += clock.seconds.at(phase);
    std::printf("%s, per cycle:\n", what);
    for (const auto& phase : clock.order)
        std::printf("  %-28s %8.3f ms %5.1f %%\n", phase.c_str(), clock.seconds.at(phase) / cycles * 1000,
                    100 * clock.seconds.at(phase) / total);
    std::printf("  %-28s %8.3f ms\n", "total", total / cycles * 1000);
}

// The first page of a fresh process, with the host's window up: what a page costs once per load.
// One page through the library, phase by phase into pageClock: created, painted, freed.
void TimedPageCycle() {
    platform::phaseListener = [](const char* phase) { pageClock.Mark(phase); };
    pageClock.Start();
    ModulCreate(40, 40, 298, 455, 13, 1, "Alias names", "", 4096, 1);
    bench::Painted(FindWindowA("NamtailTipWindow", "Alias names"));
    pageClock.Mark("painted");
    ModulFree();
    bench::Pump();
    pageClock.Mark("destroyed");
}

// Prints "phase milliseconds" lines for one side, the page or the bare page.
int Cold(bool page) {
    HWND host = bench::HostWindow();
    PhaseClock& clock = page ? pageClock : bareClock;
    if (page) {
        TimedPageCycle();
    } else {
        bareClock.Start();
        bench::Baseline baseline([](const char* phase) { bareClock.Mark(phase); });
        bareClock.Mark("class, fonts and images");
        baseline.Cycle();
    }
    for (const auto& phase : clock.order)
        std::printf("%s %.3f\n", phase.c_str(), clock.seconds.at(phase) * 1000);
    DestroyWindow(host);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    InitCommonControls();
    if (argc > 2 && std::string(argv[1]) == "cold") return Cold(std::string(argv[2]) == "page");
    int cycles = argc > 1 ? std::atoi(argv[1]) : 200;
    bench::Baseline baseline([](const char* phase) { bareClock.Mark(phase); });
    for (int i = 0; i < 5; ++i) {  // warm caches and lazy set-up, untimed
        ModulCreate(40, 40, 298, 455, 13, 1, "Alias names", "", 4096, 1);
        ModulFree();
        baseline.Cycle();
    }
    pageClock = PhaseClock{}, bareClock = PhaseClock{};
    double pageGrowth = 0, bareGrowth = 0;
    for (int i = 0; i < cycles; ++i) {
        double atStart = static_cast<double>(Committed());
        TimedPageCycle();
        platform::phaseListener = nullptr;
        double between = static_cast<double>(Committed());
        pageGrowth += between - atStart;
        bareClock.Start();
        baseline.Cycle();
        bareGrowth += static_cast<double>(Committed()) - between;
    }
    std::printf("committed memory growth over the cycles: page %+.1f KiB, bare %+.1f KiB\n",
                pageGrowth / 1024, bareGrowth / 1024);
    Print("page", pageClock, cycles);
    Print("bare", bareClock, cycles);
    return 0;
}
