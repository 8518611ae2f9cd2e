// The accessible object as a COM object: its references and interfaces, the IDispatch it only
// carries, the system's standard client object it falls back on, and the child ids it hands over.
#include "platform/win32/Win32AccessibleObject.h"

#include "platform/form/Form.h"
#include "platform/win32/AccessibleChildIds.h"
#include "platform/win32/LateBound.h"

namespace platform {
namespace {

constexpr GUID kIidDispatch = {0x00020400, 0x0000, 0x0000, {0xc0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
constexpr GUID kIidUnknown = {0x00000000, 0x0000, 0x0000, {0xc0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};

}  // namespace

PageAccessible::PageAccessible(HWND hwnd, Form& form) : hwnd_(hwnd), form_(&form) {
    auto createStandard =
        LateBound<decltype(&CreateStdAccessibleObject)>("oleacc.dll", "CreateStdAccessibleObject");
    if (createStandard)
        createStandard(hwnd, OBJID_CLIENT, kIidAccessible, reinterpret_cast<void**>(&standard_));
}

void PageAccessible::Disconnect() {
    form_ = nullptr;
    if (standard_) standard_->Release();
    standard_ = nullptr;
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

LONG PageAccessible::StandardChildCount() const {
    LONG count = 0;
    if (standard_ && FAILED(standard_->get_accChildCount(&count))) count = 0;
    return count;
}

// Which element a child id names: the window itself and its windowed children belong to the
// standard object; the ids after those are the parts.
PageAccessible::Target PageAccessible::Resolve(const VARIANT& id) const {
    if (!form_ || !standard_) return {Target::Disconnected};
    if (id.vt != VT_I4) return {Target::Invalid};
    long long child = PartIndexOfChildId(StandardChildCount(), id.lVal);
    if (child < 0) return {Target::Standard};
    auto parts = form_->Input().AccessibleParts();
    if (static_cast<unsigned long long>(child) >= parts.size()) return {Target::Invalid};
    return {Target::Part, parts[static_cast<std::size_t>(child)]};
}

}  // namespace platform
