#pragma once
// The bare page that the page is measured against: the same job done directly in Win32, as a careful
// programmer would write it for the same users. It makes the same top-level window with
// CreateWindowEx: the two registry reads, title, both help boxes holding the help library's texts,
// the checkbox, a tooltip with the four hints, border strips and four images painted by the window.
// Work that does not depend on one window (fonts, images, window class) is done once, as the page
// does it once per load. What the page does for its users is part of that job, so the bare page does
// it too:
// - the checkbox has the keyboard focus when the window shows, so that a keyboard user can tick it at
//   once; the system first gives the focus to the activated window and the checkbox takes it from
//   there, which is also what lets a screen reader hear it (EVENT_OBJECT_FOCUS: under Wine a focus
//   given inside the activation with nothing focused before raises no event);
// - Tab, Shift+Tab and the checkbox's access key (Alt+D) work from inside the help boxes and the
//   checkbox, not only from the window: a keyboard user who clicked into a help box is not stuck
//   there. No dialog manager runs in a host's message loop, so the three controls are subclassed;
// - under Wine only, the help boxes are emptied before they are destroyed: Wine's edit control keeps
//   the word-break data of a box destroyed with its text, and a long-running host's heap would grow
//   with every page. Windows frees it with the box, so there nothing is emptied.
// It does nothing the page does not: no other messages, windows or repaints. Phases are marked like
// the page's.
#include <windows.h>

#include <commctrl.h>

#include <cstdint>
#include <string>
#include <vector>

#include "help/QuandeoHelp.h"

namespace bench {

using MarkPhase = void (*)(const char* phase);

inline double Now() {
    LARGE_INTEGER counter, frequency;
    QueryPerformanceCounter(&counter);
    QueryPerformanceFrequency(&frequency);
    return static_cast<double>(counter.QuadPart) / static_cast<double>(frequency.QuadPart);
}

inline void Pump() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
}

// Blocks until the window's first WM_PAINT has been handled.
inline void Painted(HWND window) {
    UpdateWindow(window);
    Pump();
}

// The host's own window, up and painted before anything is timed.
inline HWND HostWindow() {
    WNDCLASSA wc{};
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    wc.lpszClassName = "BenchHost";
    RegisterClassA(&wc);
    HWND host = CreateWindowExA(0, "BenchHost", "Bench host", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 640,
                                520, nullptr, nullptr, wc.hInstance, nullptr);
    Painted(host);
    return host;
}

class Baseline {
  public:
    // `instance` is the module the windows belong to: the program's, or a library's of its own.
    explicit Baseline(MarkPhase mark = nullptr, HINSTANCE instance = GetModuleHandleA(nullptr))
        : mark_(mark), instance_(instance) {
        WNDCLASSA wc{};
        wc.lpfnWndProc = Proc;
        wc.hInstance = instance_;
        wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
        wc.lpszClassName = "BaselineTipWindow";
        RegisterClassA(&wc);
        for (int i = 0; i < 4; ++i) images_[i].assign(32 * 32, 0x002A5AC8u + static_cast<unsigned>(i));
    }
    ~Baseline() {
        DeleteObject(font_);
        DeleteObject(bold_);
        DeleteObject(border_);
        DeleteObject(help_);
        UnregisterClassA("BaselineTipWindow", instance_);
    }
    Baseline(const Baseline&) = delete;
    Baseline& operator=(const Baseline&) = delete;

