#pragma once
// The restart offered after a change that Windows reads only at start-up.
#include <cstdint>
#include <string>

// Asks Windows to shut down with `flags` as a planned reconfiguration, the shutdown privilege enabled
// for the request and left afterwards as the process had it.
bool RebootWithPrivilege(std::uint32_t flags);
// Enables or disables one privilege of the process's token; true when the system accepted it.
bool SetTokenPrivilege(const std::string& name, bool enable);
