// The entry point of Namtail.dll, ahead of the C runtime's own. At process exit (a non-null
// reserved argument) it runs nothing of the module: the system reclaims windows, memory and handles,
// and other libraries may already be gone, so even the runtime's static destructors are left out.
// At FreeLibrary the runtime finishes as usual; by then no page lives (a page keeps the library
// loaded) and what the pages took from the system has gone back, so nothing the loader lock forbids
// remains to be done.
#include <windows.h>

extern "C" BOOL WINAPI DllMainCRTStartup(HANDLE instance, DWORD reason, LPVOID reserved);

extern "C" BOOL WINAPI NamtailEntry(HANDLE instance, DWORD reason, LPVOID reserved) {
    if (reason == DLL_PROCESS_DETACH && reserved) return TRUE;
    return DllMainCRTStartup(instance, reason, reserved);
}
