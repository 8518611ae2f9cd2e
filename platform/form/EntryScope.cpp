#include "platform/form/EntryScope.h"

#include <utility>
#include <vector>

#include "platform/Backend.h"

namespace platform {
namespace {

// The door runs on the pages' thread only (exports are carried there, other threads are refused at
// their own doors), so plain counters do. The list exists only while it holds something: a static
// object would be destroyed at unload in no set order with the windows.
int depth = 0;
std::vector<std::unique_ptr<Component>>* retired = nullptr;
int livePages = 0;
bool pagesHeldResources = false;  // a page was made since the backend last gave its resources back
bool libraryHeld = false;

// Destroying a window sends it messages, which open scopes of their own and may retire more: the
// depth stays above zero meanwhile, and the loop takes whatever was added.
void DestroyRetired() {
    ++depth;
    while (retired) {
        std::unique_ptr<std::vector<std::unique_ptr<Component>>> batch(std::exchange(retired, nullptr));
        while (!batch->empty()) batch->pop_back();
    }
    --depth;
}

// The last page went and no frame of the module is left on the stack: fonts, the window class and
// the libraries bound late go back now, while the system still allows it.
void ReleaseWhenIdle() {
    if (livePages == 0 && std::exchange(pagesHeldResources, false)) ActiveBackend().ReleaseResources();
}

}  // namespace

EntryScope::EntryScope() noexcept {
    ++depth;
}

EntryScope::~EntryScope() {
    if (--depth != 0) return;
    if (retired) DestroyRetired();
    ReleaseWhenIdle();
}

bool EntryScope::Inside() {
    return depth > 0;
}

void Retire(std::unique_ptr<Component> component) {
    if (!component) return;
    if (!retired) retired = new std::vector<std::unique_ptr<Component>>;
    retired->push_back(std::move(component));
    if (depth == 0) {
        DestroyRetired();
        ReleaseWhenIdle();
    }
}

void PageOpened() {
    pagesHeldResources = true;
    if (livePages++ == 0 && !libraryHeld) libraryHeld = ActiveBackend().HoldLibrary();
}

void PageClosed() {
    --livePages;
}

ExportScope::~ExportScope() {
    entry_.reset();
    // Only here: a window procedure may run after the host let go of the library, and the library
    // must not unload under its own frames.
    if (!EntryScope::Inside() && livePages == 0 && std::exchange(libraryHeld, false))
        ActiveBackend().LetLibraryGo();
}

void RunOnPageThread(void (*run)(void*), void* context) {
    if (!ActiveBackend().CarryToPageThread(run, context)) run(context);
}

}  // namespace platform
