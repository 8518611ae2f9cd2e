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

struct Point {
    float x, y;
};

// The arcs as 12 straight segments each, their points worked out once (hexadecimal floats, exact):
// the undo arrow's from 160 to -60 degrees around (16, 15), radius 7, and the question mark's from
// 170 to -60 degrees around (16, 11), radius 5.
constexpr Point kUndoArc[] = {
    {0x1.2d8244p+3f, 0x1.936334p+3f}, {0x1.504a76p+3f, 0x1.551138p+3f}, {0x1.84e8f6p+3f, 0x1.24d9c8p+3f},
    {0x1.c60646p+3f, 0x1.07a1f4p+3f}, {0x1.068322p+4f, 0x1.006104p+3f}, {0x1.2959ep+4f, 0x1.0fd37ep+3f},
    {0x1.47fe02p+4f, 0x1.3467f4p+3f}, {0x1.5f5338p+4f, 0x1.6a67bcp+3f}, {0x1.6cfb24p+4f, 0x1.ac5792p+3f},
    {0x1.6f92e4p+4f, 0x1.f385dcp+3f}, {0x1.66d718p+4f, 0x1.1c5c66p+4f}, {0x1.53aab4p+4f, 0x1.3a7508p+4f},
    {0x1.38p+4f, 0x1.50feaep+4f}};
constexpr Point kQuestionArc[] = {
    {0x1.626e46p+3f, 0x1.44375ep+3f}, {0x1.74497ep+3f, 0x1.120614p+3f}, {0x1.95a1f4p+3f, 0x1.d0f3b8p+2f},
    {0x1.c2c54ap+3f, 0x1.985bcap+2f}, {0x1.f6b262p+3f, 0x1.808a9ap+2f}, {0x1.15d3c4p+4f, 0x1.8c2418p+2f},
    {0x1.2de2d8p+4f, 0x1.b9df1p+2f},  {0x1.40db9ep+4f, 0x1.0254dp+3f},  {0x1.4ca3ap+4f, 0x1.321c88p+3f},
    {0x1.4fec82p+4f, 0x1.66faa6p+3f}, {0x1.4a590ap+4f, 0x1.9b12bp+3f},  {0x1.3c8778p+4f, 0x1.c89e24p+3f},
    {0x1.28p+4f, 0x1.ea9068p+3f}};

template <std::size_t N>
std::vector<Segment> Polyline(const Point (&points)[N]) {
    std::vector<Segment> segments;
    for (std::size_t i = 0; i + 1 < N; ++i)
        segments.push_back({points[i].x, points[i].y, points[i + 1].x, points[i + 1].y});
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
    Symbol s{Polyline(kUndoArc), 3.0f, nullptr};
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
    Symbol s{Polyline(kQuestionArc), 3.0f,
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
