// The page window's answer to WM_GETOBJECT: one accessible object, made on the first request, handed
// to clients through oleacc and disconnected when the window goes.
#include "platform/win32/Win32Accessible.h"

#include "platform/win32/LateBound.h"
#include "platform/win32/Win32AccessibleObject.h"

namespace platform {
namespace {

// A client in this process may hold the object past FreeLibrary (an answer to WM_GETOBJECT never
// collected is released by CoUninitialize), and its calls go through the object's vtable. Once one
// has been handed out, the library stays mapped until the process ends, so no such call ever reaches
// unloaded code; a host that loads it again gets the same library back.
void KeepLibraryLoaded() {
    static bool pinned = false;
    HMODULE self = nullptr;
    if (!pinned)
        pinned = GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_PIN,
                                    reinterpret_cast<LPCSTR>(&KeepLibraryLoaded), &self);
}

}  // namespace

LRESULT AccessibleClient::Answer(HWND hwnd, Form& form, WPARAM flags) {
    auto answer = LateBound<decltype(&LresultFromObject)>("oleacc.dll", "LresultFromObject");
    if (!answer) return 0;
    KeepLibraryLoaded();
    if (!object_) object_ = new PageAccessible(hwnd, form);
    return answer(kIidAccessible, flags, object_);
}

// Clients that still hold the object or one of its children get CO_E_OBJNOTCONNECTED from now on, and
// COM lets go of the stubs it made for other apartments and processes, and of answers never collected,
// so none of them calls in later. A client that holds such a stub's proxy gets COM's own answer from
// then on, not the page's: its calls no longer reach the object.
void AccessibleClient::Disconnect(bool apartmentLives) {
    if (!object_) return;
    object_->Disconnect(
        apartmentLives ? LateBound<PageAccessible::CutStubs>("ole32.dll", "CoDisconnectObject") : nullptr);
    object_->Release();
    object_ = nullptr;
}

}  // namespace platform
