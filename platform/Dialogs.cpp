#include "platform/Dialogs.h"

namespace platform {

void ShowError(const std::exception& error) {
    ActiveBackend().ShowMessageBox(MessageBoxKind::Error, error.what());
}

void ShowErrors(ActionRef action) {
    try {
        action();
    } catch (const std::exception& e) {
        ShowError(e);
    } catch (...) {
        ShowError(Error("Unknown error"));
    }
}

}  // namespace platform
