#include "platform/Dialogs.h"

namespace platform {

void ShowError(const std::exception& error) {
    ActiveBackend().ShowMessageBox(MessageBoxKind::Error, error.what());
}

}  // namespace platform
