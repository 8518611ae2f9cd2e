#pragma once
// Texts on their way to the screen: the model's 8-bit texts as UTF-16, for the Unicode functions, so
// that they read right on any system code page.
#include <windows.h>

#include <string>
#include <string_view>

#include "platform/Control.h"

namespace platform {

// The page's own texts, as the page writes them.
constexpr UINT kPageCodePage = 1252;

inline std::wstring Wide(std::string_view text, UINT codePage) {
    if (text.empty()) return {};
    int length = MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(length > 0 ? length : 0), L'\0');
    if (length > 0)
        MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), wide.data(), length);
    return wide;
}

inline UINT CodePageOf(TextOrigin origin) {
    return origin == TextOrigin::Host ? CP_ACP : kPageCodePage;
}

}  // namespace platform
