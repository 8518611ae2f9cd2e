// The bare page of Baseline.h as a library of its own, with the page's two calls, for the cold
// benchmark: it imports the help library as Namtail.dll does and pays what the page pays once per
// load (common controls, window class, fonts, brushes and images at the first page; all of it given
// back when the page goes).
#include <windows.h>

#include <commctrl.h>

#include <cstdint>

#include "bench/Baseline.h"

namespace {

HINSTANCE instance = nullptr;
bool commonControls = false;
bench::Baseline* baseline = nullptr;
HWND window = nullptr;

}  // namespace

extern "C" BOOL WINAPI DllMain(HINSTANCE self, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) instance = self;
    return TRUE;
}

extern "C" __declspec(dllexport) std::int32_t
    __stdcall ModulCreate(std::int32_t, std::int32_t, std::int32_t, std::int32_t, std::int32_t, std::int32_t,
                          const char*, const char*, std::int32_t, std::int32_t) {
    if (!commonControls) {
        INITCOMMONCONTROLSEX icc{sizeof icc, ICC_WIN95_CLASSES};
        commonControls = InitCommonControlsEx(&icc);
    }
    if (!baseline) baseline = new bench::Baseline(nullptr, instance);
    if (!window) window = baseline->Cycle(true);
    return 0;
}

extern "C" __declspec(dllexport) std::int32_t __stdcall ModulFree() {
    if (window) baseline->Destroy(window);
    window = nullptr;
    delete baseline;
    baseline = nullptr;
    return 1;
}
