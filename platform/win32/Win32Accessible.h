#pragma once
// The page window's object for Microsoft Active Accessibility (WM_GETOBJECT, OBJID_CLIENT).
#include <windows.h>

namespace platform {

class Form;
class PageAccessible;

// One object per window, made on the first request; the window's peer holds it until it goes.
class AccessibleClient {
  public:
    AccessibleClient() = default;
    ~AccessibleClient() { Disconnect(); }
    AccessibleClient(const AccessibleClient&) = delete;
    AccessibleClient& operator=(const AccessibleClient&) = delete;

    // The answer to WM_GETOBJECT for the client area of `hwnd`.
    LRESULT Answer(HWND hwnd, Form& form, WPARAM flags);
    // Objects that clients still hold answer CO_E_OBJNOTCONNECTED from now on; COM's stubs for them go.
    // Without `apartmentLives` (the page's thread ended) those are left alone: they went with the
    // thread's apartment.
    void Disconnect(bool apartmentLives = true);

  private:
    PageAccessible* object_ = nullptr;
};

}  // namespace platform
