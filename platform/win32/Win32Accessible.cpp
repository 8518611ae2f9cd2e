// The page's accessible object: the system's standard client object keeps the children that have
// windows of their own (title, help boxes, checkbox); the image buttons, which are drawn by the
// window, follow them as simple push-button children, taken from the portable model's parts.
#include "platform/win32/Win32Accessible.h"

#include <oleacc.h>

#include <string>
#include <vector>

#include "platform/form/EntryScope.h"
#include "platform/form/Form.h"
#include "platform/win32/AccessibleChildIds.h"
#include "platform/win32/LateBound.h"

namespace platform {
namespace {

// Spelled out: MinGW's import library gives an import thunk for IID_IAccessible on x64.
constexpr GUID kIidAccessible = {
    0x618736e0, 0x3c3d, 0x11cf, {0x81, 0x0c, 0x00, 0xaa, 0x00, 0x38, 0x9b, 0x71}};
constexpr GUID kIidDispatch = {0x00020400, 0x0000, 0x0000, {0xc0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
constexpr GUID kIidUnknown = {0x00000000, 0x0000, 0x0000, {0xc0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};

// Texts go to the client as BSTRs, which it frees with oleaut32.
BSTR ToBstr(std::string_view text) {
    auto allocate = LateBound<decltype(&SysAllocStringLen)>("oleaut32.dll", "SysAllocStringLen");
    if (!allocate) return nullptr;
    int length = MultiByteToWideChar(1252, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    BSTR result = allocate(nullptr, static_cast<UINT>(length));
    if (result && length > 0)
        MultiByteToWideChar(1252, 0, text.data(), static_cast<int>(text.size()), result, length);
    return result;
}

void SetInteger(VARIANT* out, LONG value) {
    *out = VARIANT{};
    out->vt = VT_I4;
    out->lVal = value;
}

}  // namespace

class PageAccessible final : public IAccessible {
  public:
    PageAccessible(HWND hwnd, Form& form) : hwnd_(hwnd), form_(&form), thread_(GetCurrentThreadId()) {
        auto createStandard =
            LateBound<decltype(&CreateStdAccessibleObject)>("oleacc.dll", "CreateStdAccessibleObject");
        if (createStandard)
            createStandard(hwnd, OBJID_CLIENT, kIidAccessible, reinterpret_cast<void**>(&standard_));
    }

    void Disconnect() {
        form_ = nullptr;
        if (standard_) standard_->Release();
        standard_ = nullptr;
    }

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        if (!out) return E_POINTER;
        if (IsEqualGUID(iid, kIidAccessible) || IsEqualGUID(iid, kIidDispatch) ||
            IsEqualGUID(iid, kIidUnknown)) {
            *out = static_cast<IAccessible*>(this);
            AddRef();
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override {
        return static_cast<ULONG>(InterlockedIncrement(&references_));
    }
    ULONG STDMETHODCALLTYPE Release() override {
        LONG left = InterlockedDecrement(&references_);
        if (left == 0) {
            Disconnect();
            delete this;
        }
        return static_cast<ULONG>(left);
    }

    // IDispatch: clients of this object call it through its vtable.
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
        if (OnOtherThread()) return RPC_E_WRONG_THREAD;
        EntryScope entry;
        if (!count) return E_POINTER;
        *count = 0;
        return form_ ? S_OK : CO_E_OBJNOTCONNECTED;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override {
        if (OnOtherThread()) return RPC_E_WRONG_THREAD;
        EntryScope entry;
        return Unsupported();
    }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override {
        if (OnOtherThread()) return RPC_E_WRONG_THREAD;
        EntryScope entry;
        return Unsupported();
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*,
                                     UINT*) override {
        if (OnOtherThread()) return RPC_E_WRONG_THREAD;
        EntryScope entry;
        return Unsupported();
    }

    // IAccessible
    HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override {
        if (OnOtherThread()) return RPC_E_WRONG_THREAD;
        EntryScope entry;
        if (!parent) return E_POINTER;
        *parent = nullptr;
        if (!Connected()) return CO_E_OBJNOTCONNECTED;
        return standard_->get_accParent(parent);
    }
    HRESULT STDMETHODCALLTYPE get_accChildCount(LONG* count) override {
        if (OnOtherThread()) return RPC_E_WRONG_THREAD;
        EntryScope entry;
        if (!form_) return CO_E_OBJNOTCONNECTED;
        if (!count) return E_POINTER;
        *count = AccessibleChildCount(StandardChildCount(), form_->Input().AccessibleParts().size());
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT id, IDispatch** child) override {
        if (OnOtherThread()) return RPC_E_WRONG_THREAD;
        EntryScope entry;
        if (!child) return E_POINTER;
        *child = nullptr;
        Target target = Resolve(id);
        if (target.kind == Target::Part) return S_FALSE;  // a simple element of this object
        return Delegate(target, [&] { return standard_->get_accChild(id, child); });
    }
    HRESULT STDMETHODCALLTYPE get_accName(VARIANT id, BSTR* name) override {
        if (OnOtherThread()) return RPC_E_WRONG_THREAD;
        EntryScope entry;
        return Text(id, name, &IAccessible::get_accName, &AccessiblePart::name);
    }
    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT id, BSTR* value) override {
        if (OnOtherThread()) return RPC_E_WRONG_THREAD;
        EntryScope entry;
        return Text(id, value, &IAccessible::get_accValue, nullptr);
    }
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT id, BSTR* description) override {
        if (OnOtherThread()) return RPC_E_WRONG_THREAD;
        EntryScope entry;
        return Text(id, description, &IAccessible::get_accDescription, nullptr);
    }
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT id, VARIANT* role) override {
        if (OnOtherThread()) return RPC_E_WRONG_THREAD;
        EntryScope entry;
        if (!role) return E_POINTER;
        Target target = Resolve(id);
        if (target.kind != Target::Part)
            return Delegate(target, [&] { return standard_->get_accRole(id, role); });
        SetInteger(role, ROLE_SYSTEM_PUSHBUTTON);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT id, VARIANT* state) override {
        if (OnOtherThread()) return RPC_E_WRONG_THREAD;
        EntryScope entry;
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
    }
    HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT id, BSTR* help) override {
        if (OnOtherThread()) return RPC_E_WRONG_THREAD;
        EntryScope entry;
        return Text(id, help, &IAccessible::get_accHelp, nullptr);
    }
    HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT id, LONG* topic) override {
        if (OnOtherThread()) return RPC_E_WRONG_THREAD;
        EntryScope entry;
        if (!file || !topic) return E_POINTER;
        *file = nullptr;
        *topic = 0;
        Target target = Resolve(id);
        if (target.kind == Target::Part) return S_FALSE;
        return Delegate(target, [&] { return standard_->get_accHelpTopic(file, id, topic); });
    }
    HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT id, BSTR* shortcut) override {
        if (OnOtherThread()) return RPC_E_WRONG_THREAD;
        EntryScope entry;
        return Text(id, shortcut, &IAccessible::get_accKeyboardShortcut, nullptr);
    }
    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* focus) override {
        if (OnOtherThread()) return RPC_E_WRONG_THREAD;
        EntryScope entry;
        if (!focus) return E_POINTER;
        *focus = VARIANT{};
        if (!Connected()) return CO_E_OBJNOTCONNECTED;
        return standard_->get_accFocus(focus);
    }
    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* selection) override {
        if (OnOtherThread()) return RPC_E_WRONG_THREAD;
        EntryScope entry;
        if (!selection) return E_POINTER;
        *selection = VARIANT{};
        if (!Connected()) return CO_E_OBJNOTCONNECTED;
        return standard_->get_accSelection(selection);
    }
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT id, BSTR* action) override {
        if (OnOtherThread()) return RPC_E_WRONG_THREAD;
        EntryScope entry;
        return Text(id, action, &IAccessible::get_accDefaultAction, &AccessiblePart::defaultAction);
    }
    HRESULT STDMETHODCALLTYPE accSelect(LONG flags, VARIANT id) override {
        if (OnOtherThread()) return RPC_E_WRONG_THREAD;
        EntryScope entry;
        Target target = Resolve(id);
        if (target.kind == Target::Part) return DISP_E_MEMBERNOTFOUND;
        return Delegate(target, [&] { return standard_->accSelect(flags, id); });
    }
    HRESULT STDMETHODCALLTYPE accLocation(LONG* left, LONG* top, LONG* width, LONG* height,
                                          VARIANT id) override {
        if (OnOtherThread()) return RPC_E_WRONG_THREAD;
        EntryScope entry;
        if (!left || !top || !width || !height) return E_POINTER;
        Target target = Resolve(id);
        if (target.kind != Target::Part)
            return Delegate(target, [&] { return standard_->accLocation(left, top, width, height, id); });
        POINT origin{target.part.bounds.left, target.part.bounds.top};
        ClientToScreen(hwnd_, &origin);
        *left = origin.x, *top = origin.y;
        *width = target.part.bounds.width, *height = target.part.bounds.height;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE accNavigate(LONG direction, VARIANT start, VARIANT* end) override {
        if (OnOtherThread()) return RPC_E_WRONG_THREAD;
        EntryScope entry;
        if (!end) return E_POINTER;
        *end = VARIANT{};
        Target target = Resolve(start);
        return Delegate(target, [&] { return Navigate(direction, start, target.kind == Target::Part, end); });
    }
    HRESULT STDMETHODCALLTYPE accHitTest(LONG x, LONG y, VARIANT* id) override {
        if (OnOtherThread()) return RPC_E_WRONG_THREAD;
        EntryScope entry;
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
    }
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT id) override {
        if (OnOtherThread()) return RPC_E_WRONG_THREAD;
        EntryScope entry;
        Target target = Resolve(id);
        if (target.kind != Target::Part)
            return Delegate(target, [&] { return standard_->accDoDefaultAction(id); });
        // Refused where a click would be: on a closed page or one disabled under a modal box. The
        // action may free the page; the door keeps it until this call returns.
        if (!IsWindowVisible(hwnd_) || !IsWindowEnabled(hwnd_)) return DISP_E_MEMBERNOTFOUND;
        return form_->Input().DoDefaultAction(*target.part.control) ? S_OK : DISP_E_MEMBERNOTFOUND;
    }
    HRESULT STDMETHODCALLTYPE put_accName(VARIANT, BSTR) override {
        if (OnOtherThread()) return RPC_E_WRONG_THREAD;
        EntryScope entry;
        return Unsupported();
    }
    HRESULT STDMETHODCALLTYPE put_accValue(VARIANT, BSTR) override {
        if (OnOtherThread()) return RPC_E_WRONG_THREAD;
        EntryScope entry;
        return Unsupported();
    }

  private:
    ~PageAccessible() = default;

    struct Target {
        enum Kind { Disconnected, Invalid, Standard, Part } kind;
        AccessiblePart part{};
    };

    bool Connected() const { return form_ && standard_; }
    // The object belongs to the page window's thread. A client whose calls arrive on another thread
    // (its own apartment is multithreaded, or the page's thread has none) is refused, so that the
    // page never runs on two threads at once. Counting references and asking for interfaces touch
    // nothing of the page and work anywhere.
    bool OnOtherThread() const { return GetCurrentThreadId() != thread_; }
    HRESULT Unsupported() const { return form_ ? E_NOTIMPL : CO_E_OBJNOTCONNECTED; }

    LONG StandardChildCount() const {
        LONG count = 0;
        if (standard_ && FAILED(standard_->get_accChildCount(&count))) count = 0;
        return count;
    }

    // Which element a child id names: the window itself and its windowed children belong to the
    // standard object; the ids after those are the parts.
    Target Resolve(const VARIANT& id) const {
        if (!form_ || !standard_) return {Target::Disconnected};
        if (id.vt != VT_I4) return {Target::Invalid};
        long long child = PartIndexOfChildId(StandardChildCount(), id.lVal);
        if (child < 0) return {Target::Standard};
        auto parts = form_->Input().AccessibleParts();
        if (static_cast<unsigned long long>(child) >= parts.size()) return {Target::Invalid};
        return {Target::Part, parts[static_cast<std::size_t>(child)]};
    }

    template <typename F>
    HRESULT Delegate(const Target& target, F&& call) const {
        if (target.kind == Target::Disconnected) return CO_E_OBJNOTCONNECTED;
        if (target.kind == Target::Invalid) return E_INVALIDARG;
        return call();
    }

    // Into and among the children, in the order AccessibleChildren lists them (the windowed ones,
    // then the parts), so that a reader walking the page meets every one; the end of the row is
    // S_FALSE with nothing in `end`. Other ways (the page's own siblings, or on screen) are the
    // standard object's, which knows nothing of the parts.
    HRESULT Navigate(LONG direction, const VARIANT& start, bool fromPart, VARIANT* end) {
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

    using TextGetter = HRESULT (STDMETHODCALLTYPE IAccessible::*)(VARIANT, BSTR*);
    // A text property: the part's text where it has one (else none), the standard object's otherwise.
    HRESULT Text(VARIANT id, BSTR* out, TextGetter standard, std::string_view AccessiblePart::*ofPart) {
        if (!out) return E_POINTER;
        *out = nullptr;
        Target target = Resolve(id);
        if (target.kind != Target::Part)
            return Delegate(target, [&] { return (standard_->*standard)(id, out); });
        if (!ofPart) return S_FALSE;
        *out = ToBstr(target.part.*ofPart);
        return *out ? S_OK : E_OUTOFMEMORY;
    }

    LONG references_ = 1;
    HWND hwnd_;
    Form* form_;
    DWORD thread_;
    IAccessible* standard_ = nullptr;
};

