#pragma once
// The module-wide state: written by the exports and the template, read by the host through
// ModulChanged and ModulNr. Lives as long as the library is loaded; never reset between pages.
#include <cstdint>
#include <string>

struct TTipState {
    bool Modified = false;
    bool Saved = false;
    bool RestoreDefaults = false;
    bool Applicable = false;
    std::int32_t Language = 0;
    std::int32_t EditionCode = 0;
    std::int32_t ValidFor = 0;
    std::int32_t EditionBit = 0;
    std::string HintText;
    std::uint16_t HostMessage = 0;
};
extern TTipState TipState;
