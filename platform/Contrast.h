#pragma once
// How well a text colour reads on a background: the contrast ratio of the two relative luminances
// (sRGB), from 1:1 to 21:1. 4.5:1 is the least that normal-sized text needs to be read easily.
#include "platform/Types.h"

namespace platform {

inline constexpr double kReadableContrast = 4.5;

// Both colours fixed (not system colours).
double ContrastRatio(Color a, Color b);
// Black or white, whichever reads better on `background`; one of them always reaches 4.5:1.
Color ReadableTextOn(Color background);

}  // namespace platform
