#include "platform/win32/Win32Children.h"

#include <utility>

#include "platform/win32/AccessibleChildIds.h"
#include "platform/win32/Win32ControlKinds.h"
#include "platform/win32/Win32Gdi.h"
#include "platform/win32/Win32Text.h"

namespace platform {
namespace {

constexpr int kFirstControlId = 100;

// Wine's ntdll names itself; Windows' does not.
bool UnderWine() {
    static int wine = -1;
    if (wine < 0) wine = GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version") != nullptr;
    return wine != 0;
}

HINSTANCE InstanceOf(HWND window) {
    return reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(window, GWLP_HINSTANCE));
}

}  // namespace

void ChildMirror::Create(HWND parent, HWND tooltip, WNDPROC childProc) {
    parent_ = parent;
    tooltip_ = tooltip;
    int id = kFirstControlId;
    ForEachControl(form_.Components(), [&](Control& control) {
        natives_.push_back({&control, NativeKindOf(control), id++, nullptr, false, false, false});
        if (!natives_.back().kind) AddTool(natives_.back());
    });
    // The system puts a new child below its siblings: made last to first, later controls lie above
    // earlier ones, as in the description, with no reordering afterwards.
    for (auto n = natives_.rbegin(); n != natives_.rend(); ++n)
        if (n->kind) CreateChild(*n, childProc);
}

void ChildMirror::Forget() {
    parent_ = tooltip_ = nullptr;
    for (Native& n : natives_) n.child = nullptr;
}

void ChildMirror::DestroyTooltip() {
    HWND tooltip = std::exchange(tooltip_, nullptr);
    if (tooltip) DestroyWindow(tooltip);  // gone already with an owner: refused, harmlessly
}

ChildMirror::Native* ChildMirror::Find(const Control& control) {
    for (Native& n : natives_)
        if (n.control == &control) return &n;
    return nullptr;
}

HWND ChildMirror::HandleOf(const Control& control) const {
    const Native* native = const_cast<ChildMirror*>(this)->Find(control);
    return native ? native->child : nullptr;
}

Control* ChildMirror::ControlOfId(int id) const {
    for (const Native& n : natives_)
        if (n.id == id) return n.control;
    return nullptr;
}

Control* ChildMirror::ControlOfHandle(HWND child) const {
    for (const Native& n : natives_)
        if (child && n.child == child) return n.control;
    return nullptr;
}

void ChildMirror::CreateChild(Native& native, WNDPROC childProc) {
    Control& control = *native.control;
    const NativeControlKind& kind = *native.kind;
    DWORD style = WS_CHILD | WS_CLIPSIBLINGS | kind.style(control);
    if (control.TabStop()) style |= WS_TABSTOP;
    if (control.Visible()) style |= WS_VISIBLE;
    if (!control.Enabled()) style |= WS_DISABLED;
    const Rect& r = control.Bounds();
    HWND child = CreateWindowExW(0, kind.windowClass, kind.textAfterFont ? L"" : kind.text(control).c_str(),
                                 style, r.left, r.top, r.width, r.height, parent_,
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(native.id)),
                                 InstanceOf(parent_), nullptr);
    if (!child) throw WindowRefused("Cannot create the control " + control.Name());
    native.child = child;
    SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(FontOf(control.GetFont())), FALSE);
    if (kind.textAfterFont) SetWindowTextW(child, kind.text(control).c_str());
    kind.showState(child, control);
    if (!kind.takesFocus) return;
    auto original = SetWindowLongPtrW(child, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(childProc));
    SetWindowLongPtrW(child, GWLP_USERDATA, original);
}

// The version-2 size, which every common controls version takes: 5.8, which hosts without a
// visual-styles manifest get, refuses the larger structure of version 6.
TOOLINFOW ChildMirror::ToolInfo(const Native& native, std::wstring& text) const {
    TOOLINFOW ti{};
    ti.cbSize = TTTOOLINFOW_V2_SIZE;
    ti.uFlags = TTF_SUBCLASS;
    ti.hwnd = parent_;
    ti.uId = static_cast<UINT_PTR>(native.id);
    const Rect& r = native.control->Bounds();
    ti.rect = {r.left, r.top, r.Right(), r.Bottom()};
    text = Wide(native.control->Hint(), kPageCodePage);
    ti.lpszText = text.data();
    return ti;
}

// A tool the tooltip refuses leaves its button without a hint, nothing worse.
void ChildMirror::AddTool(Native& native) {
    if (!tooltip_ || !native.control->ShowHint()) return;
    std::wstring text;
    TOOLINFOW ti = ToolInfo(native, text);
    native.hasTool = SendMessageW(tooltip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&ti)) != FALSE;
}

void ChildMirror::Changed(Control& control, ControlChange what, bool onScreen) {
    if (!parent_) return;
    Native* native = Find(control);
    if (!native) return;
    if (native->child)
        NativeChanged(*native, what, onScreen);
    else
        GraphicChanged(*native, what);
}

