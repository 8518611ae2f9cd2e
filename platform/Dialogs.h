#pragma once
// Modal message boxes and the error display.
#include <exception>
#include <string>

#include "platform/ActionRef.h"
#include "platform/Backend.h"
#include "platform/Error.h"

namespace platform {

// Plain box: no icon, one OK button.
inline void ShowMessage(const std::string& text) {
    ActiveBackend().ShowMessageBox(MessageBoxKind::Plain, text);
}

// Question icon, Yes and No with Yes the default; true only for Yes.
inline bool Confirm(const std::string& text) {
    return ActiveBackend().ShowMessageBox(MessageBoxKind::Confirm, text);
}

// The error display: a message box with the error's text.
void ShowError(const std::exception& error);

// Runs `action`; an error escaping it goes to the error display and processing goes on.
void ShowErrors(ActionRef action);

}  // namespace platform
