#include "template/Editions.h"

namespace {

const char* const kEditionNames[] = {"Windows 98 Standard Edition",
                                     "Windows 98 Standard Edition A",
                                     "Windows 98 Second Edition",
                                     "Windows 95",
                                     "Windows 95 A",
                                     "Windows 95 B",
                                     "Windows 95 B OEM Service Release 2",
                                     "Windows 95 B OEM Service Release 2.1",
                                     "Windows 95 C OEM Service Release 2.5 C",
                                     "Windows NT",
                                     "Windows 2000",
                                     "Windows 98 ME",
                                     "Windows XP"};

constexpr int kLastEditionCode = 18;

}  // namespace

std::int32_t EditionBit(std::int32_t editionCode) {
    return editionCode >= 1 && editionCode <= kLastEditionCode ? 1 << (editionCode - 1) : 0;
}

std::string ValidEditionsText(std::int32_t validFor, std::int32_t language) {
    std::string text = language == 1 ? "Valid for:" : "G\xFCltig f\xFCr:";
    text += "\r\n\r\n";
    for (int code = 1; code <= 13; ++code)
        if (validFor & (1 << (code - 1))) text += std::string(kEditionNames[code - 1]) + "\r\n";
    return text;
}
