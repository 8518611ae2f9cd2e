#pragma once
// Marks the phases of a page's life for the benchmark's phase table. Only the benchmark's own build
// of the page (NAMTAIL_PHASES) has them; in the library hosts load they compile to nothing.
namespace platform {

#ifdef NAMTAIL_PHASES
using PhaseListener = void (*)(const char* phase);
inline PhaseListener phaseListener = nullptr;

inline void Phase(const char* name) {
    if (phaseListener) phaseListener(name);
}
#else
inline void Phase(const char*) {}
#endif

}  // namespace platform
