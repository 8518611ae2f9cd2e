#pragma once
// Windows only: real input through SendInput, the message loop that delivers it, and the page's
// screen-reader object through oleacc, as a user's tools reach them.
#include <windows.h>

#include <commctrl.h>
#include <oleacc.h>

#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

namespace win32_input {

// Delivers what is queued, translated as a host's message loop does.
inline void Pump() {
    for (int round = 0; round < 5; ++round) {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        Sleep(5);
    }
}

inline void SendKey(WORD key, bool up) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = key;
    input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    SendInput(1, &input, sizeof input);
}

// Presses `key` while `modifiers` are held, then delivers the messages.
inline void Press(WORD key, std::initializer_list<WORD> modifiers = {}) {
    for (WORD m : modifiers) SendKey(m, false);
    SendKey(key, false);
    SendKey(key, true);
    for (auto m = std::rbegin(modifiers); m != std::rend(modifiers); ++m) SendKey(*m, true);
    Pump();
}

inline HWND ChildOfClass(HWND parent, const char* cls, int skip = 0) {
    HWND child = FindWindowExA(parent, nullptr, cls, nullptr);
    while (child && skip-- > 0) child = FindWindowExA(parent, child, cls, nullptr);
    return child;
}

inline bool Ticked(HWND checkbox) {
    return SendMessageA(checkbox, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

// Spelled out: MinGW's import library gives an import thunk for IID_IAccessible on x64.
inline const GUID kIidAccessible = {
    0x618736e0, 0x3c3d, 0x11cf, {0x81, 0x0c, 0x00, 0xaa, 0x00, 0x38, 0x9b, 0x71}};

// The window's accessible object for its client area, as a screen reader gets it.
class AccessibleWindow {
  public:
    explicit AccessibleWindow(HWND hwnd) {
        if (!hwnd) return;
        result = AccessibleObjectFromWindow(hwnd, static_cast<DWORD>(OBJID_CLIENT), kIidAccessible,
                                            reinterpret_cast<void**>(&object));
    }
    ~AccessibleWindow() {
        if (object) object->Release();
    }
    AccessibleWindow(const AccessibleWindow&) = delete;
    AccessibleWindow& operator=(const AccessibleWindow&) = delete;

    // A child object that a client was handed, taken over; what it says of itself, its role and name.
    static std::pair<LONG, std::string> Described(IDispatch* child) {
        AccessibleWindow object(nullptr);
        if (child)
            object.result = child->QueryInterface(kIidAccessible, reinterpret_cast<void**>(&object.object));
        if (child) child->Release();
        if (!object.object) return {-1, {}};
        return {object.Role(CHILDID_SELF), object.Name(CHILDID_SELF)};
    }
    static VARIANT Child(LONG id) {
        VARIANT v;
        VariantInit(&v);
        v.vt = VT_I4;
        v.lVal = id;
        return v;
    }
    static std::string Narrow(BSTR text) {
        if (!text) return {};
        int length = WideCharToMultiByte(1252, 0, text, -1, nullptr, 0, nullptr, nullptr);
        std::string out(static_cast<std::size_t>(length > 0 ? length - 1 : 0), '\0');
        if (length > 1) WideCharToMultiByte(1252, 0, text, -1, out.data(), length, nullptr, nullptr);
        SysFreeString(text);
        return out;
    }

    // The ids of the children listed by AccessibleChildren whose role is push button, in order.
    std::vector<LONG> PushButtons() const {
        LONG count = 0;
        object->get_accChildCount(&count);
        std::vector<VARIANT> children(static_cast<std::size_t>(count));
        LONG got = 0;
        AccessibleChildren(object, 0, count, children.data(), &got);
        std::vector<LONG> buttons;
        for (LONG i = 0; i < got; ++i) {
            VARIANT& child = children[static_cast<std::size_t>(i)];
            if (child.vt == VT_I4 && Role(child.lVal) == ROLE_SYSTEM_PUSHBUTTON)
                buttons.push_back(child.lVal);
            VariantClear(&child);
        }
        return buttons;
    }
    LONG Role(LONG id) const {
        VARIANT role;
        VariantInit(&role);
        if (FAILED(object->get_accRole(Child(id), &role)) || role.vt != VT_I4) return -1;
        return role.lVal;
    }
    LONG State(LONG id) const {
        VARIANT state;
        VariantInit(&state);
        if (FAILED(object->get_accState(Child(id), &state)) || state.vt != VT_I4) return -1;
        return state.lVal;
    }
    std::string Name(LONG id) const {
        BSTR name = nullptr;
        object->get_accName(Child(id), &name);
        return Narrow(name);
    }
    std::string DefaultAction(LONG id) const {
        BSTR action = nullptr;
        object->get_accDefaultAction(Child(id), &action);
        return Narrow(action);
    }
    RECT Location(LONG id) const {
        LONG left = 0, top = 0, width = 0, height = 0;
        object->accLocation(&left, &top, &width, &height, Child(id));
        return {left, top, left + width, top + height};
    }
    LONG HitTest(LONG x, LONG y) const {
        VARIANT hit;
        VariantInit(&hit);
        if (FAILED(object->accHitTest(x, y, &hit))) return -1;
        LONG id = hit.vt == VT_I4 ? hit.lVal : -1;
        VariantClear(&hit);
        return id;
    }

    HRESULT result = E_FAIL;
    IAccessible* object = nullptr;
};

}  // namespace win32_input
