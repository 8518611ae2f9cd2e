// The page window's messages, translated into the portable model: painting, colours, pointer, keys,
// focus, the accessible object, the context menu and the window's place as others change it.
#include <windowsx.h>

#include <utility>

#include "platform/form/HostMessage.h"
#include "platform/win32/Win32Gdi.h"
#include "platform/win32/Win32Text.h"
#include "platform/win32/Win32Window.h"

namespace platform {

void Win32Peer::PaintClient(HDC dc) {
    DcCanvas canvas(dc);
    Size client = form_.ClientSize();
    canvas.FillRect({0, 0, client.width, client.height}, form_.ShownColor());
    form_.PaintGraphics(canvas);
}

// Tab moves among the tab stops; Alt with an access key clicks its control, and the character
// that follows it is swallowed, so the system does not look for a menu and beep.
bool Win32Peer::HandledKey(UINT msg, WPARAM key) {
    switch (msg) {
        case WM_KEYDOWN:
            if (key == VK_TAB) {
                form_.Input().FocusNextTabStop(GetKeyState(VK_SHIFT) < 0);
                return true;
            }
            return form_.Input().KeyDown(static_cast<int>(key));
        case WM_SYSKEYDOWN:
            accessKeyDown_ = form_.Input().AccessKeyDown(static_cast<int>(key));
            return accessKeyDown_;
        case WM_SYSCHAR:
            return std::exchange(accessKeyDown_, false);
        default:
            return false;
    }
}

bool Win32Peer::TookKey(UINT msg, WPARAM key) {
    if (msg != WM_KEYDOWN && msg != WM_SYSKEYDOWN && msg != WM_SYSCHAR) return false;
    bool taken = false;
    form_.HandleInput([&] { taken = HandledKey(msg, key); });
    return taken;
}

bool Win32Peer::Translate(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    HWND hwnd = Window();
    InputRouter& input = form_.Input();
    if (DeliverHostMessage(form_, msg, wParam, lParam)) return true;
    switch (msg) {
        case WM_PAINT: {
            PAINTSTRUCT ps;
            PaintClient(BeginPaint(hwnd, &ps));
            EndPaint(hwnd, &ps);
            return true;
        }
        case WM_PRINTCLIENT:  // magnifiers and screen capture ask the window to draw itself
            PaintClient(reinterpret_cast<HDC>(wParam));
            return true;
        case WM_ERASEBKGND:
            result = 1;
            return true;
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORBTN: {
            Control* control = children_.ControlOfHandle(reinterpret_cast<HWND>(lParam));
            if (!control) return false;
            HDC dc = reinterpret_cast<HDC>(wParam);
            SetTextColor(dc, ToColorRef(control->ShownText()));
            SetBkColor(dc, ToColorRef(control->ShownBackground()));
            result = reinterpret_cast<std::intptr_t>(BrushOf(control->ShownBackground()));
            return true;
        }
        case WM_COMMAND: {
            Control* control = children_.ControlOfId(LOWORD(wParam));
            const NativeControlKind* kind = control ? NativeKindOf(*control) : nullptr;
            if (!kind || !kind->clicked(HIWORD(wParam))) return false;
            input.ClickControl(*control);
            return true;
        }
        case WM_MOUSEMOVE:
            if (!tracking_) {
                TRACKMOUSEEVENT tme{sizeof tme, TME_LEAVE, hwnd, 0};
                tracking_ = TrackMouseEvent(&tme);
            }
            input.MouseMove(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
            return true;
        case WM_MOUSELEAVE:
            tracking_ = false;
            input.MouseLeave();
            return true;
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
            input.MouseDown(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
            return true;
        case WM_LBUTTONUP:
            input.MouseUp(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
            return true;
        case WM_SETCURSOR: {
            if (reinterpret_cast<HWND>(wParam) != hwnd || LOWORD(lParam) != HTCLIENT) return false;
            POINT p;
            GetCursorPos(&p);
            ScreenToClient(hwnd, &p);
            SetCursor(SystemCursor(input.CursorFor(p.x, p.y)));
            result = TRUE;
            return true;
        }
        case WM_KEYDOWN:
        case WM_SYSKEYDOWN:
        case WM_SYSCHAR:
            return HandledKey(msg, wParam);
        case WM_SETFOCUS:
            // However the page window got it (activated, restored, shown, the host's SetFocus), the
            // first tab stop takes it; with none usable the window keeps it.
            if (input.FirstTabStop()) input.FocusFirstTabStop();
            return false;
        case WM_GETOBJECT:
            if (static_cast<LONG>(static_cast<DWORD>(lParam)) != OBJID_CLIENT) return false;
            result = accessible_.Answer(hwnd, form_, wParam);
            return true;
        case WM_CONTEXTMENU:
            ShowPopupMenu(lParam);
            return true;
        case WM_SETTINGCHANGE:
        case WM_SYSCOLORCHANGE:
            form_.SchemeChanged();
            return false;
        case WM_CLOSE:
            form_.Close();
            return true;
        case WM_WINDOWPOSCHANGED:
            // The system goes on to send WM_MOVE and WM_SIZE.
            WindowPlaced(reinterpret_cast<const WINDOWPOS*>(lParam)->flags);
            return false;
        default:
            return false;
    }
}

void Win32Peer::ShowPopupMenu(LPARAM at) {
    PopupMenu* popup = form_.GetPopupMenu();
    if (!popup || popup->Items().empty()) return;
    HMENU menu = CreatePopupMenu();
    UINT id = 1;
    for (MenuItem* item : popup->Items()) {
        std::wstring text = Wide(item->Caption(), kPageCodePage);
        if (item->ShortCut() == kKeyF12) text += L"\tF12";
        AppendMenuW(menu, MF_STRING | (item->Enabled() ? 0 : MF_GRAYED), id++, text.c_str());
    }
    POINT p{GET_X_LPARAM(at), GET_Y_LPARAM(at)};
    if (p.x == -1 && p.y == -1) {
        p = {0, 0};
        ClientToScreen(Window(), &p);
    }
    UINT chosen = static_cast<UINT>(
        TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON, p.x, p.y, 0, Window(), nullptr));
    DestroyMenu(menu);
    // The menu ran a message loop of its own: a page the host let go meanwhile does nothing more.
    if (!form_.Visible()) return;
    if (chosen > 0 && chosen <= popup->Items().size()) {
        MenuItem* item = popup->Items()[chosen - 1];
        form_.HandleInput([item] { item->Click(); });
    }
}

}  // namespace platform
