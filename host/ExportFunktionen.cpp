// The generic entry points: they read only the module-wide state, through the module's door like
// every other way in. A call the door refuses (another thread is making the first page window) reads
// it where it is: nothing can change these flags before that window exists.
#include "Namtail.h"
#include "platform/form/EntryScope.h"
#include "template/MainTippU.h"

extern "C" int32_t NAMTAIL_CALL ModulChanged(void) {
    auto changed = [](platform::Way) {
        if (!TipState.Modified) return 0;
        return TipState.Saved ? 2 : 1;
    };
    return platform::ThroughExportDoor(changed, changed);
}

extern "C" int32_t NAMTAIL_CALL ModulNr(void) {
    auto number = [](platform::Way) { return TipState.RestoreDefaults ? 1 : 2; };
    return platform::ThroughExportDoor(number, number);
}
