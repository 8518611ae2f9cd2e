// NamtailHost: a small host for trying the page. It loads Namtail.dll through the public header
// only, creates the page from the command line and offers the other four entry points as buttons.
//   NamtailHost [--left N] [--top N] [--width N] [--height N] [--edition N] [--language N]
//               [--caption TEXT] [--hint TEXT] [--validfor N] [--helpid N] [--exit-after MS]
//               [--dock 1]
// With --dock 1 it docks the page in its own window, beside its buttons, as a host may: WS_CHILD
// set (the page has no WS_POPUP), SetParent, and commands 10 and 11 with a place in its client area.
// It registers the host message "Quandeo", shows each notification the page sends (and prints it),
// and sends any command code with any argument to the page. It also prints the text of every message
// box and of every hint the page shows, so that a script can read what a user would read.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "Namtail.h"

namespace {

struct Options {
    int left = 40, top = 40, width = 298, height = 455;
    int edition = 13, language = 1, validFor = 1 << 12, helpId = 1, exitAfterMs = 0;
    bool dock = false;
    std::string caption = "Alias names", hint = "Short file names without a tilde";
};

struct Module {
    HMODULE library = nullptr;
    ModulCreateProc create = nullptr;
    ModulQueryProc query[4] = {};  // by ordinal - 1: Nr, SaveChanges, Changed, Free
};

Module module;
HWND resultLabel = nullptr, codeEdit = nullptr, argumentEdit = nullptr;
UINT hostMessage = 0;
std::string pageCaption;
HWND dockedPage = nullptr;
constexpr int kSendButton = 200;
constexpr int kFirstButton = 100;
const char* const kButtons[] = {"ModulSaveChanges", "ModulChanged", "ModulNr", "ModulFree"};
const int kOrdinals[] = {2, 3, 1, 4};

Options Parse(int argc, char** argv) {
    Options o;
    for (int i = 1; i + 1 < argc; i += 2) {
        std::string key = argv[i];
        const char* value = argv[i + 1];
        int n = std::atoi(value);
        if (key == "--left")
            o.left = n;
        else if (key == "--top")
            o.top = n;
        else if (key == "--width")
            o.width = n;
        else if (key == "--height")
            o.height = n;
        else if (key == "--edition")
            o.edition = n;
        else if (key == "--language")
            o.language = n;
        else if (key == "--validfor")
            o.validFor = n;
        else if (key == "--helpid")
            o.helpId = n;
        else if (key == "--exit-after")
            o.exitAfterMs = n;
        else if (key == "--dock")
            o.dock = n != 0;
        else if (key == "--caption")
            o.caption = value;
        else if (key == "--hint")
            o.hint = value;
        else
            std::fprintf(stderr, "unknown option %s\n", key.c_str());
    }
    return o;
}

// The page window: its class and the caption this host gave it. FindWindowA finds top-level
// windows only: a docked page is the one this host docked.
HWND FindPage() {
    if (dockedPage && IsWindow(dockedPage)) return dockedPage;
    return FindWindowA("NamtailTipWindow", pageCaption.c_str());
}

// Where the docked page lies in the host's client area: right of the buttons.
constexpr int kDockLeft = 210, kDockTop = 10;

// As a host docks a window of its own: a child instead of a popup, in the host's window, then
// placed in the host's client area with commands 10 and 11.
void Dock(HWND page, HWND host) {
    LONG_PTR style = GetWindowLongPtrA(page, GWL_STYLE);
    SetWindowLongPtrA(page, GWL_STYLE, style | WS_CHILD);
    SetParent(page, host);
    SendMessageA(page, hostMessage, 10, kDockLeft);
    SendMessageA(page, hostMessage, 11, kDockTop);
    dockedPage = page;
}

template <typename T>
T Proc(const char* name) {
    return reinterpret_cast<T>(reinterpret_cast<void*>(GetProcAddress(module.library, name)));
}

LRESULT CALLBACK HostProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_COMMAND: {
            if (LOWORD(wParam) == kSendButton) {
                char code[16] = {}, argument[16] = {};
                GetWindowTextA(codeEdit, code, sizeof code);
                GetWindowTextA(argumentEdit, argument, sizeof argument);
                HWND page = FindPage();
                if (page)
                    SendMessageA(page, hostMessage,
                                 static_cast<WPARAM>(static_cast<unsigned>(std::atoi(code))),
                                 static_cast<LPARAM>(std::atoi(argument)));
                SetWindowTextA(resultLabel, page ? "command sent" : "no page window");
                return 0;
            }
            int index = LOWORD(wParam) - kFirstButton;
            if (index < 0 || index >= 4) break;
            int result = module.query[kOrdinals[index] - 1]();
            char text[64];
            std::snprintf(text, sizeof text, "%s = %d", kButtons[index], result);
            SetWindowTextA(resultLabel, text);
            return 0;
        }
        case WM_TIMER:
        case WM_CLOSE:
            // A docked page would go with this window: freed first, as the notes ask.
            if (dockedPage) module.query[3]();  // ModulFree
            DestroyWindow(hwnd);
            return 0;
        case WM_DESTROY:
            PostQuitMessage(0);
            return 0;
        default:
            if (hostMessage && msg == hostMessage) {
                char text[64];
                std::snprintf(text, sizeof text, "notification %d, %d", static_cast<int>(wParam),
                              static_cast<int>(lParam));
                SetWindowTextA(resultLabel, text);
                std::printf("%s\n", text);
                std::fflush(stdout);
                return 0;
            }
            break;
    }
    return DefWindowProcA(hwnd, msg, wParam, lParam);
}

