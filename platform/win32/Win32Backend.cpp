// The Win32 backend: one top-level window of the module's own class per form, native STATIC, EDIT
// and BUTTON children for text and checkbox, everything else drawn and hit-tested by the window.
#include <windows.h>

#include <commctrl.h>
#include <windowsx.h>

#include <utility>

#include "platform/Form.h"
#include "platform/Phases.h"
#include "platform/win32/Win32Accessible.h"

namespace platform {
namespace {

constexpr char kWindowClass[] = "NamtailTipWindow";
constexpr DWORD kWindowStyle = WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
constexpr DWORD kWindowExStyle = 0;
constexpr char kBoxCaption[] = "Namtail";
constexpr UINT kBroadcastTimeoutMs = 3000;

LRESULT CALLBACK WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

HINSTANCE ModuleInstance() {
    HMODULE module = nullptr;
    GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCSTR>(&WindowProc), &module);
    return module;
}

// Registered on first use; unregistered when the library unloads, since hosts load and unload plug-ins.
class WindowClassRegistration {
  public:
    ~WindowClassRegistration() {
        if (atom_) UnregisterClassA(kWindowClass, ModuleInstance());
    }
    void Ensure() {
        if (atom_) return;
        INITCOMMONCONTROLSEX icc{sizeof icc, ICC_WIN95_CLASSES};
        InitCommonControlsEx(&icc);
        WNDCLASSEXA wc{};
        wc.cbSize = sizeof wc;
        wc.style = CS_DBLCLKS;
        wc.lpfnWndProc = WindowProc;
        wc.hInstance = ModuleInstance();
        wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
        wc.hIcon = LoadIcon(nullptr, IDI_APPLICATION);
        wc.lpszClassName = kWindowClass;
        atom_ = RegisterClassExA(&wc);
    }

  private:
    ATOM atom_ = 0;
} windowClass;

COLORREF ToColorRef(Color c) {
    return IsSystemColor(c) ? GetSysColor(static_cast<int>(c & 0xFF)) : static_cast<COLORREF>(c);
}

HFONT MakeFont(const Font& f) {
    return CreateFontA(f.height, 0, 0, 0, f.bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE, FALSE, ANSI_CHARSET,
                       OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE,
                       f.name.c_str());
}

// Fonts and brushes do not depend on one page: made at first use, shared by every page of this load
// of the library, and deleted when it unloads.
class GdiObjects {
  public:
    ~GdiObjects() {
        for (auto& [font, handle] : fonts_) DeleteObject(handle);
        for (auto& [color, brush] : brushes_) DeleteObject(brush);
    }
    HFONT FontOf(const Font& f) {
        for (auto& [font, handle] : fonts_)
            if (font == f) return handle;
        HFONT handle = MakeFont(f);
        fonts_.emplace_back(f, handle);
        return handle;
    }
    HBRUSH BrushOf(COLORREF color) {
        for (auto& [c, brush] : brushes_)
            if (c == color) return brush;
        HBRUSH brush = CreateSolidBrush(color);
        brushes_.emplace_back(color, brush);
        return brush;
    }

  private:
    std::vector<std::pair<Font, HFONT>> fonts_;
    std::vector<std::pair<COLORREF, HBRUSH>> brushes_;
} gdiObjects;

class DcCanvas : public Canvas {
  public:
    explicit DcCanvas(HDC dc) : dc_(dc) {}
    void FillRect(const Rect& r, Color color) override {
        RECT rc{r.left, r.top, r.Right(), r.Bottom()};
        ::FillRect(dc_, &rc, Brush(color));
    }
    void FrameRect(const Rect& r, Color color) override {
        RECT rc{r.left, r.top, r.Right(), r.Bottom()};
        ::FrameRect(dc_, &rc, Brush(color));
    }
    void DrawBitmap(int x, int y, const Bitmap& b) override {
        BITMAPINFO bi{};
        bi.bmiHeader.biSize = sizeof bi.bmiHeader;
        bi.bmiHeader.biWidth = b.width;
        bi.bmiHeader.biHeight = -b.height;  // top-down rows
        bi.bmiHeader.biPlanes = 1;
        bi.bmiHeader.biBitCount = 32;
        bi.bmiHeader.biCompression = BI_RGB;
        SetDIBitsToDevice(dc_, x, y, static_cast<DWORD>(b.width), static_cast<DWORD>(b.height), 0, 0, 0,
                          static_cast<UINT>(b.height), b.pixels.data(), &bi, DIB_RGB_COLORS);
    }
    static HBRUSH Brush(Color color) { return gdiObjects.BrushOf(ToColorRef(color)); }

