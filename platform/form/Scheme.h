#pragma once
// Which colours a window is drawn in: its own, the system's scheme, or its own with system text
// colours that would not read replaced by black or white.
#include "platform/Control.h"

namespace platform {

// The scheme for a window of `components` under the system's settings now.
ColorScheme ReadScheme(const ComponentList& components);

}  // namespace platform
