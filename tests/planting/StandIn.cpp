// A stand-in for oleacc.dll, planted beside a test host: it does nothing but leave a mark that it
// was loaded into the process.
#include <windows.h>

BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) SetEnvironmentVariableA("NAMTAIL_STAND_IN_LOADED", "1");
    return TRUE;
}
