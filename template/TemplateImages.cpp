#include "template/TemplateImages.h"

#include <algorithm>
#include <cmath>

using platform::Bitmap;

namespace {

constexpr int kSize = 32;
constexpr std::uint32_t kWhite = 0xFFFFFFFFu;

struct Segment {
    float x1, y1, x2, y2;
};

// The squared distance from a pixel centre to a stroke's axis. Compared with the squared half
// thickness it takes the same pixels as the distance compared with the half thickness, without a
// square root for each pixel and stroke.
float SquaredDistanceToSegment(float px, float py, const Segment& s) {
    float dx = s.x2 - s.x1, dy = s.y2 - s.y1;
    float len = dx * dx + dy * dy;
    float t = len > 0 ? ((px - s.x1) * dx + (py - s.y1) * dy) / len : 0;
    t = t < 0 ? 0 : (t > 1 ? 1 : t);
    float ex = s.x1 + t * dx - px, ey = s.y1 + t * dy - py;
    return ex * ex + ey * ey;
}

// A symbol is a set of thick strokes plus optional filled shapes, tested per pixel centre.
struct Symbol {
    std::vector<Segment> strokes;
    float thickness = 3.0f;
    bool (*fill)(float, float) = nullptr;
};

std::vector<Segment> Arc(float cx, float cy, float r, float fromDeg, float toDeg) {
    std::vector<Segment> segments;
    const int steps = 12;
    for (int i = 0; i < steps; ++i) {
        float a = (fromDeg + (toDeg - fromDeg) * i / steps) * 3.14159265f / 180;
        float b = (fromDeg + (toDeg - fromDeg) * (i + 1) / steps) * 3.14159265f / 180;
        segments.push_back(
            {cx + r * std::cos(a), cy - r * std::sin(a), cx + r * std::cos(b), cy - r * std::sin(b)});
    }
    return segments;
}

Bitmap Render(const Symbol& symbol, bool hot) {
    Bitmap b{kSize, kSize, std::vector<std::uint32_t>(kSize * kSize, 0)};
    const std::uint32_t blue = hot ? 0xFF5A8CF0u : 0xFF2A5AC8u;
    const float halfThickness = symbol.thickness / 2, reach = halfThickness + 1;
    for (int y = 0; y < kSize; ++y) {
        for (int x = 0; x < kSize; ++x) {
            float px = x + 0.5f, py = y + 0.5f;
            // A square with slightly rounded corners; the corners stay transparent.
            float cx = std::fabs(px - 16) - 12.5f, cy = std::fabs(py - 16) - 12.5f;
            if (cx > 0 && cy > 0 && cx * cx + cy * cy > 9.0f) continue;
            if (std::fabs(px - 16) > 15.5f || std::fabs(py - 16) > 15.5f) continue;
            bool white = symbol.fill && symbol.fill(px, py);
            for (const auto& s : symbol.strokes) {
                if (white) break;
                // A pixel well outside a stroke's box is not on it.
                if (px < std::min(s.x1, s.x2) - reach || px > std::max(s.x1, s.x2) + reach ||
                    py < std::min(s.y1, s.y2) - reach || py > std::max(s.y1, s.y2) + reach)
                    continue;
                white = SquaredDistanceToSegment(px, py, s) <= halfThickness * halfThickness;
            }
            b.pixels[static_cast<std::size_t>(y * kSize + x)] = white ? kWhite : blue;
        }
    }
    return b;
}

Symbol CheckMark() {
    return {{{8, 17, 13, 23}, {13, 23, 24, 9}}, 3.5f, nullptr};
}

Symbol UndoArrow() {
    Symbol s{Arc(16, 15, 7, 160, -60), 3.0f, nullptr};
    s.strokes.push_back({9, 13, 6, 9});  // arrow head
    s.strokes.push_back({9, 13, 13, 10});
    s.strokes.push_back({8, 26, 24, 26});  // bar
    return s;
}

Symbol LetterI() {
    return {{{16, 14, 16, 25}, {13, 25, 19, 25}, {13, 14, 16, 14}}, 3.0f, [](float x, float y) {
                return (x - 16) * (x - 16) + (y - 8.5f) * (y - 8.5f) <= 4.5f;
            }};
}

Symbol QuestionMark() {
    Symbol s{Arc(16, 11, 5, 170, -60), 3.0f,
             [](float x, float y) { return (x - 16) * (x - 16) + (y - 25) * (y - 25) <= 4.0f; }};
    s.strokes.push_back({18.5f, 15.3f, 16, 18});
    s.strokes.push_back({16, 18, 16, 20});
    return s;
}

Symbol Cross() {
    return {{{9, 9, 23, 23}, {23, 9, 9, 23}}, 3.5f, nullptr};
}

Symbol Floppy() {
    return {{{8, 7, 24, 7}, {24, 7, 24, 25}, {24, 25, 8, 25}, {8, 25, 8, 7}}, 2.0f, [](float x, float y) {
                bool shutter =
                    x >= 12 && x <= 20 && y >= 7 && y <= 13 && !(x >= 17 && x <= 19 && y >= 8 && y <= 12);
                bool label = x >= 11 && x <= 21 && y >= 17 && y <= 25;
                return shutter || label;
            }};
}

std::vector<Bitmap> DrawImages() {
    std::vector<Bitmap> images;
    for (const Symbol& symbol : {CheckMark(), UndoArrow(), LetterI(), QuestionMark(), Cross(), Floppy()}) {
        images.push_back(Render(symbol, false));
        images.push_back(Render(symbol, true));
    }
    return images;
}

}  // namespace

// Drawn once per load of the library, at the first page, and kept until unload.
std::vector<Bitmap> TemplateImages() {
    static const std::vector<Bitmap> images = DrawImages();
    return images;
}
