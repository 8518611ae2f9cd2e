#include "platform/form/Layout.h"

#include <algorithm>
#include <cstdint>

#include "platform/Backend.h"

namespace platform::layout {
namespace {

int ClampExtent(std::int64_t extent) {
    return static_cast<int>(std::clamp<std::int64_t>(extent, 0, kMaxClientExtent));
}

}  // namespace

Size SystemMetrics::CheckSquare() {
    if (!checkSquare_) checkSquare_ = ActiveBackend().CheckSquare();
    return *checkSquare_;
}

int SystemMetrics::TextWidth(const Font& font, const std::string& caption) {
    return ActiveBackend().TextWidth(font, caption);
}

Size ClientOf(int outerWidth, int outerHeight, Size frame) {
    return {ClampExtent(std::int64_t{outerWidth} - frame.width),
            ClampExtent(std::int64_t{outerHeight} - frame.height)};
}

void Realign(const ComponentList& components, Size client) {
    Rect free{0, 0, client.width, client.height};
    for (Align pass : {Align::Top, Align::Bottom, Align::Left, Align::Right})
        ForEachControl(components, [&](Control& c) {
            if (c.GetAlign() == pass) c.AlignTo(free);
        });
    ForEachControl(components, [&](Control& c) { c.FollowAnchors(client); });
}

void KeepAnchorDistances(const ComponentList& components, Size client) {
    ForEachControl(components, [&](Control& c) { c.KeepAnchorDistances(client); });
}

void ScaleControls(const ComponentList& components, int m, int d, Size scaledClient) {
    ForEachControl(components, [&](Control& c) {
        c.ScaleBounds(m, d);
        c.KeepAnchorDistances(scaledClient);
    });
}

void ScaleFonts(const ComponentList& components, int m, int d) {
    ForEachControl(components, [&](Control& c) { c.ScaleFont(m, d); });
}

void FitContent(const ComponentList& components, ContentMetrics& metrics) {
    ForEachControl(components, [&](Control& c) { c.FitTo(metrics); });
}

std::optional<Factor> DensityFactor(int designPpi, int designTextHeight, int ppi) {
    if (ppi == designPpi || ppi <= 0 || designPpi <= 0 || designTextHeight <= 0) return std::nullopt;
    return Factor{designTextHeight * ppi, designTextHeight * designPpi};
}

}  // namespace platform::layout
