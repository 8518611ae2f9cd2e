#include "platform/form/EntryScope.h"

#include <atomic>
#include <utility>
#include <vector>

#include "platform/Backend.h"
#include "platform/form/Form.h"

namespace platform {
namespace {

// The door runs on the pages' thread only (exports are carried there, other threads are refused at
// their own doors), so plain counters do. The lists exist only while they hold something: a static
// object would be destroyed at unload in no set order with the windows.
using RetiredPages = std::vector<std::unique_ptr<Form>>;
int depth = 0;
RetiredPages* retired = nullptr;
int livePages = 0;
bool pagesHeldResources = false;  // a page was made since the backend last gave all its resources back
bool libraryHeld = false;
bool reentered = false;  // the host came back in during the outermost export
// The thread the door belongs to while a page lives or an entry is open; 0 when free.
std::atomic<std::uintptr_t> pageThread{0};

// Destroying a window sends it messages, which open scopes of their own and may retire more: the
// depth stays above zero meanwhile, and the loop takes whatever was added. A window whose
// destruction the system refused goes back to its owner, or is tried again at the next close.
void DestroyRetired() {
    ++depth;
    RetiredPages* refused = nullptr;
    while (retired) {
        std::unique_ptr<RetiredPages> batch(std::exchange(retired, nullptr));
        while (!batch->empty()) {
            std::unique_ptr<Form> page = std::move(batch->back());
            batch->pop_back();
            if (page->DestroyWindowNow()) continue;  // the model goes with `page`
            TakeBackRefusedPage(page);
            if (!page) continue;
            if (!refused) refused = new RetiredPages;
            refused->push_back(std::move(page));
        }
    }
    retired = refused;
    --depth;
}

// The last page went and no frame of the module is left on the stack: fonts, the window class and
// the libraries bound late go back now, while the system still allows it. What the system would not
// take back yet (a class whose last window is still being destroyed) is tried again at the next
// outermost close, and the library keeps itself loaded until then.
void ReleaseWhenIdle() {
    if (livePages == 0 && pagesHeldResources) pagesHeldResources = !ActiveBackend().ReleaseResources();
}

// The outermost entry closes: what was retired inside it goes, then what no page needs any more.
void CloseOutermost() {
    if (retired) DestroyRetired();
    ReleaseWhenIdle();
}

// Last of all, once nothing of this thread's entry touches the door's state again.
void FreeThreadWhenIdle() {
    if (livePages == 0) pageThread.store(0);
}

}  // namespace

EntryScope::EntryScope() noexcept {
    ++depth;
}

EntryScope::~EntryScope() {
    if (--depth != 0) return;
    CloseOutermost();
    FreeThreadWhenIdle();
}

bool EntryScope::Inside() {
    return depth > 0;
}

bool EntryScope::Nested() {
    return depth > 1;
}

void Retire(std::unique_ptr<Form> page) {
    if (!page) return;
    if (!retired) retired = new RetiredPages;
    retired->push_back(std::move(page));
    if (depth == 0) CloseOutermost();
}

void PageOpened() {
    pagesHeldResources = true;
    if (livePages++ == 0 && !libraryHeld) libraryHeld = ActiveBackend().HoldLibrary();
}

void PageClosed() {
    --livePages;
}

void HostReentered() {
    reentered = true;
}

ExportScope::ExportScope() noexcept : outermost_(depth == 0) {
    // A nested export is the host calling back in from inside one of the page's callbacks.
    reentered = !outermost_;
    ++depth;
}

ExportScope::~ExportScope() {
    if (--depth != 0) return;
    CloseOutermost();
    if (!reentered && livePages == 0 && !pagesHeldResources && std::exchange(libraryHeld, false))
        ActiveBackend().LetLibraryGo();
    FreeThreadWhenIdle();
}

bool RunOnPageThread(void (*run)(void*), void* context) {
    const std::uintptr_t self = ActiveBackend().CurrentThread();
    for (;;) {
        std::uintptr_t owner = 0;
        if (pageThread.compare_exchange_strong(owner, self) || owner == self) break;
        if (ActiveBackend().CarryToPageThread(run, context)) return true;
        // A thread that ends takes its windows with it, and no message says so: a door still given
        // to it would refuse every call from now on.
        if (!ActiveBackend().ThreadEnded(owner)) return false;
        if (!pageThread.compare_exchange_strong(owner, self)) continue;  // another thread took it first
        // Nothing of that thread runs again, its entries included. Its pages are let go without
        // touching their windows, and go as the call below, now the outermost entry, closes.
        depth = 1;
        ActiveBackend().ForgetWindowsOfThread(owner);
        depth = 0;
        break;
    }
    run(context);
    return true;
}

}  // namespace platform
