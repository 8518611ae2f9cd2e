// Replaces the POSIX thread library in Namtail.dll only. The few POSIX thread calls its C++ runtime
// makes (a mutex for the exception reserve and frame registration, thread-local exception state) are
// answered with plain Win32 calls: the full library would be a fifth of Namtail.dll, and brings calls
// that older systems lack (GetTickCount64, which 64-bit XP and Server 2003 do not have).
// Thread-local blocks of threads that end are not handed to their destructors: the library runs on
// the host's user-interface thread.
#include <windows.h>

#include <cstdint>

#include "platform/win32/runtime/RuntimeThreadKeys.h"

namespace {
// The runtime takes one key (its thread-local variables); room for a few more.
DWORD liveKeys[8];
unsigned liveKeyCount = 0;
}  // namespace

void ReleaseRuntimeThreadKeys() {
    while (liveKeyCount > 0) TlsFree(liveKeys[--liveKeyCount]);
}

extern "C" {

using pthread_mutex_t = std::intptr_t;  // -1: statically initialised, not yet created
using pthread_once_t = long;
using pthread_key_t = unsigned;

namespace {
CRITICAL_SECTION* Section(pthread_mutex_t* mutex) {
    auto* current = reinterpret_cast<CRITICAL_SECTION*>(*mutex);
    if (*mutex != -1 && current) return current;
    auto* created = new CRITICAL_SECTION;
    InitializeCriticalSection(created);
    auto* raced = InterlockedCompareExchangePointer(reinterpret_cast<void**>(mutex), created, current);
    if (raced == current) return created;
    DeleteCriticalSection(created);
    delete created;
    return static_cast<CRITICAL_SECTION*>(raced);
}
}  // namespace

int pthread_mutex_init(pthread_mutex_t* mutex, const void*) {
    *mutex = -1;
    Section(mutex);
    return 0;
}
int pthread_mutex_destroy(pthread_mutex_t* mutex) {
    if (*mutex != -1 && *mutex != 0) {
        auto* section = reinterpret_cast<CRITICAL_SECTION*>(*mutex);
        DeleteCriticalSection(section);
        delete section;
    }
    *mutex = -1;
    return 0;
}
int pthread_mutex_lock(pthread_mutex_t* mutex) {
    EnterCriticalSection(Section(mutex));
    return 0;
}
int pthread_mutex_unlock(pthread_mutex_t* mutex) {
    LeaveCriticalSection(Section(mutex));
    return 0;
}

int pthread_once(pthread_once_t* once, void (*routine)()) {
    static pthread_mutex_t onceMutex = -1;
    if (InterlockedCompareExchange(once, 0, 0) == 2) return 0;
    pthread_mutex_lock(&onceMutex);
    if (*once != 2) {
        routine();
        InterlockedExchange(once, 2);
    }
    pthread_mutex_unlock(&onceMutex);
    return 0;
}

int pthread_key_create(pthread_key_t* key, void (*)(void*)) {
    if (liveKeyCount == sizeof liveKeys / sizeof liveKeys[0]) return 11;  // EAGAIN
    DWORD index = TlsAlloc();
    if (index == TLS_OUT_OF_INDEXES) return 11;
    liveKeys[liveKeyCount++] = index;
    *key = index;
    return 0;
}
int pthread_key_delete(pthread_key_t key) {
    for (unsigned i = 0; i < liveKeyCount; ++i) {
        if (liveKeys[i] != key) continue;
        liveKeys[i] = liveKeys[--liveKeyCount];
        TlsFree(key);
        return 0;
    }
    return 22;  // EINVAL
}
void* pthread_getspecific(pthread_key_t key) {
    return TlsGetValue(key);
}
int pthread_setspecific(pthread_key_t key, const void* value) {
    return TlsSetValue(key, const_cast<void*>(value)) ? 0 : 22;  // EINVAL
}

}  // extern "C"
