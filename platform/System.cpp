#include "platform/System.h"

#include <utility>

namespace platform {
namespace {
SystemServices* installed = nullptr;
}

SystemServices& ActiveSystem() {
    return installed ? *installed : NativeSystem();
}

SystemServices* InstallSystemServices(SystemServices* services) {
    return std::exchange(installed, services);
}

Color ResolveColor(Color color) {
    return IsSystemColor(color) ? ActiveSystem().SystemColor(static_cast<int>(color & 0xFF)) : color;
}

}  // namespace platform
