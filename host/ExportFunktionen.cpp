// The generic entry points: they read only the module-wide state, through the module's door like
// every other way in.
#include "Namtail.h"
#include "platform/form/EntryScope.h"
#include "template/MainTippU.h"

extern "C" int32_t NAMTAIL_CALL ModulChanged(void) {
    return platform::ThroughExportDoor([] {
        if (!TipState.Modified) return 0;
        return TipState.Saved ? 2 : 1;
    });
}

extern "C" int32_t NAMTAIL_CALL ModulNr(void) {
    return platform::ThroughExportDoor([] { return TipState.RestoreDefaults ? 1 : 2; });
}
