#pragma once
// The thread-local storage indexes that the C++ runtime of Namtail.dll took (for its per-thread
// exception state, at the first exception of a load). The runtime never gives them back, and a
// process has only about a thousand: a host that loads and unloads the library again and again would
// run out.

// Frees them. Calls kernel32 only, so it is safe at DLL_PROCESS_DETACH; nothing of the runtime that
// throws or keeps per-thread state may run afterwards.
void ReleaseRuntimeThreadKeys();