  private:
    HDC dc_;
};

class Win32Peer : public FormPeer {
  public:
    explicit Win32Peer(Form& form) : form_(form) {
        windowClass.Ensure();
        hwnd_ = CreateWindowExA(kWindowExStyle, kWindowClass, form.Caption().c_str(), kWindowStyle,
                                form.Left(), form.Top(), form.Width(), form.Height(), nullptr, nullptr,
                                ModuleInstance(), this);
        if (!hwnd_) throw Error("Cannot create the window");
        Phase("window");
        tooltip_ = CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr,
                                   WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT, CW_USEDEFAULT,
                                   CW_USEDEFAULT, CW_USEDEFAULT, hwnd_, nullptr, ModuleInstance(), nullptr);
        Phase("tooltip window");
        int id = 100;
        for (const auto& component : form.Components()) {
            if (!component->IsControl()) continue;
            auto& control = static_cast<Control&>(*component);
            natives_.push_back({&control, id, nullptr, false, false});
            if (control.Kind() == NativeKind::Graphic)
                AddTool(control, id);
            else
                CreateChild(control, id);
            ++id;
        }
        ready_ = true;
        Phase("children, fonts and tools");
    }

    ~Win32Peer() override {
        accessible_.Disconnect();
        if (hwnd_) {
            SetWindowLongPtrA(hwnd_, GWLP_USERDATA, 0);
            // Hidden first, as destroying would do anyway, so that nothing below repaints on the way.
            SetWindowPos(hwnd_, nullptr, 0, 0, 0, 0,
                         SWP_HIDEWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
            // Wine's edit control keeps the memory of the text it holds when it is destroyed.
            for (const Native& n : natives_)
                if (n.child && n.control->Kind() == NativeKind::Edit) SetWindowTextA(n.child, "");
            DestroyWindow(hwnd_);  // children and the tooltip go with it
        }
    }

    void* Handle() const override { return hwnd_; }
    void* ControlHandle(const Control& control) const override {
        const Native* native = Find(&control);
        return native ? native->child : nullptr;
    }

    void WindowChanged(WindowChange what) override {
        if (!hwnd_) return;
        switch (what) {
            case WindowChange::Caption:
                if (!onScreen_) {
                    captionStale_ = true;
                    break;
                }
                SetWindowTextA(hwnd_, form_.Caption().c_str());
                break;
            case WindowChange::Bounds:
                // A hidden window is placed once, when it shows: a host sets four values in a row.
                if (!onScreen_) {
                    boundsStale_ = true;
                    break;
                }
                PlaceWindow(0);
                break;
            case WindowChange::Visible:
                if (updating_ && form_.Visible()) {
                    showPending_ = true;
                    break;
                }
                showPending_ = false;
                ShowOrHide();
                break;
            case WindowChange::Look:
                for (const Native& n : natives_)
                    if (n.child)
                        SendMessageA(n.child, WM_SETFONT, reinterpret_cast<WPARAM>(FontOf(*n.control)), TRUE);
                InvalidateRect(hwnd_, nullptr, TRUE);
                break;
        }
    }

    void ControlChanged(Control& control, ControlChange what) override {
        if (!hwnd_ || !ready_) return;
        Native* native = Find(&control);
        if (!native) return;
        if (!native->child) return GraphicChanged(*native, what);
        HWND h = native->child;
        const Rect& r = control.Bounds();
        switch (what) {
            case ControlChange::Bounds:
                if (!onScreen_) {
                    native->staleBounds = true;
                    break;
                }
                MoveWindow(h, r.left, r.top, r.width, r.height, TRUE);
                break;
            case ControlChange::Text:
                if (!onScreen_) {
                    native->staleText = true;
                } else {
                    // Drawn with the next paint of the window, not at once for each change.
                    SendMessageA(h, WM_SETREDRAW, FALSE, 0);
                    SetWindowTextA(h, TextOf(control).c_str());
                    SendMessageA(h, WM_SETREDRAW, TRUE, 0);
                    InvalidateRect(h, nullptr, TRUE);
                }
                break;
            case ControlChange::Enabled:
                EnableWindow(h, control.Enabled());
                break;
            case ControlChange::Visible: {
                if (!onScreen_) {
                    ShowWindow(h, control.Visible() ? SW_SHOW : SW_HIDE);
                    break;
                }
                // Drawn with the next paint of the window: the place it leaves and the control shown.
                SetWindowPos(h, nullptr, 0, 0, 0, 0,
                             SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW |
                                 (control.Visible() ? SWP_SHOWWINDOW : SWP_HIDEWINDOW));
                RECT area{r.left, r.top, r.Right(), r.Bottom()};
                InvalidateRect(hwnd_, &area, TRUE);
                if (control.Visible())
                    RedrawWindow(h, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME);
                break;
            }
            case ControlChange::Checked:
                SendMessageA(h, BM_SETCHECK,
                             static_cast<CheckBox&>(control).Checked() ? BST_CHECKED : BST_UNCHECKED, 0);
                break;
            case ControlChange::Look:
                SendMessageA(h, WM_SETFONT, reinterpret_cast<WPARAM>(FontOf(control)), TRUE);
                break;
            case ControlChange::Hint:
                break;
        }
    }

    void BringToFront() override {
        if (!hwnd_) return;
        if (updating_) {
            frontPending_ = true;
            return;
        }
        // A window that has just shown is usually in front already.
        if (GetForegroundWindow() == hwnd_ && !GetWindow(hwnd_, GW_HWNDPREV)) return;
        SetWindowPos(hwnd_, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
        SetForegroundWindow(hwnd_);
    }

    void Repaint() override {
        if (!hwnd_) return;
        InvalidateRect(hwnd_, nullptr, TRUE);
        UpdateWindow(hwnd_);
    }

    void BeginUpdate() override { updating_ = true; }

    // What waited for the end of the update, in the order Show does it.
    void EndUpdate() override {
        updating_ = false;
        if (!hwnd_) return;
        bool shown = std::exchange(showPending_, false);
        if (shown) ShowOrHide();  // showing activates the window and raises it already
        if (std::exchange(frontPending_, false) && !shown) BringToFront();
        if (std::exchange(focusPending_, false)) FocusChanged();
    }

    void FocusChanged() override {
        if (!hwnd_ || !form_.Visible()) return;
        if (updating_) {
            focusPending_ = true;
            return;
        }
        Control* focused = form_.FocusedControl();
        const Native* native = focused ? Find(focused) : nullptr;
        SetFocus(native && native->child ? native->child : hwnd_);
    }

    void DefaultProcessing(Message& m) override {
        if (!hwnd_) return;
        if (!Handled(m)) m.result = DefWindowProcA(hwnd_, m.msg, m.wParam, m.lParam);
    }

    static LRESULT CALLBACK Dispatch(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
        if (msg == WM_NCCREATE) {
            auto* peer = static_cast<Win32Peer*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
            SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(peer));
        }
        auto* peer = reinterpret_cast<Win32Peer*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
        if (!peer || !peer->ready_) return DefWindowProcA(hwnd, msg, wParam, lParam);
        if (msg == WM_NCDESTROY) {
            // Someone else destroyed the window. The form may go at once, and the peer with it.
            LRESULT result = DefWindowProcA(hwnd, msg, wParam, lParam);
            Form& form = peer->form_;
            peer->NativeWindowGone();
            form.NativeWindowDestroyed();
            return result;
        }
        return peer->form_.Perform(msg, wParam, static_cast<std::intptr_t>(lParam));  // may destroy the peer
    }

    // Children pass key strokes to the window first, so shortcuts, access keys and Tab work wherever
    // the focus is.
    static LRESULT CALLBACK ChildProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
        auto original = reinterpret_cast<WNDPROC>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
        if (msg == WM_KEYDOWN || msg == WM_SYSKEYDOWN || msg == WM_SYSCHAR) {
            auto* peer = reinterpret_cast<Win32Peer*>(GetWindowLongPtrA(GetParent(hwnd), GWLP_USERDATA));
            if (peer && peer->ready_ && peer->HandledKey(msg, wParam)) return 0;
        }
        return CallWindowProcA(original, hwnd, msg, wParam, lParam);
    }

