#pragma once
// Marks the phases of a page's life for the benchmark's phase table. Nobody listens in the library
// the hosts load, where a mark costs one test of a null pointer.
namespace platform {

using PhaseListener = void (*)(const char* phase);
inline PhaseListener phaseListener = nullptr;

inline void Phase(const char* name) {
    if (phaseListener) phaseListener(name);
}

}  // namespace platform
