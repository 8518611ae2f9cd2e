#include "template/HostChannel.h"

#include "platform/Backend.h"
#include "template/TipState.h"

using namespace platform;

TTipState TipState;

// Registered at first use, not as the library loads, where the system forbids window calls.
std::uint16_t HostMessage() {
    if (TipState.HostMessage == 0)
        TipState.HostMessage = static_cast<std::uint16_t>(ActiveBackend().RegisterMessage("Quandeo"));
    return TipState.HostMessage;
}

void Notify(std::int32_t code, std::int32_t argument) {
    if (TipState.HostMessage == 0) return;
    ActiveBackend().Broadcast(TipState.HostMessage, static_cast<std::uintptr_t>(code), argument);
}