  private:
    // Each control of the window: its id, and its system window where it has one.
    struct Native {
        Control* control;
        int id;
        HWND child;
        bool staleText;    // set while the window was hidden: applied when it shows
        bool staleBounds;  // likewise
    };

    Native* Find(const Control* control) {
        for (Native& n : natives_)
            if (n.control == control) return &n;
        return nullptr;
    }
    const Native* Find(const Control* control) const { return const_cast<Win32Peer*>(this)->Find(control); }
    const Native* FindById(int id) const {
        for (const Native& n : natives_)
            if (n.id == id) return &n;
        return nullptr;
    }
    const Native* FindByHandle(HWND child) const {
        for (const Native& n : natives_)
            if (child && n.child == child) return &n;
        return nullptr;
    }

    void CreateChild(Control& control, int id) {
        DWORD style = WS_CHILD | WS_CLIPSIBLINGS;
        const char* cls = "STATIC";
        switch (control.Kind()) {
            case NativeKind::Static:
                style |= SS_LEFT | SS_NOPREFIX;
                break;
            case NativeKind::Edit: {
                auto& memo = static_cast<Memo&>(control);
                cls = "EDIT";
                style |= ES_MULTILINE | ES_AUTOVSCROLL | WS_BORDER;
                if (memo.ReadOnly()) style |= ES_READONLY;
                if (memo.VerticalScrollBar()) style |= WS_VSCROLL;
                break;
            }
            case NativeKind::CheckBox:
                cls = "BUTTON", style |= BS_CHECKBOX;
                break;
            case NativeKind::Graphic:
                return;
        }
        if (control.TabStop()) style |= WS_TABSTOP;
        if (control.Visible()) style |= WS_VISIBLE;
        if (!control.Enabled()) style |= WS_DISABLED;
        const Rect& r = control.Bounds();
        // A window that is not on screen yet gets its texts when it shows: the help boxes' built-in
        // lines, which the show handler replaces anyway, are never laid out.
        HWND child =
            CreateWindowExA(0, cls, "", style, r.left, r.top, r.width, r.height, hwnd_,
                            reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), ModuleInstance(), nullptr);
        if (!child) throw Error("Cannot create the control " + control.Name());
        SendMessageA(child, WM_SETFONT, reinterpret_cast<WPARAM>(FontOf(control)), FALSE);
        if (control.Kind() == NativeKind::CheckBox && static_cast<CheckBox&>(control).Checked())
            SendMessageA(child, BM_SETCHECK, BST_CHECKED, 0);
        // Later controls lie above earlier ones, as in the description.
        SetWindowPos(child, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        auto original = SetWindowLongPtrA(child, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&ChildProc));
        SetWindowLongPtrA(child, GWLP_USERDATA, original);
        natives_.back().child = child;
        natives_.back().staleText = true;
    }

    void PlaceWindow(UINT extraFlags) {
        SetWindowPos(hwnd_, nullptr, form_.Left(), form_.Top(), form_.Width(), form_.Height(),
                     SWP_NOZORDER | SWP_NOACTIVATE | extraFlags);
    }

    // A window about to show gets what changed while it was hidden first (places, texts), so that it
    // is laid out and drawn once.
    void ShowOrHide() {
        if (form_.Visible()) {
            if (std::exchange(captionStale_, false)) SetWindowTextA(hwnd_, form_.Caption().c_str());
            PlaceAll();
            SyncStaleTexts();
        }
        ShowWindow(hwnd_, form_.Visible() ? SW_SHOW : SW_HIDE);
        onScreen_ = form_.Visible();
    }

    // What changed while the window was hidden, placed once as it shows.
    void PlaceAll() {
        if (std::exchange(boundsStale_, false)) PlaceWindow(SWP_NOREDRAW);
        for (Native& n : natives_) {
            if (!n.child || !std::exchange(n.staleBounds, false)) continue;
            const Rect& r = n.control->Bounds();
            MoveWindow(n.child, r.left, r.top, r.width, r.height, FALSE);
        }
    }

    void SyncStaleTexts() {
        for (Native& n : natives_) {
            if (!std::exchange(n.staleText, false)) continue;
            SetWindowTextA(n.child, TextOf(*n.control).c_str());
        }
    }

    // Tab moves among the tab stops; Alt with an access key clicks its control, and the character
    // that follows it is swallowed, so the system does not look for a menu and beep.
    bool HandledKey(UINT msg, WPARAM key) {
        switch (msg) {
            case WM_KEYDOWN:
                if (key == VK_TAB) {
                    form_.FocusNextTabStop(GetKeyState(VK_SHIFT) < 0);
                    return true;
                }
                return form_.KeyDown(static_cast<int>(key));
            case WM_SYSKEYDOWN:
                accessKeyDown_ = form_.AccessKeyDown(static_cast<int>(key));
                return accessKeyDown_;
            case WM_SYSCHAR:
                return std::exchange(accessKeyDown_, false);
            default:
                return false;
        }
    }

    void AddTool(Control& control, int id) {
        if (!tooltip_ || !control.ShowHint()) return;
        TOOLINFOA ti = ToolInfo(control, id);
        SendMessageA(tooltip_, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&ti));
    }

    TOOLINFOA ToolInfo(Control& control, int id) {
        TOOLINFOA ti{};
        ti.cbSize = sizeof ti;
        ti.uFlags = TTF_SUBCLASS;
        ti.hwnd = hwnd_;
        ti.uId = static_cast<UINT_PTR>(id);
        const Rect& r = control.Bounds();
        ti.rect = {r.left, r.top, r.Right(), r.Bottom()};
        ti.lpszText = const_cast<char*>(control.Hint().c_str());
        return ti;
    }

    void GraphicChanged(const Native& native, ControlChange what) {
        Control& control = *native.control;
        int id = native.id;
        if (tooltip_ && control.ShowHint()) {
            TOOLINFOA ti = ToolInfo(control, id);
            if (what == ControlChange::Hint)
                SendMessageA(tooltip_, TTM_UPDATETIPTEXTA, 0, reinterpret_cast<LPARAM>(&ti));
            if (what == ControlChange::Bounds)
                SendMessageA(tooltip_, TTM_NEWTOOLRECTA, 0, reinterpret_cast<LPARAM>(&ti));
        }
        if (what == ControlChange::Bounds || what == ControlChange::Visible) {
            InvalidateRect(hwnd_, nullptr, TRUE);
        } else {
            const Rect& r = control.Bounds();
            RECT rc{r.left, r.top, r.Right(), r.Bottom()};
            InvalidateRect(hwnd_, &rc, FALSE);
        }
    }

    static std::string TextOf(Control& control) {
        if (control.Kind() == NativeKind::Edit) return static_cast<Memo&>(control).Text();
        return control.Caption();
    }

    static HFONT FontOf(const Control& control) { return gdiObjects.FontOf(control.GetFont()); }

    void PaintClient(HDC dc) {
        DcCanvas canvas(dc);
        Size client = form_.ClientSize();
        canvas.FillRect({0, 0, client.width, client.height}, form_.GetColor());
        form_.PaintGraphics(canvas);
    }

    bool Handled(Message& m) {
        switch (m.msg) {
            case WM_PAINT: {
                PAINTSTRUCT ps;
                PaintClient(BeginPaint(hwnd_, &ps));
                EndPaint(hwnd_, &ps);
                return true;
            }
            case WM_PRINTCLIENT:  // magnifiers and screen capture ask the window to draw itself
                PaintClient(reinterpret_cast<HDC>(m.wParam));
                return true;
            case WM_GETMINMAXINFO:
                // The host's geometry holds unchanged, down to a width or height of 0.
                reinterpret_cast<MINMAXINFO*>(m.lParam)->ptMinTrackSize = {0, 0};
                return true;
            case WM_ERASEBKGND:
                m.result = 1;
                return true;
            case WM_CTLCOLORSTATIC:
            case WM_CTLCOLOREDIT:
            case WM_CTLCOLORBTN: {
                const Native* native = FindByHandle(reinterpret_cast<HWND>(m.lParam));
                if (!native) return false;
                HDC dc = reinterpret_cast<HDC>(m.wParam);
                Control& control = *native->control;
                SetTextColor(dc, ToColorRef(control.GetFont().color));
                SetBkColor(dc, ToColorRef(control.GetColor()));
                m.result = reinterpret_cast<std::intptr_t>(DcCanvas::Brush(control.GetColor()));
                return true;
            }
            case WM_COMMAND: {
                const Native* native = FindById(LOWORD(m.wParam));
                if (HIWORD(m.wParam) != BN_CLICKED || !native ||
                    native->control->Kind() != NativeKind::CheckBox)
                    return false;
                form_.ClickControl(*native->control);
                return true;
            }
            case WM_MOUSEMOVE:
                if (!tracking_) {
                    TRACKMOUSEEVENT tme{sizeof tme, TME_LEAVE, hwnd_, 0};
                    tracking_ = TrackMouseEvent(&tme);
                }
                form_.MouseMove(GET_X_LPARAM(m.lParam), GET_Y_LPARAM(m.lParam));
                return true;
            case WM_MOUSELEAVE:
                tracking_ = false;
                form_.MouseLeave();
                return true;
            case WM_LBUTTONDOWN:
            case WM_LBUTTONDBLCLK:
                form_.MouseDown(GET_X_LPARAM(m.lParam), GET_Y_LPARAM(m.lParam));
                return true;
            case WM_LBUTTONUP:
                form_.MouseUp(GET_X_LPARAM(m.lParam), GET_Y_LPARAM(m.lParam));
                return true;
            case WM_SETCURSOR: {
                if (reinterpret_cast<HWND>(m.wParam) != hwnd_ || LOWORD(m.lParam) != HTCLIENT) return false;
                POINT p;
                GetCursorPos(&p);
                ScreenToClient(hwnd_, &p);
                bool hand = form_.CursorFor(p.x, p.y) == Cursor::HandPoint;
                SetCursor(LoadCursor(nullptr, hand ? IDC_HAND : IDC_ARROW));
                m.result = TRUE;
                return true;
            }
            case WM_KEYDOWN:
            case WM_SYSKEYDOWN:
            case WM_SYSCHAR:
                return HandledKey(m.msg, m.wParam);
            case WM_ACTIVATE:
                m.result = DefWindowProcA(hwnd_, m.msg, m.wParam, m.lParam);
                if (LOWORD(m.wParam) != WA_INACTIVE && !HIWORD(m.wParam)) form_.FocusFirstTabStop();
                return true;
            case WM_GETOBJECT:
                if (static_cast<LONG>(static_cast<DWORD>(m.lParam)) != OBJID_CLIENT) return false;
                m.result = accessible_.Answer(hwnd_, form_, m.wParam);
                return true;
            case WM_CONTEXTMENU:
                ShowPopupMenu(m.lParam);
                return true;
            case WM_CLOSE:
                form_.Close();
                return true;
            case WM_MOVE: {
                // The user may drag the window; the model follows the screen.
                RECT rc;
                GetWindowRect(hwnd_, &rc);
                form_.SetWindowBounds({rc.left, rc.top, form_.Width(), form_.Height()});
                return false;
            }
            default:
                return false;
        }
    }

    void ShowPopupMenu(LPARAM at) {
        PopupMenu* popup = form_.GetPopupMenu();
        if (!popup || popup->Items().empty()) return;
        HMENU menu = CreatePopupMenu();
        UINT id = 1;
        for (MenuItem* item : popup->Items()) {
            std::string text = item->Caption();
            if (item->ShortCut() == kKeyF12) text += "\tF12";
            AppendMenuA(menu, MF_STRING | (item->Enabled() ? 0 : MF_GRAYED), id++, text.c_str());
        }
        POINT p{GET_X_LPARAM(at), GET_Y_LPARAM(at)};
        if (p.x == -1 && p.y == -1) {
            p = {0, 0};
            ClientToScreen(hwnd_, &p);
        }
        UINT chosen = static_cast<UINT>(
            TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON, p.x, p.y, 0, hwnd_, nullptr));
        DestroyMenu(menu);
        if (chosen > 0 && chosen <= popup->Items().size()) {
            MenuItem* item = popup->Items()[chosen - 1];
            form_.HandleInput([item] { item->Click(); });
        }
    }

    void NativeWindowGone() {
        accessible_.Disconnect();
        hwnd_ = tooltip_ = nullptr;
        for (Native& n : natives_) n.child = nullptr;
    }

    Form& form_;
    HWND hwnd_ = nullptr;
    HWND tooltip_ = nullptr;
    bool ready_ = false, tracking_ = false, accessKeyDown_ = false;
    std::vector<Native> natives_;
    bool boundsStale_ = false;  // placed while hidden; applied when the window shows
    bool onScreen_ = false;     // the native window is shown
    bool captionStale_ = false;
    bool updating_ = false, showPending_ = false, frontPending_ = false, focusPending_ = false;
    AccessibleClient accessible_;
};

