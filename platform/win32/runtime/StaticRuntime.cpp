// Replaces pieces of the statically linked C++ runtime in Namtail.dll only (not in the tests or the
// demo): its verbose terminate handler and its container error reports, which would be close to half
// of the library, and it gives back the runtime's exception reserve at unload, which the runtime
// keeps for good, and its thread-local storage indexes. Exists for the size and the clean unload of a
// plug-in that hosts load and unload.
#include <cstdlib>
#include <new>

#include "platform/Error.h"
#include "platform/win32/runtime/RuntimeThreadKeys.h"

// The copy keeps a reserve for exceptions thrown when memory runs out and never gives it back, so a
// host that loads and unloads the library again and again would lose it on every unload. Released
// last thing, with the thread-local storage indexes.
namespace __gnu_cxx {
void __freeres() noexcept;
}

namespace {
struct RuntimeRelease {
    ~RuntimeRelease() {
        __gnu_cxx::__freeres();
        ReleaseRuntimeThreadKeys();
    }
} runtimeRelease __attribute__((init_priority(101)));
}  // namespace

// No exception escapes the exports, so the runtime's report of one that would (with its name
// demangler and formatted printing, a quarter of the library) has nothing to say.
namespace __gnu_cxx {
void __verbose_terminate_handler() {
    std::abort();
}
}  // namespace __gnu_cxx

// The containers report misuse through these; the runtime's own versions build standard exception
// types that bring a second string implementation along (a sixth of the library). Ours raise the
// module's error, which the boundaries already catch and show.
namespace std {
void __throw_bad_alloc() {
    throw bad_alloc();
}
void __throw_bad_array_new_length() {
    throw bad_array_new_length();
}
void __throw_bad_function_call() {
    throw platform::Error("bad function call");
}
void __throw_length_error(const char* what) {
    throw platform::Error(what);
}
void __throw_logic_error(const char* what) {
    throw platform::Error(what);
}
void __throw_out_of_range(const char* what) {
    throw platform::Error(what);
}
void __throw_out_of_range_fmt(const char* format, ...) {
    throw platform::Error(format);
}
void __throw_invalid_argument(const char* what) {
    throw platform::Error(what);
}
}  // namespace std
