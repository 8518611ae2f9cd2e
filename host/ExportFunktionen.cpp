// The generic entry points: they read only the module-wide state.
#include "Namtail.h"
#include "template/MainTippU.h"

extern "C" int32_t NAMTAIL_CALL ModulChanged(void) {
    if (!TipState.Modified) return 0;
    return TipState.Saved ? 2 : 1;
}

extern "C" int32_t NAMTAIL_CALL ModulNr(void) {
    return TipState.RestoreDefaults ? 1 : 2;
}
