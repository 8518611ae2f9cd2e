#pragma once
// The page's controls on screen: native STATIC, EDIT and BUTTON children for the controls that have
// a system window, tooltip tools for the windowless ones that show a hint.
#include <windows.h>

#include <commctrl.h>

#include <string>
#include <vector>

#include "platform/form/Form.h"
#include "platform/win32/Win32ControlKinds.h"

namespace platform {

class ChildMirror {
  public:
    explicit ChildMirror(Form& form) : form_(form) {}

    // Makes a child or a tool for each control, in creation order; an error when the system refuses
    // a child. Children go with their parent, so a refusal leaves nothing behind once it is destroyed.
    void Create(HWND parent, HWND tooltip, WNDPROC childProc);
    // The system windows are gone: nothing of them may be touched again.
    void Forget();
    // The tooltip goes with the page window only while the page is top-level and owns it; a page
    // docked in a host's window is a child, which owns nothing, so the tooltip goes on its own.
    void DestroyTooltip();

    HWND HandleOf(const Control& control) const;
    Control* ControlOfId(int id) const;
    Control* ControlOfHandle(HWND child) const;

    // Mirrors one change. Places and texts of a window that is not on screen wait for Reveal.
    void Changed(Control& control, ControlChange what, bool onScreen);
    // What changed while the window was hidden, applied right before it shows, so that it is laid out
    // and drawn once.
    void Reveal();
    void FontsChanged();
    // Before destruction: empties the children whose kind asks for it, where the system needs it;
    // with `empty` false, after a refused destruction, gives them their texts back.
    void EmptyEditTexts(bool empty = true);

  private:
    struct Native {
        Control* control;
        const NativeControlKind* kind;  // null: drawn by the page, no window of its own
        int id;
        HWND child;
        bool staleText;    // set while the window was hidden: applied when it shows
        bool staleBounds;  // likewise
        bool hasTool;      // the tooltip took its hint
    };

    Native* Find(const Control& control);
    void CreateChild(Native& native, WNDPROC childProc);
    void AddTool(Native& native);
    // The tool of a windowless control; its text lives in `text`.
    TOOLINFOW ToolInfo(const Native& native, std::wstring& text) const;
    void NativeChanged(Native& native, ControlChange what, bool onScreen);
    void GraphicChanged(const Native& native, ControlChange what);
    // Tells assistive technology of a change of a windowless control.
    void Announce(DWORD event, const Control& control);

    Form& form_;
    HWND parent_ = nullptr;
    HWND tooltip_ = nullptr;
    std::vector<Native> natives_;
};

}  // namespace platform
