#pragma once
// Controls of the headless backend for tests: message boxes go to a replaceable handler, the screen
// density is settable, and top-level windows meet on an in-process message bus.
#include <functional>
#include <string>
#include <vector>

#include "platform/Backend.h"

namespace platform::headless {

struct MessageBoxRequest {
    MessageBoxKind kind;
    std::string text;
};
// Returns the answer: true for Yes (or OK).
using MessageBoxHandler = std::function<bool(const MessageBoxRequest&)>;

// Installs the handler and returns the previous one; with none, every box is answered "not Yes".
MessageBoxHandler SetMessageBoxHandler(MessageBoxHandler handler);
void SetScreenPixelsPerInch(int ppi);
// The live top-level windows, in creation order.
std::vector<Form*> TopLevelWindows();

}  // namespace platform::headless
