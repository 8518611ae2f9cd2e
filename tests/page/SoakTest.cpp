// Thousands of pages and hundreds of library loads in one process leave no window behind and keep
// memory flat. Natively the leak checker of the sanitizers judges memory at exit; Win32 measures it.
#include <algorithm>
#include <cstdio>

#include "page/PageFixture.h"

namespace page_tests {
namespace {

constexpr int kWarmUp = 20;
// Under Wine the heap of a fresh process (CTest runs every test in one of its own) keeps growing over
// the first few hundred library loads before it settles (a loader of its own, 2000 loads with a page
// each, grows by one step and then not at all); a leak grows on after that.
constexpr int kLoadWarmUp = 500;
constexpr std::int64_t kAllowedGrowth = 256 * 1024;

class Soak : public PageTest {
  protected:
    // Reports the memory figure and checks it where the system provides one.
    static void ExpectFlat(const char* what, std::optional<std::uint64_t> before) {
        auto after = CommittedBytes();
        if (!before || !after) return;
        auto grown = static_cast<std::int64_t>(*after) - static_cast<std::int64_t>(*before);
        std::printf("%s: committed memory %llu -> %llu bytes (%+lld)\n", what,
                    static_cast<unsigned long long>(*before), static_cast<unsigned long long>(*after),
                    static_cast<long long>(grown));
        EXPECT_LE(grown, kAllowedGrowth) << what;
    }
};

TEST_F(Soak, TwoThousandCreateFreeCyclesLeaveNoWindowAndNoMemoryBehind) {
    const int windowsBefore = TipWindowCount();
    std::optional<std::uint64_t> before;
    for (int i = 0; i < 2000 + kWarmUp; ++i) {
        if (i == kWarmUp) before = CommittedBytes();
        Create(kWindowsXP, kWindowsXPBit, i % 2, 1);
        ASSERT_EQ(ModulFree(), 1);
    }
    EXPECT_EQ(TipWindowCount(), windowsBefore);
    std::printf("create/free: 2000 cycles, tip windows before %d, after %d\n", windowsBefore,
                TipWindowCount());
    ExpectFlat("create/free", before);
}

TEST_F(Soak, FiveHundredLibraryLoadsLeaveNoWindowAndNoMemoryBehind) {
    const int windowsBefore = TipWindowCount();
    // Wine's heap also grows by one step of several hundred kilobytes now and then, at a load that
    // depends on what was allocated before; a leak grows both halves of the run.
    std::optional<std::uint64_t> before, half;
    for (int i = 0; i < 500 + kLoadWarmUp; ++i) {
        ASSERT_FALSE(LoadedLibrary::Loaded())
            << "cycle " << i << ": what a load gave back is measured once it went";
        if (i == kLoadWarmUp) before = CommittedBytes();
        if (i == kLoadWarmUp + 250) half = CommittedBytes();
        LoadedLibrary library;
        ASSERT_TRUE(library) << "cycle " << i;
        auto create = reinterpret_cast<ModulCreateProc>(library.Find("ModulCreate"));
        auto free = reinterpret_cast<ModulQueryProc>(library.Find("ModulFree"));
        ASSERT_TRUE(create && free);
        // Every tenth load shows a page; the others only load and unload.
        if (i % 10 == 0) {
            create(10, 10, 300, 460, kWindowsXP, 1, "Alias names", "", kWindowsXPBit, 1);
            if (kLibraryWindowsVisible) {
                EXPECT_EQ(TipWindowCount(), windowsBefore + 1);
            }
            EXPECT_EQ(free(), 1);
        }
    }
    EXPECT_EQ(TipWindowCount(), windowsBefore);
    std::printf("load/unload: 500 cycles, tip windows before %d, after %d\n", windowsBefore,
                TipWindowCount());
    auto after = CommittedBytes();
    if (!before || !half || !after) return;
    const auto first = static_cast<std::int64_t>(*half - *before),
               second = static_cast<std::int64_t>(*after - *half);
    std::printf("load/unload: committed memory grew %+lld and %+lld bytes\n", static_cast<long long>(first),
                static_cast<long long>(second));
    EXPECT_LE(std::min(first, second), kAllowedGrowth / 2) << "each half of the loads";
}

}  // namespace
}  // namespace page_tests
