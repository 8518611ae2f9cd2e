// The accessible object's answers about its children: how many, their names and other texts, roles,
// states, places on screen, and the default action of a part. The
// windowed children answer for themselves, each through its own object; the parts, and the role and
// name of a control, are answered here from the portable model; the rest of a window itself is the
// standard object's.
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

LONG MsaaRole(AccessibleRole role) {
    switch (role) {
        case AccessibleRole::PushButton:
            return ROLE_SYSTEM_PUSHBUTTON;
        case AccessibleRole::CheckButton:
            return ROLE_SYSTEM_CHECKBUTTON;
        case AccessibleRole::StaticText:
            return ROLE_SYSTEM_STATICTEXT;
        case AccessibleRole::Text:
            return ROLE_SYSTEM_TEXT;
        case AccessibleRole::None:
            break;
    }
    return ROLE_SYSTEM_CLIENT;
}

}  // namespace

HRESULT STDMETHODCALLTYPE PageAccessible::get_accChildCount(LONG* count) {
    return Guarded([&] {
        if (!form_) return CO_E_OBJNOTCONNECTED;
        if (!count) return E_POINTER;
        *count = AccessibleChildCount(WindowedChildCount(), Parts().size());
        return S_OK;
    });
}

HRESULT STDMETHODCALLTYPE PageAccessible::get_accChild(VARIANT id, IDispatch** child) {
    return Guarded([&] {
        if (!child) return E_POINTER;
        *child = nullptr;
        Target target = Resolve(id);
        if (target.kind == Target::Part) return S_FALSE;  // a simple element of this object
        if (target.kind != Target::Windowed)
            return Delegate(target, [&](IAccessible* element, VARIANT self) {
                return element->get_accChild(self, child);
            });
        target.windowed->AddRef();
        *child = target.windowed;
        return S_OK;
    });
}

// A text property: the part's text where it has one (else none); a control's name where the model
// gives one (a help box's); the element's own otherwise (a control's caption, its access-key mark
// left out, as the system tells it).
HRESULT PageAccessible::Text(VARIANT id, BSTR* out, TextGetter standard,
                             std::string_view AccessiblePart::*ofPart) {
    if (!out) return E_POINTER;
    *out = nullptr;
    Target target = Resolve(id);
    std::string_view own;
    if (target.kind == Target::Part) {
        if (!ofPart) return S_FALSE;
        own = target.part.*ofPart;
    } else if (target.kind == Target::Self && control_ && ofPart == &AccessiblePart::name) {
        own = control_->AccessibleName();
    }
    if (own.empty() && target.kind != Target::Part)
        return Delegate(target,
                        [&](IAccessible* element, VARIANT self) { return (element->*standard)(self, out); });
    *out = ToBstr(own);
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
        return Delegate(target, [&](IAccessible* element, VARIANT self) {
            return element->get_accHelpTopic(file, self, topic);
        });
    });
}

HRESULT STDMETHODCALLTYPE PageAccessible::get_accRole(VARIANT id, VARIANT* role) {
    return Guarded([&] {
        if (!role) return E_POINTER;
        Target target = Resolve(id);
        AccessibleRole own = target.kind == Target::Part               ? target.part.role
                             : target.kind == Target::Self && control_ ? control_->Role()
                                                                       : AccessibleRole::None;
        if (own == AccessibleRole::None)
            return Delegate(
                target, [&](IAccessible* element, VARIANT self) { return element->get_accRole(self, role); });
        *role = Number(MsaaRole(own));
        return S_OK;
    });
}

HRESULT STDMETHODCALLTYPE PageAccessible::get_accState(VARIANT id, VARIANT* state) {
    return Guarded([&] {
        if (!state) return E_POINTER;
        Target target = Resolve(id);
        if (target.kind != Target::Part) {
            HRESULT result = Delegate(target, [&](IAccessible* element, VARIANT self) {
                return element->get_accState(self, state);
            });
            // A checkbox's check, which not every system's object tells (Wine's knows no buttons).
            if (result == S_OK && target.kind == Target::Self && control_ &&
                control_->Role() == AccessibleRole::CheckButton && state->vt == VT_I4 &&
                SendMessageW(hwnd_, BM_GETCHECK, 0, 0) == BST_CHECKED)
                state->lVal |= STATE_SYSTEM_CHECKED;
            return result;
        }
        // A closed page shows nothing; a page disabled under a modal box takes no action.
        LONG flags = target.part.unavailable || !IsWindowEnabled(hwnd_) ? STATE_SYSTEM_UNAVAILABLE : 0;
        if (!IsWindowVisible(hwnd_)) flags |= STATE_SYSTEM_INVISIBLE;
        if (target.part.control == form_->Input().HotControl()) flags |= STATE_SYSTEM_HOTTRACKED;
        *state = Number(flags);
        return S_OK;
    });
}

HRESULT STDMETHODCALLTYPE PageAccessible::accSelect(LONG flags, VARIANT id) {
    return Guarded([&] {
        Target target = Resolve(id);
        if (target.kind == Target::Part) return DISP_E_MEMBERNOTFOUND;
        return Delegate(target,
                        [&](IAccessible* element, VARIANT self) { return element->accSelect(flags, self); });
    });
}

HRESULT STDMETHODCALLTYPE PageAccessible::accLocation(LONG* left, LONG* top, LONG* width, LONG* height,
                                                      VARIANT id) {
    return Guarded([&] {
        if (!left || !top || !width || !height) return E_POINTER;
        Target target = Resolve(id);
        if (target.kind != Target::Part)
            return Delegate(target, [&](IAccessible* element, VARIANT self) {
                return element->accLocation(left, top, width, height, self);
            });
        POINT origin{target.part.bounds.left, target.part.bounds.top};
        ClientToScreen(hwnd_, &origin);
        *left = origin.x, *top = origin.y;
        *width = target.part.bounds.width, *height = target.part.bounds.height;
        return S_OK;
    });
}

HRESULT STDMETHODCALLTYPE PageAccessible::accDoDefaultAction(VARIANT id) {
    return Guarded([&] {
        Target target = Resolve(id);
        if (target.kind != Target::Part)
            return Delegate(target, [&](IAccessible* element, VARIANT self) {
                return element->accDoDefaultAction(self);
            });
        // Refused where a click would be: on a closed page or one disabled under a modal box. The
        // action may free the page; the door keeps it until this call returns.
        if (!IsWindowVisible(hwnd_) || !IsWindowEnabled(hwnd_)) return DISP_E_MEMBERNOTFOUND;
        return form_->Input().DoDefaultAction(*target.part.control) ? S_OK : DISP_E_MEMBERNOTFOUND;
    });
}

}  // namespace platform
