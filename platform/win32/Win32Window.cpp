#include "platform/win32/Win32Window.h"

#include <utility>

#include "platform/Phases.h"
#include "platform/win32/Win32Text.h"

namespace platform {
namespace {

// CW_USEDEFAULT, and -32768, which Wine takes the same way.
bool SystemChooses(int value) {
    return value == CW_USEDEFAULT || value == -32768;
}

// The page's controls are its direct children.
bool InPage(HWND page, HWND window) {
    return window && (window == page || GetParent(window) == page);
}

Win32Peer* PeerOf(HWND hwnd) {
    return hwnd ? reinterpret_cast<Win32Peer*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA)) : nullptr;
}

}  // namespace

bool OwnedWindow::Destroy(bool peerGoing) {
    if (!window_) return true;
    carrier_.Leave();
    const LONG_PTR peer = SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
    // Children and the tooltip go with it. A hook may refuse, before any message: the window is its
    // peer's again, unless the peer is going. A window already gone (its thread ended) counts as
    // destroyed.
    if (!DestroyWindow(window_) && GetWindowThreadProcessId(window_, nullptr) != 0 && !peerGoing) {
        SetWindowLongPtrW(window_, GWLP_USERDATA, peer);
        carrier_.Join(window_);
        return false;
    }
    window_ = nullptr;
    return true;
}

Win32Peer::Win32Peer(Form& form) : form_(form), children_(form) {}

// Made once, at the place, size and texts the model holds by then: a page that the host places and
// words before it shows is never moved, resized or rewritten on screen on the way. A page window or
// child the system refuses leaves nothing behind, and no second attempt.
HWND Win32Peer::MadeWindow() {
    if (std::exchange(made_, true)) return Window();
    RegisterPageWindowClass(&WindowProc);
    // A host's value that CreateWindowEx would take as "the system chooses" is made 0 and placed
    // afterwards, as the system takes any other; the rest are made as given.
    const auto made = [](int value) { return SystemChooses(value) ? 0 : value; };
    const bool placeAfterwards = SystemChooses(form_.Left()) || SystemChooses(form_.Top()) ||
                                 SystemChooses(form_.Width()) || SystemChooses(form_.Height());
    window_.Reset(CreateWindowExW(kPageWindowExStyle, kPageWindowClass, Wide(form_.Caption(), CP_ACP).c_str(),
                                  kPageWindowStyle, made(form_.Left()), made(form_.Top()),
                                  made(form_.Width()), made(form_.Height()), nullptr, nullptr,
                                  ModuleInstance(), this));
    if (!Window()) throw WindowRefused("Cannot create the window");
    Phase("window");
    // Without its tooltip the page still works; the buttons show no hints.
    HWND tooltip = CreateWindowExW(
        WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT,
        CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, Window(), nullptr, ModuleInstance(), nullptr);
    Phase("tooltip window");
    try {
        children_.Create(Window(), tooltip, &ChildProc);
    } catch (...) {
        window_.Destroy();
        children_.Forget();
        throw;
    }
    ready_ = true;
    if (placeAfterwards) PlaceWindow(SWP_NOREDRAW, WindowChange::Bounds);
    Phase("children, fonts and tools");
    return Window();
}

Win32Peer::~Win32Peer() {
    accessible_.Disconnect();
    // The form is being destroyed around this peer: from here on its window gets the system's
    // default processing only.
    ready_ = false;
    if (!Window()) return;
    children_.EmptyEditTexts();
    children_.DestroyTooltip();  // the window goes with window_, the last member
}

// Its messages get the system's default processing while it goes. Hidden first, since the system
// destroys a hidden window at a fraction of the cost, by SetWindowPos, which unlike SW_HIDE does not
// itself hand the activation on. Refused, the page shows again as it was without taking the
// activation, and takes back only the activation and focus it held, should the system have moved
// them; the show is not the model's to hear, as the hide was not, so that the host's focus stays.
bool Win32Peer::DestroyNativeWindow() {
    if (!Window()) return true;
    const bool ready = std::exchange(ready_, false);
    const bool shown = Shown(Window());
    const HWND focus = GetFocus();
    const bool active = GetActiveWindow() == Window(), focusHere = InPage(Window(), focus);
    constexpr UINT kQuietly = SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE;
    if (shown) SetWindowPos(Window(), nullptr, 0, 0, 0, 0, kQuietly | SWP_HIDEWINDOW);
    children_.EmptyEditTexts();
    if (!window_.Destroy()) {
        children_.EmptyEditTexts(false);
        if (shown) SetWindowPos(Window(), nullptr, 0, 0, 0, 0, kQuietly | SWP_SHOWWINDOW);
        ready_ = ready;
        if (active && GetActiveWindow() != Window()) SetActiveWindow(Window());
        if (focusHere && GetFocus() != focus) SetFocus(focus);
        return false;
    }
    NativeWindowGone();  // the tooltip too: a docked page cannot own it
    return true;
}

