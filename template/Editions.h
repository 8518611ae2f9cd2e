#pragma once
// The Windows editions a host names by number, and the Info list of those a tip is valid for.
#include <cstdint>
#include <string>

// Edition n is bit n-1; codes outside 1..18 name no edition (0).
std::int32_t EditionBit(std::int32_t editionCode);
// The Info list: the heading in the current language and the names of the editions in `validFor`.
std::string ValidEditionsText(std::int32_t validFor, std::int32_t language);
