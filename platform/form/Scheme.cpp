#include "platform/form/Scheme.h"

#include "platform/Contrast.h"
#include "platform/System.h"

namespace platform {

// The window keeps its own colours while every text reads on its background. A system text colour
// that does not (a dark scheme without the high-contrast flag) makes it follow the scheme as in high
// contrast; a scheme that does not read even on its own window colour cannot be followed, so the
// window keeps its backgrounds and draws such texts in black or white.
ColorScheme ReadScheme(const ComponentList& components) {
    if (ActiveSystem().HighContrast()) return ColorScheme::System;
    bool readable = true;
    ForEachControl(components, [&](Control& c) {
        if (!c.DrawsText()) return;
        double contrast = ContrastRatio(ResolveColor(c.GetFont().color), ResolveColor(c.GetColor()));
        readable = readable && contrast >= kReadableContrast;
    });
    if (readable) return ColorScheme::Specified;
    double schemeContrast = ContrastRatio(ResolveColor(kWindowText), ResolveColor(kWindowBackground));
    return schemeContrast >= kReadableContrast ? ColorScheme::System : ColorScheme::ReadableText;
}

}  // namespace platform