void Win32Peer::WindowChanged(WindowChange what) {
    if (what == WindowChange::Visible) return VisibleChanged();
    if (!Window()) return;  // until the window is made, the model alone changes
    switch (what) {
        case WindowChange::Caption:
            // A hidden window gets its caption as it shows.
            if (!onScreen_)
                pending_.caption = true;
            else
                SetWindowTextW(Window(), Wide(form_.Caption(), CP_ACP).c_str());
            break;
        case WindowChange::Bounds:
        case WindowChange::Left:
        case WindowChange::Top:
        case WindowChange::Width:
        case WindowChange::Height:
            // At once, shown or not: a host reads the window back as soon as its command returns.
            // A hidden window's children are laid out as it shows.
            PlaceWindow(onScreen_ ? 0 : SWP_NOREDRAW, what);
            break;
        case WindowChange::Visible:
            break;  // above
        case WindowChange::Look:
            children_.FontsChanged();
            InvalidateRect(Window(), nullptr, TRUE);
            break;
    }
}

// A show within an update waits for its end, so that the window is made and shown once.
void Win32Peer::VisibleChanged() {
    pending_.show = updating_ && form_.Visible();
    if (pending_.show) return;
    if (form_.Visible()) MadeWindow();
    if (Window()) ShowOrHide();
}

void Win32Peer::ControlChanged(Control& control, ControlChange what) {
    if (Window() && ready_) children_.Changed(control, what, onScreen_);
}

void Win32Peer::Repaint() {
    if (!Window()) return;
    RedrawWindow(Window(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

void Win32Peer::FocusChanged() {
    if (!form_.Visible()) return;
    // Within an update, or before the window is made, the focus follows as the window shows.
    if (updating_ || !Window()) {
        pending_.focus = true;
        return;
    }
    Control* focused = form_.Input().FocusedControl();
    HWND child = focused ? children_.HandleOf(*focused) : nullptr;
    SetFocus(child ? child : Window());
}

void Win32Peer::EndUpdate() {
    updating_ = false;
    Flush();
}

// What waited for the end of the update, in the order Show does it. Each step may call back into a
// host (activation), which may let the page go: the door keeps this peer alive meanwhile, and a page
// that was closed is not shown or focused again.
void Win32Peer::Flush() {
    if (pending_.show && form_.Visible()) MadeWindow();
    if (!Window()) return;
    bool show = std::exchange(pending_.show, false), front = std::exchange(pending_.front, false);
    bool focus = std::exchange(pending_.focus, false);
    if (show && form_.Visible()) ShowOrHide();  // showing activates the window and raises it already
    if (front && !show && form_.Visible()) BringToFront();
    if (focus) FocusChanged();
}

LRESULT Win32Peer::Receive(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    bool handled = false;
    form_.HandleInput([&] { handled = Translate(msg, wParam, lParam, result); });
    return handled ? result : DefWindowProcW(hwnd, msg, wParam, lParam);
}

// A window about to show gets what changed while it was hidden first (caption, places, texts), so
// that it is laid out and drawn once.
void Win32Peer::ShowOrHide() {
    if (form_.Visible()) Reveal();
    onScreen_ = form_.Visible();
    ShowWindow(Window(), onScreen_ ? SW_SHOW : SW_HIDE);
}

void Win32Peer::Reveal() {
    if (std::exchange(pending_.caption, false))
        SetWindowTextW(Window(), Wide(form_.Caption(), CP_ACP).c_str());
    children_.Reveal();
}

void Win32Peer::NativeWindowGone(bool withItsThread) {
    accessible_.Disconnect(!withItsThread);
    window_.Forget();
    if (!withItsThread) children_.DestroyTooltip();  // else it went with its thread too
    children_.Forget();
}

// Carried calls found the page's thread ended: the form goes as for a window someone destroyed.
void Win32Peer::WentWithItsThread(void* peer) {
    auto* self = static_cast<Win32Peer*>(peer);
    self->ready_ = false;
    self->NativeWindowGone(true);
    self->form_.NativeWindowDestroyed();
}

LRESULT CALLBACK Win32Peer::WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    // An export carried here from another thread opens the door itself, as if called on this one.
    if (RanCarriedCall(msg, wParam)) return 0;
    EntryScope entry;
    if (msg == WM_NCCREATE) {
        auto* peer = static_cast<Win32Peer*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(peer));
    }
    Win32Peer* peer = PeerOf(hwnd);
    if (!peer || !peer->ready_) return DefWindowProcW(hwnd, msg, wParam, lParam);
    if (msg == WM_NCDESTROY) {
        // Someone else destroyed the window: the form goes once this entry returns, the peer with it.
        LRESULT result = DefWindowProcW(hwnd, msg, wParam, lParam);
        Form& form = peer->form_;
        peer->NativeWindowGone();
        form.NativeWindowDestroyed();
        return result;
    }
    return peer->Receive(hwnd, msg, wParam, lParam);
}

// A key in a child is the page's key: decoded where it arrives, into the same calls on the form.
LRESULT CALLBACK Win32Peer::ChildProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    EntryScope entry;
    auto original = reinterpret_cast<WNDPROC>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    Win32Peer* page = PeerOf(GetParent(hwnd));
    if (page && page->ready_ && page->TookKey(msg, wParam)) return 0;
    return CallWindowProcW(original, hwnd, msg, wParam, lParam);
}

}  // namespace platform
