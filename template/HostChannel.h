#pragma once
// The registered message host and page meet on, and the notifications the page broadcasts on it.
#include <cstdint>

inline constexpr std::int32_t kNotifySwitchWindow = 200, kNotifyApplied = 9999;

// The message's number, registered by the first page that needs it (TipState.HostMessage); 0 while
// the system refuses it.
std::uint16_t HostMessage();
// Broadcasts (code, argument) to every top-level window; nothing while no message is registered.
void Notify(std::int32_t code, std::int32_t argument);
