// The accessible object as a COM object: its references and interfaces, the IDispatch it only
// carries, the system's standard client object it falls back on, the objects of its controls' windows
// and the child ids it hands over.
#include "platform/win32/Win32AccessibleObject.h"

#include <utility>

#include "platform/form/Form.h"
#include "platform/win32/AccessibleChildIds.h"
#include "platform/win32/LateBound.h"

namespace platform {
namespace {

constexpr GUID kIidDispatch = {0x00020400, 0x0000, 0x0000, {0xc0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
constexpr GUID kIidUnknown = {0x00000000, 0x0000, 0x0000, {0xc0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};

}  // namespace

PageAccessible::PageAccessible(HWND hwnd, Form& form, const Control* control)
    : hwnd_(hwnd), form_(&form), control_(control) {
    auto createStandard =
        LateBound<decltype(&CreateStdAccessibleObject)>("oleacc.dll", "CreateStdAccessibleObject");
    if (createStandard)
        createStandard(hwnd, OBJID_CLIENT, kIidAccessible, reinterpret_cast<void**>(&standard_));
}

void PageAccessible::Disconnect(CutStubs cutStubs) {
    form_ = nullptr;
    if (standard_) standard_->Release();
    standard_ = nullptr;
    while (PageAccessible* control = controls_) {
        controls_ = control->next_;
        control->Disconnect(cutStubs);
        control->Release();
    }
    if (cutStubs) cutStubs(this, 0);
}

HRESULT STDMETHODCALLTYPE PageAccessible::QueryInterface(REFIID iid, void** out) {
    if (!out) return E_POINTER;
    if (IsEqualGUID(iid, kIidAccessible) || IsEqualGUID(iid, kIidDispatch) || IsEqualGUID(iid, kIidUnknown)) {
        *out = static_cast<IAccessible*>(this);
        AddRef();
        return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
}

ULONG STDMETHODCALLTYPE PageAccessible::AddRef() {
    return static_cast<ULONG>(InterlockedIncrement(&references_));
}

ULONG STDMETHODCALLTYPE PageAccessible::Release() {
    LONG left = InterlockedDecrement(&references_);
    if (left == 0) {
        Disconnect();
        delete this;
    }
    return static_cast<ULONG>(left);
}

HRESULT STDMETHODCALLTYPE PageAccessible::GetTypeInfoCount(UINT* count) {
    return Guarded([&] {
        if (!count) return E_POINTER;
        *count = 0;
        return form_ ? S_OK : CO_E_OBJNOTCONNECTED;
    });
}

HRESULT STDMETHODCALLTYPE PageAccessible::GetTypeInfo(UINT, LCID, ITypeInfo**) {
    return Guarded([&] { return Unsupported(); });
}

HRESULT STDMETHODCALLTYPE PageAccessible::GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) {
    return Guarded([&] { return Unsupported(); });
}

HRESULT STDMETHODCALLTYPE PageAccessible::Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*,
                                                 EXCEPINFO*, UINT*) {
    return Guarded([&] { return Unsupported(); });
}

// The page's place among its siblings, the focus and the selection are the standard object's alone.
HRESULT STDMETHODCALLTYPE PageAccessible::get_accParent(IDispatch** parent) {
    return Guarded([&] {
        if (!parent) return E_POINTER;
        *parent = nullptr;
        if (!Connected()) return CO_E_OBJNOTCONNECTED;
        return standard_->get_accParent(parent);
    });
}

HRESULT STDMETHODCALLTYPE PageAccessible::get_accFocus(VARIANT* focus) {
    return Guarded([&] {
        if (!focus) return E_POINTER;
        *focus = VARIANT{};
        if (!Connected()) return CO_E_OBJNOTCONNECTED;
        return standard_->get_accFocus(focus);
    });
}

HRESULT STDMETHODCALLTYPE PageAccessible::get_accSelection(VARIANT* selection) {
    return Guarded([&] {
        if (!selection) return E_POINTER;
        *selection = VARIANT{};
        if (!Connected()) return CO_E_OBJNOTCONNECTED;
        return standard_->get_accSelection(selection);
    });
}

HRESULT STDMETHODCALLTYPE PageAccessible::put_accName(VARIANT, BSTR) {
    return Guarded([&] { return Unsupported(); });
}

HRESULT STDMETHODCALLTYPE PageAccessible::put_accValue(VARIANT, BSTR) {
    return Guarded([&] { return Unsupported(); });
}

std::vector<AccessiblePart> PageAccessible::Parts() const {
    return control_ ? std::vector<AccessiblePart>{} : form_->Input().AccessibleParts();
}

const Control* PageAccessible::ControlOfWindow(HWND window) const {
    for (const auto& component : form_->Components()) {
        if (!component->IsControl()) continue;
        const auto* control = static_cast<const Control*>(component.get());
        if (window && form_->ControlHandle(*control) == window) return control;
    }
    return nullptr;
}

HWND PageAccessible::WindowedChild(LONG id, LONG* count) const {
    LONG seen = 0;
    for (HWND child = GetWindow(hwnd_, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        if (ControlOfWindow(child) && ++seen == id) return child;
    if (count) *count = seen;
    return nullptr;
}

LONG PageAccessible::WindowedChildCount() const {
    LONG count = 0;
    WindowedChild(0, &count);
    return count;
}

PageAccessible* PageAccessible::ObjectOfWindow(HWND window) {
    if (window == hwnd_) return nullptr;
    for (PageAccessible* made = controls_; made; made = made->next_)
        if (made->hwnd_ == window) return made;
    const Control* control = ControlOfWindow(window);
    if (!control) return nullptr;
    auto* made = new PageAccessible(window, *form_, control);
    made->next_ = std::exchange(controls_, made);
    return made;
}

// Which element a child id names: the window itself, the window of one of the page's controls, or
// one of the parts, numbered after those.
PageAccessible::Target PageAccessible::Resolve(const VARIANT& id) {
    if (!Connected()) return {Target::Disconnected};
    if (id.vt != VT_I4 || id.lVal < CHILDID_SELF) return {Target::Invalid};
    if (id.lVal == CHILDID_SELF) return {Target::Self};
    LONG windowed = 0;
    if (HWND child = WindowedChild(id.lVal, &windowed)) return {Target::Windowed, {}, ObjectOfWindow(child)};
    long long part = PartIndexOfChildId(windowed, id.lVal);
    auto parts = Parts();
    if (static_cast<unsigned long long>(part) >= parts.size()) return {Target::Invalid};
    return {Target::Part, parts[static_cast<std::size_t>(part)]};
}

}  // namespace platform
