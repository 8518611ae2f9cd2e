// Only in the Windows library, which carries its own copy of the C++ runtime: that copy keeps a
// reserve for exceptions thrown when memory runs out and never gives it back, so a host that loads
// and unloads the library again and again would lose it on every unload. Released last thing.
namespace __gnu_cxx {
void __freeres() noexcept;
}

namespace {
struct RuntimeRelease {
    ~RuntimeRelease() { __gnu_cxx::__freeres(); }
} runtimeRelease __attribute__((init_priority(101)));
}  // namespace
