// How the page compares with the bare Win32 limit, in one run: a page created through Namtail.dll
// until it has painted, then freed, against the same top-level window with the same native controls
// and images made directly with CreateWindowEx. Also library load plus unload, and the committed
// memory of one live page. Prints one "name value unit" line each.
#include <windows.h>

#include <commctrl.h>
#include <psapi.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "Namtail.h"

namespace {

struct Library {
    HMODULE handle = LoadLibraryA("Namtail.dll");
    ModulCreateProc create = reinterpret_cast<ModulCreateProc>(Find("ModulCreate"));
    ModulQueryProc free = reinterpret_cast<ModulQueryProc>(Find("ModulFree"));
    ~Library() {
        if (handle) FreeLibrary(handle);
    }
    void* Find(const char* name) const {
        return handle ? reinterpret_cast<void*>(GetProcAddress(handle, name)) : nullptr;
    }
};

double Now() {
    LARGE_INTEGER counter, frequency;
    QueryPerformanceCounter(&counter);
    QueryPerformanceFrequency(&frequency);
    return static_cast<double>(counter.QuadPart) / static_cast<double>(frequency.QuadPart);
}

void Pump() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
}

// Blocks until the window's first WM_PAINT has been handled.
void Painted(HWND window) {
    UpdateWindow(window);
    Pump();
}

// --- The page through the library -------------------------------------------------------------

HWND PageWindow() {
    return FindWindowA("NamtailTipWindow", "Alias names");
}

void PageCycle(const Library& library) {
    library.create(40, 40, 298, 455, 13, 1, "Alias names", "", 4096, 1);
    HWND page = PageWindow();
    if (!page) {
        std::fprintf(stderr, "the page did not appear\n");
        std::exit(1);
    }
    Painted(page);
    library.free();
}

// --- The same window made directly --------------------------------------------------------------

struct Baseline {
    HFONT font = CreateFontA(-11, 0, 0, 0, FW_NORMAL, 0, 0, 0, ANSI_CHARSET, 0, 0, 0, 0, "Tahoma");
    HFONT bold = CreateFontA(-12, 0, 0, 0, FW_BOLD, 0, 0, 0, ANSI_CHARSET, 0, 0, 0, 0, "Tahoma");
    std::vector<DWORD> image = std::vector<DWORD>(36 * 36, 0x002050C0);
    std::string help;

    Baseline() {
        WNDCLASSA wc{};
        wc.lpfnWndProc = Proc;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
        wc.lpszClassName = "BaselineTipWindow";
        RegisterClassA(&wc);
        for (int line = 0; line < 16; ++line) help += "Short file names (8.3) without a tilde, line\r\n";
    }
    ~Baseline() {
        DeleteObject(font);
        DeleteObject(bold);
    }

