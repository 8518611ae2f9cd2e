#include "template/HelpTexts.h"

#include "help/QuandeoHelp.h"

std::string HelpText(std::int32_t helpId, int kind) {
    const char* text = GetHelpText(helpId, kind);
    return text ? std::string(text) : std::string();
}
