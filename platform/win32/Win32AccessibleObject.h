#pragma once
// The page's accessible object: the system's standard client object keeps the children that have
// windows of their own (title, help boxes, checkbox); the image buttons, which are drawn by the
// window, follow them as simple push-button children, taken from the portable model's parts. Its COM
// plumbing, door and standard object are in Win32AccessibleObject.cpp, its answers about the
// children in Win32AccessibleParts.cpp.
#include <oleacc.h>

#include <string_view>

#include "platform/form/EntryScope.h"
#include "platform/form/InputRouter.h"
#include "platform/win32/Win32Threads.h"

namespace platform {

class Form;

// Spelled out: MinGW's import library gives an import thunk for IID_IAccessible on x64.
inline constexpr GUID kIidAccessible = {
    0x618736e0, 0x3c3d, 0x11cf, {0x81, 0x0c, 0x00, 0xaa, 0x00, 0x38, 0x9b, 0x71}};

class PageAccessible final : public IAccessible {
  public:
    PageAccessible(HWND hwnd, Form& form);
    // Clients that still hold the object get CO_E_OBJNOTCONNECTED from now on.
    void Disconnect();

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;

    // IDispatch: clients of this object call it through its vtable.
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override;
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override;
    HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*,
                                     UINT*) override;

    // IAccessible
    HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override;
    HRESULT STDMETHODCALLTYPE get_accChildCount(LONG* count) override;
    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT id, IDispatch** child) override;
    HRESULT STDMETHODCALLTYPE get_accName(VARIANT id, BSTR* name) override;
    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT id, BSTR* value) override;
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT id, BSTR* description) override;
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT id, VARIANT* role) override;
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT id, VARIANT* state) override;
    HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT id, BSTR* help) override;
    HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT id, LONG* topic) override;
    HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT id, BSTR* shortcut) override;
    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* focus) override;
    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* selection) override;
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT id, BSTR* action) override;
    HRESULT STDMETHODCALLTYPE accSelect(LONG flags, VARIANT id) override;
    HRESULT STDMETHODCALLTYPE accLocation(LONG* left, LONG* top, LONG* width, LONG* height,
                                          VARIANT id) override;
    HRESULT STDMETHODCALLTYPE accNavigate(LONG direction, VARIANT start, VARIANT* end) override;
    HRESULT STDMETHODCALLTYPE accHitTest(LONG x, LONG y, VARIANT* id) override;
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT id) override;
    HRESULT STDMETHODCALLTYPE put_accName(VARIANT, BSTR) override;
    HRESULT STDMETHODCALLTYPE put_accValue(VARIANT, BSTR) override;

  private:
    ~PageAccessible() = default;

    struct Target {
        enum Kind { Disconnected, Invalid, Standard, Part } kind;
        AccessiblePart part{};
    };

    // The object belongs to the page window's thread. A client whose calls arrive on another thread
    // (its own apartment is multithreaded, or the page's thread has none) is refused, so that the
    // page never runs on two threads at once. Counting references and asking for interfaces touch
    // nothing of the page and work anywhere.
    bool OnOtherThread() const { return !thread_.IsCurrent(); }
    // The way into every method but those of IUnknown: refused on another thread, else run through
    // the door, which keeps the page until the call returns.
    template <typename F>
    HRESULT Guarded(F&& call) {
        if (OnOtherThread()) return RPC_E_WRONG_THREAD;
        EntryScope entry;
        return call();
    }

    bool Connected() const { return form_ && standard_; }
    HRESULT Unsupported() const { return form_ ? E_NOTIMPL : CO_E_OBJNOTCONNECTED; }
    LONG StandardChildCount() const;
    Target Resolve(const VARIANT& id) const;

    // The standard object's answer for its own elements; a disconnected object or an id that names
    // nothing gets no answer of it.
    template <typename F>
    HRESULT Delegate(const Target& target, F&& call) const {
        if (target.kind == Target::Disconnected) return CO_E_OBJNOTCONNECTED;
        if (target.kind == Target::Invalid) return E_INVALIDARG;
        return call();
    }

    HRESULT Navigate(LONG direction, const VARIANT& start, bool fromPart, VARIANT* end);
    using TextGetter = HRESULT (STDMETHODCALLTYPE IAccessible::*)(VARIANT, BSTR*);
    HRESULT Text(VARIANT id, BSTR* out, TextGetter standard, std::string_view AccessiblePart::*ofPart);

    LONG references_ = 1;
    HWND hwnd_;
    Form* form_;
    MakingThread thread_;
    IAccessible* standard_ = nullptr;
};

}  // namespace platform
