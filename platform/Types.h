#pragma once
// Plain value types of the window toolkit: geometry, colours, fonts, bitmaps.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

struct Rect {
    int left = 0, top = 0, width = 0, height = 0;
    int Right() const { return left + width; }
    int Bottom() const { return top + height; }
    bool Contains(int x, int y) const { return x >= left && x < Right() && y >= top && y < Bottom(); }
    bool operator==(const Rect&) const = default;
};

struct Size {
    int width = 0, height = 0;
};

// 0x00BBGGRR like the system's colour values.
using Color = std::uint32_t;
constexpr Color Rgb(int r, int g, int b) {
    return static_cast<Color>(r & 0xFF) | static_cast<Color>((g & 0xFF) << 8) |
           static_cast<Color>((b & 0xFF) << 16);
}
constexpr Color kWhite = Rgb(255, 255, 255);
constexpr Color kBlack = Rgb(0, 0, 0);
constexpr Color kButtonFace = Rgb(212, 208, 200);
// A colour of the system's scheme rather than a fixed one (high contrast changes it); the low byte is
// the system's colour index, as GetSysColor numbers them.
constexpr Color kSystemColor = 0xFF000000u;
constexpr Color kWindowText = kSystemColor | 8;
constexpr Color kWindowBackground = kSystemColor | 5;
constexpr Color kHighlight = kSystemColor | 13;
constexpr bool IsSystemColor(Color c) {
    return (c & kSystemColor) == kSystemColor;
}

// Where a window takes its colours from. `Specified`: its own. `System`: every background and text
// from the system's scheme (high contrast, or a scheme whose text colour does not read on the
// window's own backgrounds). `ReadableText`: its own backgrounds, and black or white instead of a
// system text colour that reads neither on them nor on the scheme's own window colour.
enum class ColorScheme { Specified, System, ReadableText };

struct Font {
    std::string_view name = "Tahoma";  // a face name the program spells
    int height = -11;                  // negative: character height in pixels; positive: cell height
    bool bold = false;
    Color color = kBlack;
    bool operator==(const Font&) const = default;
};

enum Anchor : unsigned { kAnchorLeft = 1, kAnchorTop = 2, kAnchorRight = 4, kAnchorBottom = 8 };
using Anchors = unsigned;
constexpr Anchors kDefaultAnchors = kAnchorLeft | kAnchorTop;

enum class Align { None, Top, Bottom, Left, Right };

enum class Cursor { Default, HandPoint };

// Virtual-key codes, as the system numbers them.
constexpr int kKeyTab = 0x09;
constexpr int kKeyF12 = 0x7B;

// 32-bit pixels 0xAARRGGBB; alpha 0 marks the transparent (masked) parts.
struct Bitmap {
    int width = 0, height = 0;
    std::vector<std::uint32_t> pixels;
    bool Empty() const { return pixels.empty(); }
    bool operator==(const Bitmap&) const = default;
};

// a*b/c rounded half away from zero, as the system's MulDiv computes it: -1 when c is 0 or the result
// does not fit in 32 bits.
inline int MulDiv(int a, int b, int c) {
    if (c == 0) return -1;
    long long p = static_cast<long long>(a) * b, d = c;
    if (d < 0) p = -p, d = -d;
    long long r = (p >= 0 ? p + d / 2 : p - d / 2) / d;
    return r > 2147483647LL || r < -2147483647LL ? -1 : static_cast<int>(r);
}

}  // namespace platform