    static LRESULT CALLBACK Proc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
        if (msg != WM_PAINT) return DefWindowProcA(window, msg, wParam, lParam);
        auto* self = reinterpret_cast<Baseline*>(GetWindowLongPtrA(window, GWLP_USERDATA));
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(window, &ps);
        RECT client;
        GetClientRect(window, &client);
        FillRect(dc, &client, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
        HBRUSH blue = CreateSolidBrush(RGB(0, 80, 200));
        RECT borders[] = {{0, 0, 4, client.bottom},
                          {0, 0, client.right, 4},
                          {0, client.bottom - 4, client.right, client.bottom},
                          {client.right - 4, 0, client.right, client.bottom}};
        for (const RECT& r : borders) FillRect(dc, &r, blue);
        DeleteObject(blue);
        BITMAPINFO bi{};
        bi.bmiHeader = {sizeof bi.bmiHeader, 36, -36, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
        for (int left : {16, 56, 200, 240})
            SetDIBitsToDevice(dc, left, 381, 36, 36, 0, 0, 0, 36, self->image.data(), &bi, DIB_RGB_COLORS);
        EndPaint(window, &ps);
        return 0;
    }

    HWND Child(HWND parent, const char* cls, const char* text, DWORD style, RECT r, HFONT f) const {
        HWND child = CreateWindowExA(0, cls, text, WS_CHILD | WS_VISIBLE | style, r.left, r.top, r.right,
                                     r.bottom, parent, nullptr, GetModuleHandleA(nullptr), nullptr);
        SendMessageA(child, WM_SETFONT, reinterpret_cast<WPARAM>(f), FALSE);
        return child;
    }

    void Cycle() {
        HWND window = CreateWindowExA(WS_EX_TOOLWINDOW, "BaselineTipWindow", "Alias names",
                                      WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_BORDER, 40, 40, 298, 455,
                                      nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
        SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
        Child(window, "STATIC", "Alias names", SS_LEFT | SS_NOPREFIX, {16, 8, 257, 33}, bold);
        Child(window, "EDIT", help.c_str(), ES_MULTILINE | ES_READONLY | WS_VSCROLL | WS_BORDER,
              {16, 32, 259, 105}, font);
        Child(window, "EDIT", help.c_str(), ES_MULTILINE | ES_READONLY | WS_VSCROLL | WS_BORDER,
              {16, 32, 259, 105}, font);
        Child(window, "BUTTON", "&Don't show (~) in Filename", BS_CHECKBOX | WS_TABSTOP, {28, 154, 209, 17},
              font);
        HWND tips = CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP,
                                    CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, window,
                                    nullptr, GetModuleHandleA(nullptr), nullptr);
        int id = 1;
        for (int left : {16, 56, 200, 240}) {
            TOOLINFOA ti{};
            ti.cbSize = sizeof ti;
            ti.uFlags = TTF_SUBCLASS;
            ti.hwnd = window;
            ti.uId = id++;
            ti.rect = {left, 381, left + 36, 417};
            ti.lpszText = const_cast<char*>("hint");
            SendMessageA(tips, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&ti));
        }
        ShowWindow(window, SW_SHOW);
        Painted(window);
        DestroyWindow(window);
        Pump();
    }
};

template <typename F>
double SecondsPerCycle(int cycles, F&& cycle) {
    for (int i = 0; i < 5; ++i) cycle();  // warm caches and lazy registrations
    double start = Now();
    for (int i = 0; i < cycles; ++i) cycle();
    return (Now() - start) / cycles;
}

SIZE_T Committed() {
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof counters;
    GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters);
    return counters.PagefileUsage;  // PrivateUsage reads 0 under Wine
}

}  // namespace

int main(int argc, char** argv) {
    int cycles = argc > 1 ? std::atoi(argv[1]) : 200;
    InitCommonControls();
    // First, while no copy is loaded: each cycle really maps and initialises the library.
    double load = SecondsPerCycle(cycles / 4, [] { Library again; });
    Library library;
    if (!library.create || !library.free) {
        std::fprintf(stderr, "Namtail.dll not found\n");
        return 1;
    }
    Baseline baseline;
    // Interleaved rounds, so that a noisy machine weighs on both sides alike.
    double page = 0, bare = 0;
    for (int round = 0; round < 4; ++round) {
        page += SecondsPerCycle(cycles / 4, [&] { PageCycle(library); });
        bare += SecondsPerCycle(cycles / 4, [&] { baseline.Cycle(); });
    }
    std::printf("page_create_paint_free %.3f ms\n", page / 4 * 1000);
    std::printf("bare_create_paint_free %.3f ms\n", bare / 4 * 1000);
    std::printf("ratio_page_to_bare %.2f x\n", page / bare);

    std::printf("library_load_unload %.3f ms\n", load * 1000);

    SIZE_T before = Committed();
    library.create(40, 40, 298, 455, 13, 1, "Alias names", "", 4096, 1);
    Painted(PageWindow());
    SIZE_T live = Committed();
    library.free();
    std::printf("live_page_committed %.1f KiB\n",
                (static_cast<double>(live) - static_cast<double>(before)) / 1024);
    return 0;
}
