#pragma once
// The page window on Win32: one window of the module's own class per form, made top-level (a host
// may dock it in a window of its own), its children mirrored by ChildMirror, its messages translated
// into the portable model (Win32Messages.cpp).
#include <windows.h>

#include "platform/form/Form.h"
#include "platform/win32/Win32Accessible.h"
#include "platform/win32/Win32Carrier.h"
#include "platform/win32/Win32Children.h"

namespace platform {

// A top-level window owned from the moment it exists: destroyed with the owner, and cut from its
// peer first, so that no message of its destruction reaches a peer that is going or never was. While
// it lives it takes calls carried from other threads.
class OwnedWindow {
  public:
    explicit OwnedWindow(CarrierEntry::Gone gone, void* peer) : carrier_(gone, peer) {}
    ~OwnedWindow() { Destroy(true); }
    OwnedWindow(const OwnedWindow&) = delete;
    OwnedWindow& operator=(const OwnedWindow&) = delete;
    void Reset(HWND window) {
        window_ = window;
        carrier_.Join(window);
    }
    HWND Get() const { return window_; }
    // The system destroyed it: nothing left to do.
    void Forget() {
        carrier_.Leave();
        window_ = nullptr;
    }
    // False when the system refused: the window stays as it was, its peer's. With `peerGoing`, no
    // message reaches the peer any more, whatever the system says.
    bool Destroy(bool peerGoing = false);

  private:
    HWND window_ = nullptr;
    CarrierEntry carrier_;
};

class Win32Peer : public FormPeer {
  public:
    explicit Win32Peer(Form& form);
    ~Win32Peer() override;

    void* Handle() override { return MadeWindow(); }
    void* ControlHandle(const Control& control) override {
        return MadeWindow() ? children_.HandleOf(control) : nullptr;
    }
    void WindowChanged(WindowChange what) override;
    void ControlChanged(Control& control, ControlChange what) override;
    void BringToFront() override;
    void Repaint() override;
    void FocusChanged() override;
    void BeginUpdate() override { updating_ = true; }
    void EndUpdate() override;
    bool DestroyNativeWindow() override;

    // The window procedures of the page window and of its subclassed children: the module's door.
    static LRESULT CALLBACK WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK ChildProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

  private:
    // What waits for the window to show or for the end of an update, applied by one Flush.
    struct Pending {
        bool caption = false, show = false, front = false, focus = false;
    };

    HWND Window() const { return window_.Get(); }
    // The native window, made at its first show or first asked-for handle.
    HWND MadeWindow();
    void Flush();
    // Places the window where the model has it; `set` is what the host set, all of it for Bounds.
    void PlaceWindow(UINT extraFlags, WindowChange set);
    void VisibleChanged();
    void ShowOrHide();
    // What changed while the window was hidden, applied as it shows.
    void Reveal();
    // The system placed, showed or hid the window, or gave it another parent (`flags` say what
    // changed): the model reads it back from the window in the window's own coordinates.
    void WindowPlaced(UINT flags);
    // The window went without the peer asking; `withItsThread`: its thread ended, and nothing of that
    // thread's may be touched.
    void NativeWindowGone(bool withItsThread = false);
    static void WentWithItsThread(void* peer);

    // Each native message decoded once, into typed calls on the form, errors shown; what the form
    // does not take goes to the system.
    LRESULT Receive(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    // Message translation (Win32Messages.cpp): true when the message was handled here, its answer in
    // `result`.
    bool Translate(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result);
    bool HandledKey(UINT msg, WPARAM key);
    // A key of the page or of a child, through the door with errors shown; true when the form took it.
    bool TookKey(UINT msg, WPARAM key);
    void PaintClient(HDC dc);
    void ShowPopupMenu(LPARAM at);

    Form& form_;
    AccessibleClient accessible_;
    ChildMirror children_;
    OwnedWindow window_{&WentWithItsThread, this};  // last member: destroyed first, before what its
                                                    // messages would use
    bool ready_ = false, tracking_ = false, accessKeyDown_ = false;
    bool onScreen_ = false;  // the native window is shown
    bool made_ = false;      // the native window was made, or refused: it is never made again
    bool updating_ = false;
    bool placing_ = false;  // the page itself is placing the window: the model holds what it asked
    Pending pending_;
};

}  // namespace platform

namespace platform {

// The style of the page window, for the frame size the model subtracts.
constexpr DWORD kPageWindowStyle = WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
constexpr DWORD kPageWindowExStyle = 0;
// The page window's class (Win32WindowClass.cpp), registered with the first page and unregistered
// when the last one goes. Unregistering is false while a window of the class still exists.
constexpr wchar_t kPageWindowClass[] = L"NamtailTipWindow";
void RegisterPageWindowClass(WNDPROC procedure);
bool UnregisterPageWindowClass();
// Shown by its own style, whatever its parent or owner: IsWindowVisible also asks the ancestors.
bool Shown(HWND window);
// The library's own module, which owns the class and the windows.
HINSTANCE ModuleInstance();
// The system's own cursor for `cursor`: shared, never destroyed, and loaded once per load of the
// library, since loading one costs a fifth of a millisecond under Wine.
HCURSOR SystemCursor(Cursor cursor);

}  // namespace platform
