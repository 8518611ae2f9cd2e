// The accessible object's ways among its children and onto them: what lies under a point on screen,
// and the way from one child to the next, in the order AccessibleChildren lists them.
#include "platform/win32/Win32AccessibleObject.h"

#include "platform/win32/AccessibleChildIds.h"

namespace platform {
namespace {

// A full object, which the client releases.
void SetObject(VARIANT* out, IAccessible* object) {
    object->AddRef();
    *out = VARIANT{};
    out->vt = VT_DISPATCH;
    out->pdispVal = object;
}

}  // namespace

// A part under the point by its id, a control's window as its own object (the one AccessibleChildren
// lists); elsewhere the standard object answers: the window itself, or nothing outside it.
HRESULT STDMETHODCALLTYPE PageAccessible::accHitTest(LONG x, LONG y, VARIANT* id) {
    return Guarded([&] {
        if (!Connected()) return CO_E_OBJNOTCONNECTED;
        if (!id) return E_POINTER;
        POINT p{x, y};
        ScreenToClient(hwnd_, &p);
        auto parts = Parts();
        for (std::size_t i = 0; i < parts.size(); ++i) {
            if (!parts[i].bounds.Contains(p.x, p.y)) continue;
            *id = Number(PartChildId(WindowedChildCount(), i));
            return S_OK;
        }
        PageAccessible* control = ObjectOfWindow(ChildWindowFromPointEx(hwnd_, p, CWP_SKIPINVISIBLE));
        if (!control) return standard_->accHitTest(x, y, id);
        SetObject(id, control);
        return S_OK;
    });
}

HRESULT STDMETHODCALLTYPE PageAccessible::accNavigate(LONG direction, VARIANT start, VARIANT* end) {
    return Guarded([&] {
        if (!end) return E_POINTER;
        *end = VARIANT{};
        return Delegate(Resolve(start),
                        [&](IAccessible*, VARIANT) { return Navigate(direction, start.lVal, end); });
    });
}

// Into and among the children, in the order AccessibleChildren lists them (the windowed ones, then
// the parts), so that a reader walking the page meets every one; the end of the row is S_FALSE with
// nothing in `end`. Other ways from the window itself (its own siblings, or on screen) are the
// standard object's. On screen from a child is not offered: the standard object knows nothing of the
// parts, and a control's own object nothing of its siblings.
HRESULT PageAccessible::Navigate(LONG direction, LONG from, VARIANT* end) {
    LONG windowed = WindowedChildCount(), to = 0;
    LONG count = AccessibleChildCount(windowed, Parts().size());
    VARIANT self = Number(CHILDID_SELF);
    switch (direction) {
        case NAVDIR_FIRSTCHILD:
        case NAVDIR_LASTCHILD:
            if (from != CHILDID_SELF) return E_INVALIDARG;
            to = direction == NAVDIR_FIRSTCHILD ? 1 : count;
            break;
        case NAVDIR_NEXT:
        case NAVDIR_PREVIOUS:
            if (from == CHILDID_SELF) return standard_->accNavigate(direction, self, end);
            to = direction == NAVDIR_NEXT ? from + 1 : from - 1;
            break;
        default:
            return from == CHILDID_SELF ? standard_->accNavigate(direction, self, end)
                                        : DISP_E_MEMBERNOTFOUND;
    }
    if (to < 1 || to > count) return S_FALSE;
    // A control's window as the object AccessibleChildren gives, a part by its id.
    PageAccessible* control = to <= windowed ? ObjectOfWindow(WindowedChild(to)) : nullptr;
    if (control)
        SetObject(end, control);
    else
        *end = Number(to);
    return S_OK;
}

}  // namespace platform
