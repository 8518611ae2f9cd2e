#pragma once
// The tip's texts in the maker's help-text library.
#include <cstdint>
#include <string>

// A text of the help-text library, copied at once; empty when it has none.
std::string HelpText(std::int32_t helpId, int kind);
