#pragma once
// The restart offered after a change that Windows reads only at start-up.
#include <cstdint>
#include <string>

// Asks Windows to shut down with `flags`, the shutdown privilege enabled only for the request.
bool RebootWithPrivilege(std::uint32_t flags);
// Enables or disables one privilege of the process's token; true when the system accepted it.
bool SetTokenPrivilege(const std::string& name, bool enable);