namespace {

// A client in this process may hold the object past FreeLibrary (an answer to WM_GETOBJECT never
// collected is released by CoUninitialize), and its calls go through the object's vtable. Once one
// has been handed out, the library stays mapped until the process ends, so no such call ever reaches
// unloaded code; a host that loads it again gets the same library back.
void KeepLibraryLoaded() {
    static bool pinned = false;
    HMODULE self = nullptr;
    if (!pinned)
        pinned = GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_PIN,
                                    reinterpret_cast<LPCSTR>(&KeepLibraryLoaded), &self);
}

}  // namespace

LRESULT AccessibleClient::Answer(HWND hwnd, Form& form, WPARAM flags) {
    auto answer = LateBound<decltype(&LresultFromObject)>("oleacc.dll", "LresultFromObject");
    if (!answer) return 0;
    KeepLibraryLoaded();
    if (!object_) object_ = new PageAccessible(hwnd, form);
    return answer(kIidAccessible, flags, object_);
}

// Clients that still hold the object get CO_E_OBJNOTCONNECTED from now on, and COM lets go of the
// stubs it made for other processes, so none of them calls in later.
void AccessibleClient::Disconnect() {
    if (!object_) return;
    object_->Disconnect();
    if (auto disconnect = LateBound<decltype(&CoDisconnectObject)>("ole32.dll", "CoDisconnectObject"))
        disconnect(object_, 0);
    object_->Release();
    object_ = nullptr;
}

}  // namespace platform
