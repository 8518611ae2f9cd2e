#pragma once
// Layout and density arithmetic of a window's controls: docking, anchors, scaling and fitting.
// Geometry comes from hosts and the system unchecked, so everything here is computed without overflow.
#include <optional>

#include "platform/Control.h"

namespace platform::layout {

// The largest client extent the layout works with: far beyond any screen, and small enough that
// control arithmetic on it cannot overflow.
constexpr int kMaxClientExtent = 1 << 24;

// What the frame leaves of the outer size, between 0 and kMaxClientExtent whatever the outer size.
Size ClientOf(int outerWidth, int outerHeight, Size frame);

// Docked controls take their side of the free client area in creation order; anchored controls then
// keep their distances to the edges they are anchored to.
void Realign(const ComponentList& components, Size client);
void KeepAnchorDistances(const ComponentList& components, Size client);
// Positions and sizes of every control by m/d; anchor distances taken anew in the scaled client.
void ScaleControls(const ComponentList& components, int m, int d, Size scaledClient);
void ScaleFonts(const ComponentList& components, int m, int d);

// The system's sizes as a window's controls are fitted to them: the check square is asked once, as
// under Wine it costs tens of microseconds a time, until Forget (the user changed the settings).
class SystemMetrics final : public ContentMetrics {
  public:
    Size CheckSquare() override;
    int TextWidth(const Font& font, const std::string& caption) override;
    void Forget() { checkSquare_.reset(); }

  private:
    std::optional<Size> checkSquare_;
};

// Controls grow to hold their content at the system's sizes (a checkbox its square and caption).
void FitContent(const ComponentList& components, ContentMetrics& metrics);

struct Factor {
    int m, d;
};
// A description laid out at `designPpi`, whose font is `designTextHeight` pixels there, follows a
// screen of `ppi`: sizes by the text height, before whole-pixel rounding, where it grows exactly as
// the density does. None when the densities agree or a figure is unusable.
std::optional<Factor> DensityFactor(int designPpi, int designTextHeight, int ppi);

}  // namespace platform::layout