    // One page: created, shown, painted, destroyed. `keep` leaves it alive (for a memory figure).
    HWND Cycle(bool keep = false) {
        ReadRegistry();
        Mark("registry reads");
        HWND window = CreateWindowExA(0, "BaselineTipWindow", "Alias names",
                                      WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN, 40, 40, 298,
                                      455, nullptr, nullptr, instance_, this);
        Mark("window");
        HWND tips = CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr,
                                    WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT, CW_USEDEFAULT,
                                    CW_USEDEFAULT, CW_USEDEFAULT, window, nullptr, instance_, nullptr);
        Mark("tooltip window");
        const char* hints[] = {"Changes will be saved immediately", "Restore defaults", "Valid to ...",
                               "Registry Lookup"};
        const int lefts[] = {16, 56, 200, 240};
        for (int i = 0; i < 4; ++i) {
            TOOLINFOA ti{};
            ti.cbSize = sizeof ti;
            ti.uFlags = TTF_SUBCLASS;
            ti.hwnd = window;
            ti.uId = static_cast<UINT_PTR>(100 + i);
            ti.rect = {lefts[i], 381, lefts[i] + 36, 417};
            ti.lpszText = const_cast<char*>(hints[i]);
            SendMessageA(tips, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&ti));
        }
        HWND title = Child(window, "STATIC", "", SS_LEFT | SS_NOPREFIX, {16, 8, 257, 33}, bold_);
        DWORD memo = ES_MULTILINE | ES_AUTOVSCROLL | ES_READONLY | WS_VSCROLL | WS_BORDER;
        english_ = Keyed(Child(window, "EDIT", "", memo & ~WS_VISIBLE, {16, 32, 259, 105}, font_, false));
        german_ = Keyed(Child(window, "EDIT", "", memo, {16, 32, 259, 105}, font_));
        checkBox_ = Keyed(Child(window, "BUTTON", "&Don't show (~) in Filename", BS_CHECKBOX | WS_TABSTOP,
                                {28, 154, 209, 17}, font_));
        Mark("children, fonts and tools");
        SetWindowTextA(title, "Alias names");
        SetWindowTextA(german_, Text(GetHelpText(1, kHelpGerman)).c_str());
        SetWindowTextA(english_, Text(GetHelpText(1, kHelpEnglish)).c_str());
        ShowWindow(window, SW_SHOW);  // activates the window, which focuses the checkbox
        Mark("shown");
        Painted(window);
        Mark("painted");
        if (keep) return window;
        Destroy(window);
        return nullptr;
    }

    void Destroy(HWND window) {
        if (underWine_) {
            // Hidden first: emptying a box on screen redraws it and its scroll bar at once.
            ShowWindow(window, SW_HIDE);
            SetWindowTextA(english_, "");
            SetWindowTextA(german_, "");
        }
        DestroyWindow(window);
        english_ = german_ = checkBox_ = nullptr;
        Pump();
        Mark("destroyed");
    }

  private:
    void Mark(const char* phase) const {
        if (mark_) mark_(phase);
    }

    static void ReadRegistry() {
        HKEY key = nullptr;
        DWORD value = 0, size = sizeof value;
        if (RegCreateKeyExA(HKEY_CURRENT_USER, "SOFTWARE\\Quandeo\\Velmora 2000", 0, nullptr, 0,
                            KEY_ALL_ACCESS, nullptr, &key, nullptr) == ERROR_SUCCESS) {
            RegQueryValueExA(key, "BSControl", nullptr, nullptr, reinterpret_cast<BYTE*>(&value), &size);
            RegCloseKey(key);
        }
        BYTE tail[1];
        size = sizeof tail;
        if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, "System\\CurrentControlSet\\Control\\FileSystem", 0, KEY_READ,
                          &key) == ERROR_SUCCESS) {
            RegQueryValueExA(key, "NameNumericTail", nullptr, nullptr, tail, &size);
            RegCloseKey(key);
        }
    }

    // The box's lines as the page's text boxes hold them: each ended by CR LF.
    static std::string Text(const char* help) { return help ? std::string(help) + "\r\n" : std::string(); }

    HWND Child(HWND parent, const char* cls, const char* text, DWORD style, RECT r, HFONT font,
               bool visible = true) {
        HWND child =
            CreateWindowExA(0, cls, text, WS_CHILD | WS_CLIPSIBLINGS | (visible ? WS_VISIBLE : 0) | style,
                            r.left, r.top, r.right, r.bottom, parent, nullptr, instance_, nullptr);
        SendMessageA(child, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
        return child;
    }

    // A control that can have the focus passes its keys through KeyedProc first; its own procedure
    // waits in its user data.
    static HWND Keyed(HWND child) {
        LONG_PTR own = SetWindowLongPtrA(child, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(KeyedProc));
        SetWindowLongPtrA(child, GWLP_USERDATA, own);
        return child;
    }

    static Baseline* Of(HWND window) {
        return reinterpret_cast<Baseline*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    }

    void Toggle() const {
        bool checked = SendMessageA(checkBox_, BM_GETCHECK, 0, 0) == BST_CHECKED;
        SendMessageA(checkBox_, BM_SETCHECK, checked ? BST_UNCHECKED : BST_CHECKED, 0);
    }

    // Tab and Shift+Tab move to the next tab stop; Alt+D, the checkbox's access key, focuses and ticks
    // it, and the character that follows is swallowed so that the system neither looks for a menu
    // nor beeps. True when the key was taken.
    bool TookKey(HWND window, UINT msg, WPARAM key) {
        switch (msg) {
            case WM_KEYDOWN: {
                if (key != VK_TAB) return false;
                HWND from = GetFocus();
                if (GetParent(from) != window) from = nullptr;
                if (HWND next = GetNextDlgTabItem(window, from, GetKeyState(VK_SHIFT) < 0)) SetFocus(next);
                return true;
            }
            case WM_SYSKEYDOWN:
                accessKeyDown_ = key == 'D';
                if (accessKeyDown_) SetFocus(checkBox_), Toggle();
                return accessKeyDown_;
            case WM_SYSCHAR: {
                bool taken = accessKeyDown_;
                accessKeyDown_ = false;
                return taken;
            }
            default:
                return false;
        }
    }

    static LRESULT CALLBACK KeyedProc(HWND child, UINT msg, WPARAM wParam, LPARAM lParam) {
        auto own = reinterpret_cast<WNDPROC>(GetWindowLongPtrA(child, GWLP_USERDATA));
        HWND window = GetParent(child);
        Baseline* self = Of(window);
        if (self && self->TookKey(window, msg, wParam)) return 0;
        return CallWindowProcA(own, child, msg, wParam, lParam);
    }

    static LRESULT CALLBACK Proc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
        if (msg == WM_NCCREATE) {
            auto* created = reinterpret_cast<CREATESTRUCTA*>(lParam);
            SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(created->lpCreateParams));
        }
        Baseline* self = Of(window);
        if (!self) return DefWindowProcA(window, msg, wParam, lParam);
        switch (msg) {
            case WM_CTLCOLOREDIT:
            case WM_CTLCOLORSTATIC:
                SetBkColor(reinterpret_cast<HDC>(wParam), RGB(237, 242, 252));
                return reinterpret_cast<LRESULT>(self->help_);
            case WM_ERASEBKGND:
                return 1;
            case WM_PAINT:
                self->Paint(window);
                return 0;
            case WM_ACTIVATE: {
                // The system focuses the window first; the checkbox then takes the focus from it.
                LRESULT result = DefWindowProcA(window, msg, wParam, lParam);
                if (LOWORD(wParam) != WA_INACTIVE && !HIWORD(wParam) && self->checkBox_)
                    SetFocus(self->checkBox_);
                return result;
            }
            case WM_COMMAND:
                if (reinterpret_cast<HWND>(lParam) != self->checkBox_ || HIWORD(wParam) != BN_CLICKED) break;
                self->Toggle();
                return 0;
            case WM_KEYDOWN:
            case WM_SYSKEYDOWN:
            case WM_SYSCHAR:
                if (self->TookKey(window, msg, wParam)) return 0;
                break;
            default:
                break;
        }
        return DefWindowProcA(window, msg, wParam, lParam);
    }

    void Paint(HWND window) const {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(window, &ps);
        RECT client;
        GetClientRect(window, &client);
        FillRect(dc, &client, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
        RECT borders[] = {{0, 0, 5, client.bottom},
                          {0, 0, client.right, 5},
                          {0, client.bottom - 5, client.right, client.bottom},
                          {client.right - 5, 0, client.right, client.bottom}};
        for (const RECT& r : borders) FillRect(dc, &r, border_);
        BITMAPINFO bi{};
        bi.bmiHeader = {sizeof bi.bmiHeader, 32, -32, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
        const int lefts[] = {16, 56, 200, 240};
        for (int i = 0; i < 4; ++i)
            SetDIBitsToDevice(dc, lefts[i] + 2, client.bottom - 43, 32, 32, 0, 0, 0, 32, images_[i].data(),
                              &bi, DIB_RGB_COLORS);
        EndPaint(window, &ps);
    }

    MarkPhase mark_;
    HINSTANCE instance_;
    // Wine's ntdll names itself; Windows' does not.
    bool underWine_ = GetProcAddress(GetModuleHandleA("ntdll.dll"), "wine_get_version") != nullptr;
    HFONT font_ = CreateFontA(-11, 0, 0, 0, FW_NORMAL, 0, 0, 0, ANSI_CHARSET, 0, 0, 0, 0, "Tahoma");
    HFONT bold_ = CreateFontA(-12, 0, 0, 0, FW_BOLD, 0, 0, 0, ANSI_CHARSET, 0, 0, 0, 0, "Tahoma");
    HBRUSH border_ = CreateSolidBrush(RGB(140, 170, 230));
    HBRUSH help_ = CreateSolidBrush(RGB(237, 242, 252));
    std::vector<std::uint32_t> images_[4];
    HWND english_ = nullptr, german_ = nullptr, checkBox_ = nullptr;  // of the window that lives
    bool accessKeyDown_ = false;
};

}  // namespace bench
