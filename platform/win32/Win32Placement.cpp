// Where the page window is and what is in front of it: placed by the page at the model's word, read
// back whenever the system placed it, in the window's own coordinates (the client area of the window it is
// docked in, or the screen). A minimized window's rectangle is its parked icon: its place is its normal
// placement, which the page reads and writes instead.
#include <utility>

#include "platform/win32/Win32Window.h"

namespace platform {
namespace {

// A top-level window's normal placement is in workspace coordinates, which lie off the screen's by
// the taskbar and other bars docked at the top or left of its monitor.
POINT WorkspaceOrigin(HWND window) {
    POINT origin{0, 0};
    if (GetAncestor(window, GA_PARENT) != GetDesktopWindow() ||
        (GetWindowLongPtrW(window, GWL_EXSTYLE) & WS_EX_TOOLWINDOW))
        return origin;
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    if (GetMonitorInfoW(MonitorFromWindow(window, MONITOR_DEFAULTTOPRIMARY), &monitor)) {
        origin.x = monitor.rcWork.left - monitor.rcMonitor.left;
        origin.y = monitor.rcWork.top - monitor.rcMonitor.top;
    }
    return origin;
}

bool ReadPlacement(HWND window, WINDOWPLACEMENT& placement) {
    placement = WINDOWPLACEMENT{};
    placement.length = sizeof placement;
    return GetWindowPlacement(window, &placement) != FALSE;
}

Rect NormalPlaceOf(HWND window, const WINDOWPLACEMENT& placement) {
    const RECT& normal = placement.rcNormalPosition;
    const POINT origin = WorkspaceOrigin(window);
    return {normal.left + origin.x, normal.top + origin.y, normal.right - normal.left,
            normal.bottom - normal.top};
}

// The window's place in its own coordinates: its normal placement while it is minimized.
Rect PlaceOf(HWND window) {
    WINDOWPLACEMENT placement;
    if (IsIconic(window) && ReadPlacement(window, placement)) return NormalPlaceOf(window, placement);
    RECT r;
    GetWindowRect(window, &r);
    MapWindowPoints(HWND_DESKTOP, GetAncestor(window, GA_PARENT), reinterpret_cast<POINT*>(&r), 2);
    return {r.left, r.top, r.right - r.left, r.bottom - r.top};
}

// Without WPF_RESTORETOMAXIMIZED the system keeps its own restoring: a window that was maximized as
// it was minimized is restored maximized, and takes its new normal place once restored from that.
bool PlaceNormally(HWND window, WINDOWPLACEMENT& placement, const Rect& bounds, UINT show) {
    const POINT origin = WorkspaceOrigin(window);
    const int left = bounds.left - origin.x, top = bounds.top - origin.y;
    placement.rcNormalPosition = {left, top, left + bounds.width, top + bounds.height};
    placement.flags = 0;
    placement.showCmd = show;
    return SetWindowPlacement(window, &placement) != FALSE;
}

// A minimized window keeps what it is given for its restoring; it stays minimized, shown or hidden
// as it was (whatever the windows it lies in), and is not activated.
bool PlaceMinimized(HWND window, const Rect& bounds) {
    WINDOWPLACEMENT placement;
    if (!IsIconic(window) || !ReadPlacement(window, placement)) return false;
    return PlaceNormally(window, placement, bounds, Shown(window) ? SW_SHOWMINNOACTIVE : SW_HIDE);
}

// A maximized window, which the page never makes itself, is restored without being activated, shown
// or hidden as it was: what the host's command set replaces that of its normal place, the rest stays
// as it was there.
bool RestoreMaximized(HWND window, const Rect& bounds, WindowChange set) {
    WINDOWPLACEMENT placement;
    if (!IsZoomed(window) || !ReadPlacement(window, placement)) return false;
    Rect restored = NormalPlaceOf(window, placement);
    const bool all = set == WindowChange::Bounds;
    if (all || set == WindowChange::Left) restored.left = bounds.left;
    if (all || set == WindowChange::Top) restored.top = bounds.top;
    if (all || set == WindowChange::Width) restored.width = bounds.width;
    if (all || set == WindowChange::Height) restored.height = bounds.height;
    if (Shown(window)) return PlaceNormally(window, placement, restored, SW_SHOWNOACTIVATE);
    // Any show would put it on screen: a maximized window is one with that style, and a hidden one
    // is restored by taking it away.
    SetWindowLongPtrW(window, GWL_STYLE, GetWindowLongPtrW(window, GWL_STYLE) & ~WS_MAXIMIZE);
    return SetWindowPos(window, nullptr, restored.left, restored.top, restored.width, restored.height,
                        SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED) != FALSE;
}

// Whether the page may take the focus as it shows without taking it from the host: the page window
// itself has it (the page was activated); or the page is docked in the active window, and the focus
// is in the page, on the window the page lies in (where the system puts it when the page hides with
// it), or nowhere.
bool FocusIsThePages(HWND page) {
    HWND focus = GetFocus(), parent = GetAncestor(page, GA_PARENT);
    if (focus == page) return true;
    if (parent == GetDesktopWindow() || GetActiveWindow() != GetAncestor(page, GA_ROOT)) return false;
    return !focus || focus == parent || GetParent(focus) == page;
}

}  // namespace

bool Shown(HWND window) {
    return (GetWindowLongPtrW(window, GWL_STYLE) & WS_VISIBLE) != 0;
}

void Win32Peer::PlaceWindow(UINT extraFlags, WindowChange set) {
    const Rect bounds{form_.Left(), form_.Top(), form_.Width(), form_.Height()};
    if (RestoreMaximized(Window(), bounds, set)) return;  // the model reads back where it went
    const bool placing = std::exchange(placing_, true);
    if (!PlaceMinimized(Window(), bounds))
        SetWindowPos(Window(), nullptr, bounds.left, bounds.top, bounds.width, bounds.height,
                     SWP_NOZORDER | SWP_NOACTIVATE | extraFlags);
    placing_ = placing;
}

void Win32Peer::WindowPlaced(UINT flags) {
    const Rect r = PlaceOf(Window());
    // Only what changed now replaces the model's. The page's own placing keeps the host's values as
    // given, whatever minimum the system holds the window to.
    Rect bounds{form_.Left(), form_.Top(), form_.Width(), form_.Height()};
    if (!(flags & SWP_NOMOVE)) bounds.left = r.left, bounds.top = r.top;
    if (!(flags & SWP_NOSIZE)) bounds.width = r.width, bounds.height = r.height;
    if (!placing_) form_.WindowPlaced(bounds);
    if (!(flags & (SWP_SHOWWINDOW | SWP_HIDEWINDOW))) return;
    const bool shown = Shown(Window());
    if (shown && !form_.Visible()) Reveal();  // shown by someone else: now on screen
    onScreen_ = shown;
    form_.WindowShown(shown);
    // However it showed, the first tab stop takes the focus that is the page's.
    if (shown && FocusIsThePages(Window())) form_.Input().FocusFirstTabStop();
}

void Win32Peer::BringToFront() {
    if (!Window()) return;
    if (updating_) {
        pending_.front = true;
        return;
    }
    // Brought to the front, a minimized page is restored: in front as an icon, nobody could use it.
    if (IsIconic(Window())) ShowWindow(Window(), SW_RESTORE);
    // A window that has just shown is usually in front already. A page docked in a host's window
    // comes to the top of its siblings, and the host's window to the front.
    HWND root = GetAncestor(Window(), GA_ROOT);
    if (GetForegroundWindow() == root && !GetWindow(Window(), GW_HWNDPREV)) return;
    SetWindowPos(Window(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    SetForegroundWindow(root);
}

}  // namespace platform
