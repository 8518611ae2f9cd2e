#include "platform/win32/Win32ControlKinds.h"

#include "platform/StdControls.h"
#include "platform/win32/Win32Text.h"

namespace platform {
namespace {

// A caption may be the host's (the title) or the page's own.
std::wstring CaptionText(const Control& control) {
    return Wide(control.Caption(), CodePageOf(control.CaptionOrigin()));
}

void NoState(HWND, const Control&) {}

bool NeverClicked(WORD) {
    return false;
}

constexpr NativeControlKind kStatic = {
    .windowClass = L"STATIC",
    .style = [](const Control&) -> DWORD { return SS_LEFT | SS_NOPREFIX; },
    .text = CaptionText,
    .textAfterFont = false,
    .showState = NoState,
    .clicked = NeverClicked,
    .takesFocus = false,
    .emptiedBeforeDestruction = false,
};

// The help boxes hold the page's texts; a click puts the focus into them.
constexpr NativeControlKind kEdit = {
    .windowClass = L"EDIT",
    .style = [](const Control& control) -> DWORD {
        const auto& memo = static_cast<const Memo&>(control);
        DWORD style = ES_MULTILINE | ES_AUTOVSCROLL | WS_BORDER;
        if (memo.ReadOnly()) style |= ES_READONLY;
        if (memo.VerticalScrollBar()) style |= WS_VSCROLL;
        return style;
    },
    .text =
        [](const Control& control) { return Wide(static_cast<const Memo&>(control).Text(), kPageCodePage); },
    .textAfterFont = true,
    .showState = NoState,
    .clicked = NeverClicked,
    .takesFocus = true,
    .emptiedBeforeDestruction = true,
};

constexpr NativeControlKind kCheckBox = {
    .windowClass = L"BUTTON",
    .style = [](const Control&) -> DWORD { return BS_CHECKBOX; },
    .text = CaptionText,
    .textAfterFont = false,
    .showState =
        [](HWND child, const Control& control) {
            const bool checked = static_cast<const CheckBox&>(control).Checked();
            SendMessageW(child, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
        },
    .clicked = [](WORD notification) { return notification == BN_CLICKED; },
    .takesFocus = true,
    .emptiedBeforeDestruction = false,
};

}  // namespace

const NativeControlKind* NativeKindOf(const Control& control) {
    switch (control.Kind()) {
        case NativeKind::Static:
            return &kStatic;
        case NativeKind::Edit:
            return &kEdit;
        case NativeKind::CheckBox:
            return &kCheckBox;
        case NativeKind::Graphic:
            break;
    }
    return nullptr;
}

}  // namespace platform
