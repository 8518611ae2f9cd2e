#pragma once
// The bare Win32 page that the page is measured against: the same top-level window made directly with
// CreateWindowEx, doing all the page does: the two registry reads, title, both help boxes holding the
// help library's texts, the checkbox, a tooltip with the four hints, border strips and four images
// painted by the window. Work that does not depend on one window (fonts, images, window class) is done
// once, as the page does it once per load. Phases are marked like the page's.
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
        SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
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
        HWND english = Child(window, "EDIT", "", memo & ~WS_VISIBLE, {16, 32, 259, 105}, font_, false);
        HWND german = Child(window, "EDIT", "", memo, {16, 32, 259, 105}, font_);
        Child(window, "BUTTON", "&Don't show (~) in Filename", BS_CHECKBOX | WS_TABSTOP, {28, 154, 209, 17},
              font_);
        Mark("children, fonts and tools");
        SetWindowTextA(title, "Alias names");
        SetWindowTextA(german, Text(GetHelpText(1, kHelpGerman)).c_str());
        SetWindowTextA(english, Text(GetHelpText(1, kHelpEnglish)).c_str());
        ShowWindow(window, SW_SHOW);
        Mark("shown");
        Painted(window);
        Mark("painted");
        if (keep) return window;
        Destroy(window);
        return nullptr;
    }

    void Destroy(HWND window) const {
        DestroyWindow(window);
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

    static LRESULT CALLBACK Proc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
        auto* self = reinterpret_cast<Baseline*>(GetWindowLongPtrA(window, GWLP_USERDATA));
        if (msg == WM_CTLCOLOREDIT || msg == WM_CTLCOLORSTATIC) {
            SetBkColor(reinterpret_cast<HDC>(wParam), RGB(237, 242, 252));
            return reinterpret_cast<LRESULT>(self->help_);
        }
        if (msg == WM_ERASEBKGND) return 1;
        if (msg != WM_PAINT || !self) return DefWindowProcA(window, msg, wParam, lParam);
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(window, &ps);
        RECT client;
        GetClientRect(window, &client);
        FillRect(dc, &client, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
        RECT borders[] = {{0, 0, 5, client.bottom},
                          {0, 0, client.right, 5},
                          {0, client.bottom - 5, client.right, client.bottom},
                          {client.right - 5, 0, client.right, client.bottom}};
        for (const RECT& r : borders) FillRect(dc, &r, self->border_);
        BITMAPINFO bi{};
        bi.bmiHeader = {sizeof bi.bmiHeader, 32, -32, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
        const int lefts[] = {16, 56, 200, 240};
        for (int i = 0; i < 4; ++i)
            SetDIBitsToDevice(dc, lefts[i] + 2, client.bottom - 43, 32, 32, 0, 0, 0, 32,
                              self->images_[i].data(), &bi, DIB_RGB_COLORS);
        EndPaint(window, &ps);
        return 0;
    }

    MarkPhase mark_;
    HINSTANCE instance_;
    HFONT font_ = CreateFontA(-11, 0, 0, 0, FW_NORMAL, 0, 0, 0, ANSI_CHARSET, 0, 0, 0, 0, "Tahoma");
    HFONT bold_ = CreateFontA(-12, 0, 0, 0, FW_BOLD, 0, 0, 0, ANSI_CHARSET, 0, 0, 0, 0, "Tahoma");
    HBRUSH border_ = CreateSolidBrush(RGB(140, 170, 230));
    HBRUSH help_ = CreateSolidBrush(RGB(237, 242, 252));
    std::vector<std::uint32_t> images_[4];
};

}  // namespace bench