// One line per text; line breaks become " | ".
void PrintText(const char* what, const char* text) {
    std::string line = text;
    for (std::size_t at; (at = line.find("\r\n")) != std::string::npos;) line.replace(at, 2, " | ");
    std::printf("%s: %s\n", what, line.c_str());
    std::fflush(stdout);
}

bool IsClass(HWND hwnd, const char* name) {
    char cls[64] = {};
    GetClassNameA(hwnd, cls, sizeof cls);
    return std::strcmp(cls, name) == 0;
}

LRESULT CALLBACK LogMessageBox(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_ACTIVATE && IsClass(reinterpret_cast<HWND>(wParam), "#32770")) {
        char text[2048] = {};
        GetDlgItemTextA(reinterpret_cast<HWND>(wParam), 0xFFFF, text, sizeof text);  // the box's text
        PrintText("message box", text);
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

LRESULT CALLBACK LogHint(int code, WPARAM wParam, LPARAM lParam) {
    const auto* call = reinterpret_cast<const CWPRETSTRUCT*>(lParam);
    if (code == HC_ACTION && call->message == WM_WINDOWPOSCHANGED &&
        (reinterpret_cast<const WINDOWPOS*>(call->lParam)->flags & SWP_SHOWWINDOW) &&
        IsClass(call->hwnd, "tooltips_class32")) {
        char text[512] = {};
        GetWindowTextA(call->hwnd, text, sizeof text);
        PrintText("hint", text);
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

// By its full path, beside this program, with the altered search path: then the loader looks for
// the page's own import QuandeoHelp.dll beside Namtail.dll, not beside the host (error 126 for a
// host that keeps its pages in a folder of their own). The path stays UTF-16 all the way: a folder
// named outside the ANSI code page has no ANSI path.
HMODULE LoadPage() {
    std::wstring path(MAX_PATH, L'\0');
    DWORD length = 0;
    // A path that does not fit comes back cut to the buffer's size.
    while ((length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()))) ==
           path.size())
        path.resize(path.size() * 2);
    if (length == 0) return nullptr;
    path.resize(length);
    path.erase(path.rfind(L'\\') + 1);
    path += L"Namtail.dll";
    return LoadLibraryExW(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
}

HWND CreateHostWindow(const Options& o) {
    WNDCLASSA wc{};
    wc.lpfnWndProc = HostProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = "NamtailHost";
    RegisterClassA(&wc);
    // Docking, it holds the page beside its buttons; else it stands right of the page.
    const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_VISIBLE | (o.dock ? WS_CLIPCHILDREN : 0);
    RECT frame{0, 0, kDockLeft + o.width + 10, kDockTop + (o.height > 230 ? o.height : 230) + 10};
    AdjustWindowRect(&frame, style, FALSE);
    HWND hwnd =
        CreateWindowA("NamtailHost", "Namtail host", style, o.dock ? o.left : o.left + o.width + 12, o.top,
                      o.dock ? frame.right - frame.left : 220, o.dock ? frame.bottom - frame.top : 250,
                      nullptr, nullptr, wc.hInstance, nullptr);
    for (int i = 0; i < 4; ++i)
        CreateWindowA("BUTTON", kButtons[i], WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 10, 10 + i * 30, 190, 26,
                      hwnd, reinterpret_cast<HMENU>(static_cast<INT_PTR>(kFirstButton + i)), wc.hInstance,
                      nullptr);
    // Any host command: code and argument, sent with the registered message.
    codeEdit = CreateWindowA("EDIT", "200", WS_CHILD | WS_VISIBLE | WS_BORDER, 10, 132, 50, 22, hwnd, nullptr,
                             wc.hInstance, nullptr);
    argumentEdit = CreateWindowA("EDIT", "0", WS_CHILD | WS_VISIBLE | WS_BORDER, 66, 132, 60, 22, hwnd,
                                 nullptr, wc.hInstance, nullptr);
    CreateWindowA("BUTTON", "Send", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 132, 131, 68, 24, hwnd,
                  reinterpret_cast<HMENU>(static_cast<INT_PTR>(kSendButton)), wc.hInstance, nullptr);
    resultLabel = CreateWindowA("STATIC", "", WS_CHILD | WS_VISIBLE, 10, 164, 190, 40, hwnd, nullptr,
                                wc.hInstance, nullptr);
    return hwnd;
}

}  // namespace

int main(int argc, char** argv) {
    Options o = Parse(argc, argv);
    module.library = LoadPage();
    if (!module.library) {
        std::fprintf(stderr, "Namtail.dll could not be loaded (error %lu)\n", GetLastError());
        return 1;
    }
    module.create = Proc<ModulCreateProc>("ModulCreate");
    module.query[0] = Proc<ModulQueryProc>("ModulNr");
    module.query[1] = Proc<ModulQueryProc>("ModulSaveChanges");
    module.query[2] = Proc<ModulQueryProc>("ModulChanged");
    module.query[3] = Proc<ModulQueryProc>("ModulFree");
    for (auto* p : module.query)
        if (!p || !module.create) return std::fprintf(stderr, "Namtail.dll lacks an export\n"), 1;

    hostMessage = RegisterWindowMessageA("Quandeo");
    pageCaption = o.caption;
    SetWindowsHookExA(WH_CBT, LogMessageBox, nullptr, GetCurrentThreadId());
    SetWindowsHookExA(WH_CALLWNDPROCRET, LogHint, nullptr, GetCurrentThreadId());
    HWND host = CreateHostWindow(o);
    module.create(o.left, o.top, o.width, o.height, o.edition, o.language, o.caption.c_str(), o.hint.c_str(),
                  o.validFor, o.helpId);
    if (HWND page = FindPage()) {
        if (o.dock) Dock(page, host);
        POINT origin{0, 0};
        ClientToScreen(page, &origin);
        std::printf("page client origin %ld %ld\n", origin.x, origin.y);
        std::fflush(stdout);
    }
    if (o.exitAfterMs > 0) SetTimer(host, 1, static_cast<UINT>(o.exitAfterMs), nullptr);

    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    module.query[3]();  // ModulFree
    FreeLibrary(module.library);
    return 0;
}