LRESULT CALLBACK WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    return Win32Peer::Dispatch(hwnd, msg, wParam, lParam);
}

class Win32Backend : public Backend {
  public:
    std::unique_ptr<FormPeer> CreateFormPeer(Form& form) override {
        return std::make_unique<Win32Peer>(form);
    }
    Size NonClientSize() override {
        RECT rc{0, 0, 0, 0};
        AdjustWindowRectEx(&rc, kWindowStyle, FALSE, kWindowExStyle);
        return {rc.right - rc.left, rc.bottom - rc.top};
    }
    int ScreenPixelsPerInch() override {
        HDC dc = GetDC(nullptr);
        int ppi = GetDeviceCaps(dc, LOGPIXELSX);
        ReleaseDC(nullptr, dc);
        return ppi;
    }
    bool ShowMessageBox(MessageBoxKind kind, const std::string& text) override {
        UINT flags = MB_OK;
        if (kind == MessageBoxKind::Confirm) flags = MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON1;
        if (kind == MessageBoxKind::Error) flags = MB_OK | MB_ICONERROR;
        int answer = MessageBoxA(GetActiveWindow(), text.c_str(), kBoxCaption, flags);
        return kind == MessageBoxKind::Confirm ? answer == IDYES : answer == IDOK;
    }
    std::uint32_t RegisterMessage(const std::string& name) override {
        return RegisterWindowMessageA(name.c_str());
    }
    void Broadcast(std::uint32_t msg, std::uintptr_t wParam, std::intptr_t lParam) override {
        DWORD_PTR ignored = 0;
        SendMessageTimeoutA(HWND_BROADCAST, msg, wParam, lParam, SMTO_ABORTIFHUNG | SMTO_NORMAL,
                            kBroadcastTimeoutMs, &ignored);
    }
};

}  // namespace

Backend& ActiveBackend() {
    static Win32Backend backend;
    return backend;
}

}  // namespace platform