void ChildMirror::NativeChanged(Native& native, ControlChange what, bool onScreen) {
    Control& control = *native.control;
    HWND h = native.child;
    const Rect& r = control.Bounds();
    switch (what) {
        case ControlChange::Bounds:
            if (!onScreen) {
                native.staleBounds = true;
                break;
            }
            MoveWindow(h, r.left, r.top, r.width, r.height, TRUE);
            break;
        case ControlChange::Text:
            if (!onScreen) {
                native.staleText = true;
                break;
            }
            // Drawn with the next paint of the window, not at once for each change.
            SendMessageW(h, WM_SETREDRAW, FALSE, 0);
            SetWindowTextW(h, native.kind->text(control).c_str());
            SendMessageW(h, WM_SETREDRAW, TRUE, 0);
            InvalidateRect(h, nullptr, TRUE);
            break;
        case ControlChange::Enabled:
            EnableWindow(h, control.Enabled());
            break;
        case ControlChange::Visible: {
            if (!onScreen) {
                ShowWindow(h, control.Visible() ? SW_SHOW : SW_HIDE);
                break;
            }
            // Drawn with the next paint of the window: the place it leaves and the control shown.
            SetWindowPos(h, nullptr, 0, 0, 0, 0,
                         SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW |
                             (control.Visible() ? SWP_SHOWWINDOW : SWP_HIDEWINDOW));
            RECT area{r.left, r.top, r.Right(), r.Bottom()};
            InvalidateRect(parent_, &area, TRUE);
            if (control.Visible()) RedrawWindow(h, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME);
            break;
        }
        case ControlChange::Checked:
            native.kind->showState(h, control);
            break;
        case ControlChange::Look:
            SendMessageW(h, WM_SETFONT, reinterpret_cast<WPARAM>(FontOf(control.GetFont())), TRUE);
            break;
        case ControlChange::Hint:
            break;
    }
}

void ChildMirror::GraphicChanged(const Native& native, ControlChange what) {
    Control& control = *native.control;
    if (tooltip_ && native.hasTool) {
        std::wstring text;
        TOOLINFOW ti = ToolInfo(native, text);
        if (what == ControlChange::Hint)
            SendMessageW(tooltip_, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&ti));
        if (what == ControlChange::Bounds)
            SendMessageW(tooltip_, TTM_NEWTOOLRECTW, 0, reinterpret_cast<LPARAM>(&ti));
    }
    // A screen reader hears of a new name (the language changed) or state (OK enabled or disabled)
    // at once, not when the user next moves.
    if (what == ControlChange::Hint) Announce(EVENT_OBJECT_NAMECHANGE, control);
    if (what == ControlChange::Enabled) Announce(EVENT_OBJECT_STATECHANGE, control);
    if (!parent_) return;  // a listener in this process may have destroyed the window meanwhile
    if (what == ControlChange::Bounds || what == ControlChange::Visible) {
        InvalidateRect(parent_, nullptr, TRUE);
    } else {
        const Rect& r = control.Bounds();
        RECT rc{r.left, r.top, r.Right(), r.Bottom()};
        InvalidateRect(parent_, &rc, FALSE);
    }
}

void ChildMirror::Announce(DWORD event, const Control& control) {
    LONG windowed = 0;
    for (const Native& n : natives_) windowed += n.child ? 1 : 0;
    auto parts = form_.Input().AccessibleParts();
    for (std::size_t i = 0; i < parts.size(); ++i)
        if (parts[i].control == &control)
            return NotifyWinEvent(event, parent_, OBJID_CLIENT, PartChildId(windowed, i));
}

void ChildMirror::Reveal() {
    for (Native& n : natives_) {
        if (!n.child) continue;
        if (std::exchange(n.staleBounds, false)) {
            const Rect& r = n.control->Bounds();
            MoveWindow(n.child, r.left, r.top, r.width, r.height, FALSE);
        }
        if (std::exchange(n.staleText, false)) SetWindowTextW(n.child, n.kind->text(*n.control).c_str());
    }
}

void ChildMirror::FontsChanged() {
    for (const Native& n : natives_)
        if (n.child)
            SendMessageW(n.child, WM_SETFONT, reinterpret_cast<WPARAM>(FontOf(n.control->GetFont())), TRUE);
}

// Without drawing: Wine redraws a shown edit box at once as it is emptied.
void ChildMirror::EmptyEditTexts(bool empty) {
    if (!UnderWine()) return;
    for (const Native& n : natives_) {
        if (!n.child || !n.kind->emptiedBeforeDestruction) continue;
        if (empty) {
            SendMessageW(n.child, WM_SETREDRAW, FALSE, 0);
            SetWindowTextW(n.child, L"");
        } else {
            SetWindowTextW(n.child, n.kind->text(*n.control).c_str());
            SendMessageW(n.child, WM_SETREDRAW, TRUE, 0);
            InvalidateRect(n.child, nullptr, TRUE);
        }
    }
}

}  // namespace platform
