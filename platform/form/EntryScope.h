#pragma once
// The one door into the module. Every way in (an export, a window procedure, a method of the
// accessible object, a hook) holds an EntryScope while it runs. A window let go while any scope is
// open is destroyed when the outermost scope closes, so that no frame further down the stack returns
// into a destroyed window, whatever a host or a client does from inside a callback.
#include <memory>

#include "platform/Component.h"

namespace platform {

class EntryScope {
  public:
    EntryScope() noexcept;
    ~EntryScope();
    EntryScope(const EntryScope&) = delete;
    EntryScope& operator=(const EntryScope&) = delete;

    // True while the module runs inside any entry.
    static bool Inside();
};

// Takes a window (or any component) that is to go: destroyed at once when no entry is open, else
// when the outermost one closes.
void Retire(std::unique_ptr<Component> component);

}  // namespace platform
