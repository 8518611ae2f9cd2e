// The accessible object's answers about its children: how many, their names and other texts, roles,
// states, places on screen, the way from one to the next, and the default action of a part. The
// windowed children are the standard object's; the parts are answered here from the portable model.
#include "platform/win32/Win32AccessibleObject.h"

#include <string>

#include "platform/form/Form.h"
#include "platform/win32/AccessibleChildIds.h"
#include "platform/win32/LateBound.h"
#include "platform/win32/Win32Text.h"

namespace platform {
namespace {

// Texts go to the client as BSTRs, which it frees with oleaut32.
BSTR ToBstr(std::string_view text) {
    auto allocate = LateBound<decltype(&SysAllocStringLen)>("oleaut32.dll", "SysAllocStringLen");
    if (!allocate) return nullptr;
    std::wstring wide = Wide(text, kPageCodePage);
    return allocate(wide.data(), static_cast<UINT>(wide.size()));
}

void SetInteger(VARIANT* out, LONG value) {
    *out = VARIANT{};
    out->vt = VT_I4;
    out->lVal = value;
}

}  // namespace

HRESULT STDMETHODCALLTYPE PageAccessible::get_accChildCount(LONG* count) {
    return Guarded([&] {
        if (!form_) return CO_E_OBJNOTCONNECTED;
        if (!count) return E_POINTER;
        *count = AccessibleChildCount(StandardChildCount(), form_->Input().AccessibleParts().size());
        return S_OK;
    });
}

HRESULT STDMETHODCALLTYPE PageAccessible::get_accChild(VARIANT id, IDispatch** child) {
    return Guarded([&] {
        if (!child) return E_POINTER;
        *child = nullptr;
        Target target = Resolve(id);
        if (target.kind == Target::Part) return S_FALSE;  // a simple element of this object
        return Delegate(target, [&] { return standard_->get_accChild(id, child); });
    });
}

// A text property: the part's text where it has one (else none), the standard object's otherwise.
HRESULT PageAccessible::Text(VARIANT id, BSTR* out, TextGetter standard,
                             std::string_view AccessiblePart::*ofPart) {
    if (!out) return E_POINTER;
    *out = nullptr;
    Target target = Resolve(id);
    if (target.kind != Target::Part) return Delegate(target, [&] { return (standard_->*standard)(id, out); });
    if (!ofPart) return S_FALSE;
    *out = ToBstr(target.part.*ofPart);
    return *out ? S_OK : E_OUTOFMEMORY;
}

HRESULT STDMETHODCALLTYPE PageAccessible::get_accName(VARIANT id, BSTR* name) {
    return Guarded([&] { return Text(id, name, &IAccessible::get_accName, &AccessiblePart::name); });
}

HRESULT STDMETHODCALLTYPE PageAccessible::get_accValue(VARIANT id, BSTR* value) {
    return Guarded([&] { return Text(id, value, &IAccessible::get_accValue, nullptr); });
}

HRESULT STDMETHODCALLTYPE PageAccessible::get_accDescription(VARIANT id, BSTR* description) {
    return Guarded([&] { return Text(id, description, &IAccessible::get_accDescription, nullptr); });
}

HRESULT STDMETHODCALLTYPE PageAccessible::get_accHelp(VARIANT id, BSTR* help) {
    return Guarded([&] { return Text(id, help, &IAccessible::get_accHelp, nullptr); });
}

HRESULT STDMETHODCALLTYPE PageAccessible::get_accKeyboardShortcut(VARIANT id, BSTR* shortcut) {
    return Guarded([&] { return Text(id, shortcut, &IAccessible::get_accKeyboardShortcut, nullptr); });
}

HRESULT STDMETHODCALLTYPE PageAccessible::get_accDefaultAction(VARIANT id, BSTR* action) {
    return Guarded(
        [&] { return Text(id, action, &IAccessible::get_accDefaultAction, &AccessiblePart::defaultAction); });
}

HRESULT STDMETHODCALLTYPE PageAccessible::get_accHelpTopic(BSTR* file, VARIANT id, LONG* topic) {
    return Guarded([&] {
        if (!file || !topic) return E_POINTER;
        *file = nullptr;
        *topic = 0;
        Target target = Resolve(id);
        if (target.kind == Target::Part) return S_FALSE;
        return Delegate(target, [&] { return standard_->get_accHelpTopic(file, id, topic); });
    });
}

HRESULT STDMETHODCALLTYPE PageAccessible::get_accRole(VARIANT id, VARIANT* role) {
    return Guarded([&] {
        if (!role) return E_POINTER;
        Target target = Resolve(id);
        if (target.kind != Target::Part)
            return Delegate(target, [&] { return standard_->get_accRole(id, role); });
        SetInteger(role, ROLE_SYSTEM_PUSHBUTTON);
        return S_OK;
    });
}

HRESULT STDMETHODCALLTYPE PageAccessible::get_accState(VARIANT id, VARIANT* state) {
    return Guarded([&] {
        if (!state) return E_POINTER;
        Target target = Resolve(id);
        if (target.kind != Target::Part)
            return Delegate(target, [&] { return standard_->get_accState(id, state); });
        // A closed page shows nothing; a page disabled under a modal box takes no action.
        LONG flags = target.part.unavailable || !IsWindowEnabled(hwnd_) ? STATE_SYSTEM_UNAVAILABLE : 0;
        if (!IsWindowVisible(hwnd_)) flags |= STATE_SYSTEM_INVISIBLE;
        if (target.part.control == form_->Input().HotControl()) flags |= STATE_SYSTEM_HOTTRACKED;
        SetInteger(state, flags);
        return S_OK;
    });
}

HRESULT STDMETHODCALLTYPE PageAccessible::accSelect(LONG flags, VARIANT id) {
    return Guarded([&] {
        Target target = Resolve(id);
        if (target.kind == Target::Part) return DISP_E_MEMBERNOTFOUND;
        return Delegate(target, [&] { return standard_->accSelect(flags, id); });
    });
}

HRESULT STDMETHODCALLTYPE PageAccessible::accLocation(LONG* left, LONG* top, LONG* width, LONG* height,
                                                      VARIANT id) {
    return Guarded([&] {
        if (!left || !top || !width || !height) return E_POINTER;
        Target target = Resolve(id);
        if (target.kind != Target::Part)
            return Delegate(target, [&] { return standard_->accLocation(left, top, width, height, id); });
        POINT origin{target.part.bounds.left, target.part.bounds.top};
        ClientToScreen(hwnd_, &origin);
        *left = origin.x, *top = origin.y;
        *width = target.part.bounds.width, *height = target.part.bounds.height;
        return S_OK;
    });
}

HRESULT STDMETHODCALLTYPE PageAccessible::accHitTest(LONG x, LONG y, VARIANT* id) {
    return Guarded([&] {
        if (!Connected()) return CO_E_OBJNOTCONNECTED;
        if (!id) return E_POINTER;
        POINT p{x, y};
        ScreenToClient(hwnd_, &p);
        auto parts = form_->Input().AccessibleParts();
        for (std::size_t i = 0; i < parts.size(); ++i) {
            if (!parts[i].bounds.Contains(p.x, p.y)) continue;
            SetInteger(id, PartChildId(StandardChildCount(), i));
            return S_OK;
        }
        return standard_->accHitTest(x, y, id);
    });
}

HRESULT STDMETHODCALLTYPE PageAccessible::accNavigate(LONG direction, VARIANT start, VARIANT* end) {
    return Guarded([&] {
        if (!end) return E_POINTER;
        *end = VARIANT{};
        Target target = Resolve(start);
        return Delegate(target, [&] { return Navigate(direction, start, target.kind == Target::Part, end); });
    });
}

// Into and among the children, in the order AccessibleChildren lists them (the windowed ones, then
// the parts), so that a reader walking the page meets every one; the end of the row is S_FALSE with
// nothing in `end`. Other ways (the page's own siblings, or on screen) are the standard object's,
// which knows nothing of the parts.
HRESULT PageAccessible::Navigate(LONG direction, const VARIANT& start, bool fromPart, VARIANT* end) {
    LONG from = start.lVal, to = 0;
    LONG count = AccessibleChildCount(StandardChildCount(), form_->Input().AccessibleParts().size());
    if (from < CHILDID_SELF) return E_INVALIDARG;
    switch (direction) {
        case NAVDIR_FIRSTCHILD:
        case NAVDIR_LASTCHILD:
            if (from != CHILDID_SELF) return E_INVALIDARG;
            to = direction == NAVDIR_FIRSTCHILD ? 1 : count;
            break;
        case NAVDIR_NEXT:
        case NAVDIR_PREVIOUS:
            if (from == CHILDID_SELF) return standard_->accNavigate(direction, start, end);
            to = direction == NAVDIR_NEXT ? from + 1 : from - 1;
            break;
        default:
            return fromPart ? DISP_E_MEMBERNOTFOUND : standard_->accNavigate(direction, start, end);
    }
    if (to < 1 || to > count) return S_FALSE;
    // A windowed child as the object AccessibleChildren gives, a part by its id.
    VARIANT child;
    SetInteger(&child, to);
    IDispatch* object = nullptr;
    if (to <= StandardChildCount() && standard_->get_accChild(child, &object) == S_OK && object) {
        end->vt = VT_DISPATCH;
        end->pdispVal = object;
    } else {
        *end = child;
    }
    return S_OK;
}

HRESULT STDMETHODCALLTYPE PageAccessible::accDoDefaultAction(VARIANT id) {
    return Guarded([&] {
        Target target = Resolve(id);
        if (target.kind != Target::Part)
            return Delegate(target, [&] { return standard_->accDoDefaultAction(id); });
        // Refused where a click would be: on a closed page or one disabled under a modal box. The
        // action may free the page; the door keeps it until this call returns.
        if (!IsWindowVisible(hwnd_) || !IsWindowEnabled(hwnd_)) return DISP_E_MEMBERNOTFOUND;
        return form_->Input().DoDefaultAction(*target.part.control) ? S_OK : DISP_E_MEMBERNOTFOUND;
    });
}

}  // namespace platform
