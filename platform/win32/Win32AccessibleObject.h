#pragma once
// The page's accessible objects, one for each of its windows. The page window's children are the
// controls that have windows of their own (checkbox, help boxes, title), each a full object of this
// kind, numbered as the system's standard object numbers a window's children; then the image buttons,
// which are drawn by the window, as simple push-button children taken from the portable model's parts.
// A control's object gives the role and name the model gives the control, so that every system shows
// the same. The rest of a window itself is the system's standard client object's. Its COM plumbing,
// door, standard object and children are in Win32AccessibleObject.cpp, its answers about the
// children in Win32AccessibleParts.cpp, the ways among them in Win32AccessibleNavigation.cpp.
#include <oleacc.h>

#include <string_view>
#include <vector>

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
    // The object of the page window, or with `control` that of the control whose window `hwnd` is.
    PageAccessible(HWND hwnd, Form& form, const Control* control = nullptr);
    using CutStubs = HRESULT(STDAPICALLTYPE*)(IUnknown*, DWORD);
    // Clients that still hold the object or a control's get CO_E_OBJNOTCONNECTED from now on. With
    // `cutStubs` (CoDisconnectObject), COM lets go of the stubs it made for them.
    void Disconnect(CutStubs cutStubs = nullptr);

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
        enum Kind { Disconnected, Invalid, Self, Windowed, Part } kind;
        AccessiblePart part{};
        PageAccessible* windowed = nullptr;  // a control's object
    };

    // The object belongs to the page window's thread. A client whose calls arrive on another thread
    // (its own apartment is multithreaded, or the page's thread has none) is refused, so that the
    // page never runs on two threads at once. Counting references and asking for interfaces touch
    // nothing of the page and work anywhere.
    bool OnOtherThread() const { return !thread_.IsCurrent(); }
    // The way into every method but those of IUnknown: refused on another thread, else run through
    // the door, which keeps the page until the call returns. An object whose page went answers
    // without entering: its thread may no longer be the door's, which another thread may hold.
    template <typename F>
    HRESULT Guarded(F&& call) {
        if (OnOtherThread()) return RPC_E_WRONG_THREAD;
        if (!form_) return CO_E_OBJNOTCONNECTED;
        EntryScope entry;
        return call();
    }

    bool Connected() const { return form_ && standard_; }
    HRESULT Unsupported() const { return form_ ? E_NOTIMPL : CO_E_OBJNOTCONNECTED; }
    Target Resolve(const VARIANT& id);
    // The parts a client sees: the page window's; a control's window has none.
    std::vector<AccessiblePart> Parts() const;
    // The control whose window `window` is; null for any other.
    const Control* ControlOfWindow(HWND window) const;
    // The windows of the page's controls among this window's children, in the order the system lists
    // them, as its standard object numbers them: the one of child id `id`, else null, and then their
    // number in `count`.
    HWND WindowedChild(LONG id, LONG* count = nullptr) const;
    LONG WindowedChildCount() const;
    // The object of a control's window, made on first use and kept until the page goes; null for any
    // other window.
    PageAccessible* ObjectOfWindow(HWND window);

    // The answer for the window itself (the standard object's) or a windowed child (its own object's,
    // asked about itself); none for a disconnected object or an id that names nothing.
    template <typename F>
    HRESULT Delegate(const Target& target, F&& call) const {
        if (target.kind == Target::Disconnected) return CO_E_OBJNOTCONNECTED;
        if (target.kind == Target::Invalid) return E_INVALIDARG;
        return call(target.kind == Target::Windowed ? target.windowed : standard_, Number(CHILDID_SELF));
    }
    // A number as a client reads it: a child id, a role, a state.
    static VARIANT Number(LONG value) {
        VARIANT id{};
        id.vt = VT_I4;
        id.lVal = value;
        return id;
    }

    HRESULT Navigate(LONG direction, LONG from, VARIANT* end);
    using TextGetter = HRESULT (STDMETHODCALLTYPE IAccessible::*)(VARIANT, BSTR*);
    HRESULT Text(VARIANT id, BSTR* out, TextGetter standard, std::string_view AccessiblePart::*ofPart);

    LONG references_ = 1;
    HWND hwnd_;
    Form* form_;
    MakingThread thread_;
    IAccessible* standard_ = nullptr;
    const Control* control_;              // null for the page window
    PageAccessible* controls_ = nullptr;  // the objects of its controls' windows, a list through next_
    PageAccessible* next_ = nullptr;
};

}  // namespace platform
