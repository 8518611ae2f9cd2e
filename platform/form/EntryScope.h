#pragma once
// The one door into the module. Every way in (an export, a window procedure, a method of the
// accessible object, a hook) holds an EntryScope while it runs. A window let go while any scope is
// open is destroyed when the outermost scope closes, so that no frame further down the stack returns
// into a destroyed window, whatever a host or a client does from inside a callback. The door has one
// thread while a page lives or is being made: an export called on another thread is carried there
// first, or refused.
#include <cstdint>
#include <memory>

namespace platform {

class Form;

class EntryScope {
  public:
    EntryScope() noexcept;
    ~EntryScope();
    EntryScope(const EntryScope&) = delete;
    EntryScope& operator=(const EntryScope&) = delete;

    // True while the module runs inside any entry.
    static bool Inside();
    // True inside an entry that another entry is still under (a host's call from inside a callback).
    static bool Nested();
};

// Takes a window that is to go: destroyed at once when no entry is open, else when the outermost one
// closes. A window the system refuses to destroy stays whole, model and all: offered back to the
// pages' owner, and tried again when a later outermost entry closes unless the owner took it.
void Retire(std::unique_ptr<Form> page);
// True while a window let go waits to be destroyed.
bool PagesGoing();
// The pages' owner's (Pages.cpp): takes back a page whose destruction was refused, moving it out of
// `page`, or leaves it.
void TakeBackRefusedPage(std::unique_ptr<Form>& page);

// Counted by every page window: while one lives the library keeps itself loaded, and once the last
// one is gone and no entry is open, what the pages took from the system goes back. None of this can
// wait for the library's unload, where the system forbids window, drawing and library calls.
void PageOpened();
void PageClosed();

// An export's way in. The host holds the library while it calls one, so this is where the library's
// hold on itself is let go once no page is left: at the close of an outermost export. It is only
// parked there; the exported ModulFree gives it back as its very last instruction, once no frame of
// the library is left on the stack, whatever the host dropped from inside a callback meanwhile.
class ExportScope {
  public:
    ExportScope() noexcept;
    ~ExportScope();
    ExportScope(const ExportScope&) = delete;
    ExportScope& operator=(const ExportScope&) = delete;
};

// How an export reached the thread of the pages, told to its body: on that thread already, carried
// there from another one (its caller goes on as it returns), or on the caller's own thread, which
// took the door over from a thread that ended with its pages. Or why it did not: no page window
// took it and the door is free (no page, or the page went before the call ran), or the door's
// thread is still inside it with no page window to take the call: making a page, letting one go,
// or ending without its windows and not ended within the wait. Then something of a page is left.
enum class Way { Here, Carried, TookOver, NoPageWindow, PageThreadBusy };

// Runs `run(context, way)` on the thread of the pages: here when this thread is theirs or no page
// lives or is being made, else carried there by the backend, waiting until that thread has run it.
// Answers how it ran, or why it did not, having run nothing. A page thread whose held handle says it
// ended took its windows with it: the first caller to see it takes the door and lets its pages go
// unseen; callers meanwhile are refused.
Way RunOnPageThread(void (*run)(void*, Way), void* context);

// Runs an export's body on the thread that owns the pages, through the door, and returns its
// result; `refused(way)` when the call could not reach that thread.
template <typename Body, typename Refused>
std::int32_t ThroughExportDoor(Body&& body, Refused&& refused) {
    std::int32_t result = 0;
    auto run = [&](Way way) {
        ExportScope scope;
        result = body(way);
    };
    const Way way =
        RunOnPageThread([](void* context, Way how) { (*static_cast<decltype(run)*>(context))(how); }, &run);
    return way < Way::NoPageWindow ? result : refused(way);
}

}  // namespace platform
