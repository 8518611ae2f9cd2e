#pragma once
// The one door into the module. Every way in (an export, a window procedure, a method of the
// accessible object, a hook) holds an EntryScope while it runs. A window let go while any scope is
// open is destroyed when the outermost scope closes, so that no frame further down the stack returns
// into a destroyed window, whatever a host or a client does from inside a callback. The door runs on
// the thread that owns the pages: an export called on another thread is carried there first.
#include <cstdint>
#include <memory>
#include <optional>

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

// Counted by every page window: while one lives the library keeps itself loaded, and once the last
// one is gone and no entry is open, what the pages took from the system goes back. None of this can
// wait for the library's unload, where the system forbids window, drawing and library calls.
void PageOpened();
void PageClosed();

// An export's way in. The host holds the library while it calls one, so this is where the library's
// hold on itself goes once no page is left.
class ExportScope {
  public:
    ExportScope() = default;
    ~ExportScope();
    ExportScope(const ExportScope&) = delete;
    ExportScope& operator=(const ExportScope&) = delete;

  private:
    std::optional<EntryScope> entry_{std::in_place};
};

// Runs `run(context)` on the thread of the page windows: here when this is that thread or no page
// window exists, else carried there by the backend, waiting until that thread has run it.
void RunOnPageThread(void (*run)(void*), void* context);

// Runs an export's body on the thread that owns the pages, through the door, and returns its
// result.
template <typename Body>
std::int32_t ThroughExportDoor(Body&& body) {
    std::int32_t result = 0;
    auto run = [&] {
        ExportScope scope;
        result = body();
    };
    RunOnPageThread([](void* context) { (*static_cast<decltype(run)*>(context))(); }, &run);
    return result;
}

}  // namespace platform
