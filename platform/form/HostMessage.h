#pragma once
// The host's registered message, decoded once for every backend that delivers it.
#include <cstdint>

#include "platform/form/Form.h"

namespace platform {

// True when `msg` is the message `form` listens on; the command has then run, inside the door. Both
// values count as signed 32-bit numbers, whatever the width of the native ones.
inline bool DeliverHostMessage(Form& form, std::uint32_t msg, std::uintptr_t wParam, std::intptr_t lParam) {
    if (!form.ListensOn(msg)) return false;
    form.ReceiveHostCommand(static_cast<std::int32_t>(static_cast<std::uint32_t>(wParam)),
                            static_cast<std::int32_t>(static_cast<std::uint32_t>(lParam)));
    return true;
}

}  // namespace platform
