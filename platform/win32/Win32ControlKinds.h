#pragma once
// What each kind of control with a system window of its own is on Win32, in one place per kind: its
// window class and styles, its text, the state it is made with, the notification that is the user's
// click, and what it needs before it goes.
#include <windows.h>

#include <string>

#include "platform/Control.h"

namespace platform {

struct NativeControlKind {
    const wchar_t* windowClass;
    // The kind's own styles, beside those every child gets from the model (tab stop, visible, enabled).
    DWORD (*style)(const Control& control);
    // The text the window shows, converted from the code page it is written in.
    std::wstring (*text)(const Control& control);
    // An edit box lays its lines out anew for each font and each text: it gets its text after its font.
    bool textAfterFont;
    // The state beyond text and font, when made and when it changes (a checkbox's check).
    void (*showState)(HWND child, const Control& control);
    // Whether a WM_COMMAND notification code is the user's click on it.
    bool (*clicked)(WORD notification);
    // Whether key strokes must reach the page first (it can hold the focus): shortcuts, access keys
    // and Tab then work from it. A static text never holds the focus and keeps the system's procedure.
    bool takesFocus;
    // Emptied before destruction under Wine, whose edit box destroyed with its text in it leaves a
    // couple of hundred bytes of the heap behind (a bare EDIT shows it; thousands of pages add up).
    // Windows frees the text with the box, and pays nothing for it.
    bool emptiedBeforeDestruction;
};

// The kind of a control with a window of its own; null for those the page draws itself.
const NativeControlKind* NativeKindOf(const Control& control);

}  // namespace platform
